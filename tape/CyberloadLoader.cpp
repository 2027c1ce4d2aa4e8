#include "tape/CyberloadLoader.h"

#include "tape/PulseLevels.h"
#include "tape/TapeFiles.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vornix::tape {

namespace {

// The short/long pairs the loaders' thresholds are set for, in TAP units.
struct PulseSet {
    std::uint32_t shortUnits, longUnits;
};
constexpr std::array<PulseSet, 4> kSets = {{{0x30, 0x5A}, {0x3B, 0x72}, {0x24, 0x40}, {0x55, 0xA5}}};

// Bits repeating with a period of 8 before a pilot counts: F3 pilots hold only eight bytes.
constexpr int kMinPilotBits = 32;
// Pulses each as long as the one eight before (within a fifth) before the bits are looked at.
constexpr int kSimilarRun = 12;
// A pilot shorter than this many bytes belongs to an F3 sub-block, a longer one to F1/F2.
constexpr int kShortPilotBytes = 64;
// Pulses kept from before the pilot's pattern broke: the sync byte began at most 7 before.
constexpr std::size_t kLead = 16;
constexpr std::size_t kHeaderBytes = 24; // enough for any stage's header
constexpr std::size_t kMaxBuffer = std::size_t{1} << 20;
constexpr std::uint8_t kCommonPilot = 0x0F;
constexpr std::uint8_t kF1Sync = 0xF0, kF3Sync = 0xCC;
constexpr std::array<std::uint8_t, 4> kF4Syncs = {0x96, 0xAA, 0x99, 0x55};
constexpr std::uint8_t kF1FirstOffset = 0x2D;
constexpr std::uint16_t kF1Base = 0xFFD5;
constexpr std::uint8_t kF2HeaderKey = 0xAE, kF2DataKey = 0xD2;

enum class Stage { Unknown, F1, F2, F3, F3Strict, F4 };

bool isF4Sync(std::uint8_t b) { return std::find(kF4Syncs.begin(), kF4Syncs.end(), b) != kF4Syncs.end(); }

class CyberloadDecoder : public Decoder {
  public:
    CyberloadDecoder() { resetSeek(); }
    void feed(const PulseBlock& b) override {
        now_ = b.start;
        run(b.cycles, b.units, b.count);
    }
    bool seeking() const override { return state_ == State::Seek && !detail_; }
    Pilots pilots() const override { return Pilots::Pattern; }
    void finish(std::vector<FoundFile>& files, std::vector<std::string>&) override {
        if (state_ == State::Block)
            endBlock();
        for (FoundFile& f : files_)
            files.push_back(std::move(f));
        files_.clear();
    }

  private:
    enum class State { Seek, Pilot, Block };
    struct Pair {
        int pilot = -1, sync = -1;
        bool operator==(const Pair&) const = default;
    };

    void run(const std::uint32_t* cycles, const std::uint8_t* units, std::size_t n);
    void resetSeek();
    void startPilot(int set, std::uint64_t at);
    void startBlock(std::uint64_t at);
    void step(bool final);
    void endBlock() {
        step(true);
        if (state_ == State::Block)
            state_ = State::Seek;
        resetSeek();
    }
    void decideStage(bool final);
    void stepF1(bool final);
    void complete(std::size_t consumed);
    void reject() { complete(breakIndex_ + 1); }

    bool bitAt(std::size_t i) const { return pulseUnits(buffer_[i]) > threshold_; }
    std::uint8_t byteAt(std::size_t i) const {
        std::uint32_t b = 0;
        for (std::size_t k = 0; k < 8; ++k)
            b = b << 1 | bitAt(i + k);
        return static_cast<std::uint8_t>(b);
    }
    std::size_t bytesFrom(std::size_t i) const { return buffer_.size() > i ? (buffer_.size() - i) / 8 : 0; }
    std::vector<std::uint8_t> readBytes(std::size_t i, std::size_t n) const {
        std::vector<std::uint8_t> out(n);
        for (std::size_t k = 0; k < n; ++k)
            out[k] = byteAt(i + 8 * k);
        return out;
    }
    double secondsAt(std::size_t index) const {
        std::uint64_t c = bufStart_;
        for (std::size_t k = 0; k < index && k < buffer_.size(); ++k)
            c += buffer_[k];
        return c / kPalClock;
    }
    void emit(FoundFile f, Stage stage);
    void emitF1(FileState state);

    State state_ = State::Seek;
    std::uint64_t now_ = 0; // the cycle at which the next pulse begins
    static bool similar(std::uint32_t u, std::uint32_t before) {
        return (u > before ? u - before : before - u) * 5 <= u;
    }
    std::size_t skip(const std::uint32_t* cycles, const std::uint8_t* units, std::size_t i, std::size_t n);
    static std::uint32_t midpoint(std::size_t set) {
        return (kSets[set].shortUnits + kSets[set].longUnits) / 2;
    }

    std::uint64_t history_ = 0; // the last eight pulses' units, the latest lowest
    int similar_ = 0;           // pulses in a row about as long as the one eight before
    bool detail_ = false;       // looking at each set's bits
    std::array<std::uint32_t, 4> shift_{};
    std::array<int, 4> run_{};
    std::array<std::uint64_t, 4> runStart_{};
    std::array<std::uint32_t, kLead> ring_{}; // the last pulses' cycles
    std::size_t ringAt_ = 0;

    // The pilot being read.
    PulseLevels levels_;
    std::uint32_t pilotShift_ = 0;
    int pilotBits_ = 0;
    std::uint64_t pilotStart_ = 0;

    // The block after it: its pulses from a little before the pilot's pattern broke.
    std::vector<std::uint32_t> buffer_;
    std::uint64_t bufStart_ = 0;
    std::size_t breakIndex_ = 0, need_ = 0, dataAt_ = 0;
    std::uint32_t threshold_ = 0;
    Stage stage_ = Stage::Unknown;
    Pair pair_;
    // F2/F3/F4: the header's findings.
    FoundFile pending_;
    std::size_t length_ = 0, headerSize_ = 0, dataSize_ = 0; // on tape; of the program
    unsigned generation_ = 0; // counts the blocks begun, so a step sees its block replaced
    // F1: where the chain's reading stands.
    enum class F1Step { Offset, Data, Next } f1Step_ = F1Step::Offset;
    std::size_t f1Pos_ = 0, f1FileAt_ = 0;
    std::uint16_t f1Address_ = 0, f1Load_ = 0;
    std::vector<std::uint8_t> f1Data_;

    Pair knownF1_, knownF3_;
    Stage lastStage_ = Stage::Unknown;
    int programs_ = 0, blockInProgram_ = 0;
    std::vector<FoundFile> files_;
};

void CyberloadDecoder::resetSeek() {
    shift_.fill(0);
    run_.fill(0);
    detail_ = false;
}

void CyberloadDecoder::run(const std::uint32_t* cycles, const std::uint8_t* units, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (state_ == State::Seek) {
            // A pilot repeats its byte, so each of its pulses is about as long as the one eight
            // before: until a run of those, nothing more is looked at.
            if (!detail_) {
                i = skip(cycles, units, i, n);
                if (i >= n)
                    break;
            }
            const std::uint32_t u = units[i];
            const std::uint64_t at = now_;
            now_ += cycles[i];
            similar_ = similar(u, static_cast<std::uint32_t>(history_ >> 56)) ? similar_ + 1 : 0;
            if (!detail_) {
                detail_ = true;
                for (std::size_t s = 0; s < kSets.size(); ++s) {
                    shift_[s] = 0;
                    for (int k = 7; k >= 0; --k)
                        shift_[s] = shift_[s] << 1 | ((history_ >> (8 * k) & 0xFF) > midpoint(s));
                }
            }
            history_ = history_ << 8 | u;
            ring_[ringAt_++ % kLead] = cycles[i];
            // Each pulse set's bits, looked at for a byte repeating.
            for (std::size_t s = 0; s < kSets.size(); ++s) {
                const PulseSet& p = kSets[s];
                const std::uint32_t lo = p.shortUnits * 3 / 4, span = p.longUnits * 5 / 4 - lo;
                const std::uint32_t bit = u > midpoint(s);
                shift_[s] = shift_[s] << 1 | bit;
                if (u - lo > span || ((shift_[s] >> 8 ^ shift_[s]) & 1)) {
                    run_[s] = 0;
                    runStart_[s] = at;
                    continue;
                }
                const std::uint8_t pattern = static_cast<std::uint8_t>(shift_[s]);
                if (++run_[s] >= kMinPilotBits && pattern != 0 && pattern != 0xFF) {
                    startPilot(static_cast<int>(s), at);
                    break;
                }
            }
            if (similar_ == 0 && state_ == State::Seek)
                resetSeek(); // no pilot here: back to passing over pulses
            continue;
        }
        const std::uint32_t u = units[i];
        const std::uint64_t at = now_;
        now_ += cycles[i];
        ring_[ringAt_++ % kLead] = cycles[i];
        if (state_ == State::Pilot) {
            if (!levels_.plausible(u)) {
                state_ = State::Seek;
                resetSeek();
                continue;
            }
            const bool one = u > levels_.threshold();
            pilotShift_ = pilotShift_ << 1 | one;
            if (((pilotShift_ >> 8 ^ pilotShift_) & 1) == 0) {
                levels_.adapt(u, one);
                ++pilotBits_;
                continue;
            }
            startBlock(at);
            continue;
        }
        if (!levels_.plausible(u)) {
            endBlock();
            continue;
        }
        buffer_.push_back(cycles[i]);
        if (buffer_.size() >= need_)
            step(false);
        if (state_ == State::Block && buffer_.size() >= kMaxBuffer)
            endBlock();
    }
}

// Passes over pulses until a run of them each about as long as the one eight before; returns
// the index of the pulse that completes the run, its similar_ not yet counted.
std::size_t CyberloadDecoder::skip(const std::uint32_t* cycles, const std::uint8_t* units, std::size_t i,
                                   std::size_t n) {
    std::uint64_t history = history_, t = now_;
    int run = similar_;
    for (; i < n; ++i) {
        const std::uint32_t u = units[i];
        const int next = similar(u, static_cast<std::uint32_t>(history >> 56)) ? run + 1 : 0;
        if (next >= kSimilarRun)
            break;
        run = next;
        history = history << 8 | u;
        t += cycles[i];
    }
    history_ = history;
    similar_ = run;
    now_ = t;
    return i;
}

void CyberloadDecoder::startPilot(int set, std::uint64_t at) {
    state_ = State::Pilot;
    const PulseSet& p = kSets[static_cast<std::size_t>(set)];
    levels_.set(p.shortUnits, p.longUnits);
    pilotShift_ = shift_[static_cast<std::size_t>(set)];
    pilotBits_ = run_[static_cast<std::size_t>(set)] + 8;
    const std::uint64_t back = 8ull * 8 * (p.shortUnits + p.longUnits) / 2;
    pilotStart_ = runStart_[static_cast<std::size_t>(set)];
    pilotStart_ = pilotStart_ > back ? pilotStart_ - back : 0;
    (void)at;
}

// The pilot's pattern broke at the pulse just read: the sync byte began there or up to seven
// pulses before.
void CyberloadDecoder::startBlock(std::uint64_t at) {
    state_ = State::Block;
    buffer_.clear();
    const std::size_t kept = std::min<std::size_t>(kLead, ringAt_);
    std::uint64_t back = 0;
    for (std::size_t k = kept; k > 0; --k) {
        const std::uint32_t c = ring_[(ringAt_ - k) % kLead];
        buffer_.push_back(c);
        if (k > 1)
            back += c;
    }
    bufStart_ = at - back;
    breakIndex_ = buffer_.size() - 1;
    threshold_ = levels_.threshold();
    stage_ = Stage::Unknown;
    ++generation_;
    need_ = breakIndex_ + 8 + kHeaderBytes * 8;
}

void CyberloadDecoder::step(bool final) {
    const unsigned generation = generation_;
    if (stage_ == Stage::Unknown)
        decideStage(final);
    if (generation != generation_ || state_ != State::Block)
        return; // rejected: the pulses after it were searched again
    switch (stage_) {
    case Stage::Unknown: return;
    case Stage::F1: stepF1(final); return;
    default: break;
    }
    const std::size_t end = dataAt_ + (headerSize_ + length_) * 8;
    const bool whole = buffer_.size() >= end;
    if (!whole && !final) {
        need_ = end;
        return;
    }
    if (!whole && stage_ == Stage::F3Strict) {
        reject();
        return;
    }
    FoundFile f = std::move(pending_);
    const std::size_t got = std::min(length_, bytesFrom(dataAt_ + headerSize_ * 8));
    std::vector<std::uint8_t> raw = readBytes(dataAt_ + headerSize_ * 8, got);
    bool good = true;
    if (stage_ == Stage::F2) {
        for (std::uint8_t& b : raw)
            b ^= kF2DataKey;
        f.data = std::move(raw);
        f.state = FileState::NoChecksum;
    } else if (stage_ == Stage::F4) {
        // The data in sub-blocks of 256 bytes, each followed by its XOR.
        for (std::size_t at = 0; at < raw.size(); at += 257) {
            const std::size_t n = std::min({std::size_t{256}, raw.size() - at, dataSize_ - f.data.size()});
            if (at + n < raw.size())
                good &= xorOf(raw.data() + at, n) == raw[at + n];
            f.data.insert(f.data.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                          raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
        f.state = good ? FileState::Good : FileState::ChecksumWrong;
    } else {
        // The check byte makes the whole sub-block, header and all, XOR to zero; the open
        // decoders pass a residue of $04 too, which some tapes' sub-blocks leave.
        const std::vector<std::uint8_t> header = readBytes(dataAt_, headerSize_);
        const std::uint8_t all = xorOf(header.data(), header.size()) ^ xorOf(raw.data(), raw.size());
        good = all == 0 || all == 0x04;
        if (!good && stage_ == Stage::F3Strict && whole) {
            reject();
            return;
        }
        f.data = std::move(raw);
        f.state = good ? FileState::Good : FileState::ChecksumWrong;
        if (good)
            knownF3_ = pair_;
    }
    if (!whole) {
        f.state = FileState::CutOff;
        f.detail.kind = FileDetailKind::TapeEnds;
        f.detail.bytes = f.data.size();
        f.detail.total = dataSize_;
    } else if (f.state == FileState::ChecksumWrong) {
        f.detail.kind = FileDetailKind::ChecksumWrong;
    }
    const Stage stage = stage_ == Stage::F3Strict ? Stage::F3 : stage_;
    emit(std::move(f), stage);
    complete(std::min(end, buffer_.size()));
}

// Finds the sync byte and which stage's block follows it.
void CyberloadDecoder::decideStage(bool final) {
    // The sync byte begins where the pilot's repeated byte would end: we prefer the common
    // pilot $0F, then a sync byte one of the stages commonly uses, then the break itself.
    std::size_t syncAt = breakIndex_;
    int best = 3;
    for (std::size_t k = 0; k < 8 && k + 8 <= breakIndex_; ++k) {
        const std::size_t at = breakIndex_ - k;
        if (at + 8 > buffer_.size())
            break;
        const std::uint8_t pilot = byteAt(at - 8), sync = byteAt(at);
        const int rank = pilot == kCommonPilot                                    ? 0
                         : (sync == kF1Sync || sync == kF3Sync || isF4Sync(sync)) ? 1
                         : k == 0                                                 ? 2
                                                                                  : 3;
        if (rank < best) {
            best = rank;
            syncAt = at;
        }
    }
    if (syncAt < 8 || syncAt + 8 > buffer_.size()) {
        if (final)
            stage_ = Stage::Unknown;
        return;
    }
    pair_ = {byteAt(syncAt - 8), byteAt(syncAt)};
    dataAt_ = syncAt + 8;
    const std::size_t avail = bytesFrom(dataAt_);
    if (avail == 0)
        return;
    const std::vector<std::uint8_t> h = readBytes(dataAt_, std::min(avail, kHeaderBytes));
    pending_ = FoundFile{};
    pending_.loader = "cyberload";
    pending_.startSeconds = pilotStart_ / kPalClock;

    if (h.size() >= 24 && isF4Sync(static_cast<std::uint8_t>(pair_.sync))) {
        // The header's type shows in which of its check bytes agrees.
        int type = 0;
        if (xorOf(h.data() + 1, 22) == h[23])
            type = 3;
        else if (xorOf(h.data(), 22) == h[22])
            type = 2;
        else if (xorOf(h.data(), 20) == h[20])
            type = 1;
        if (type) {
            const std::size_t off = type == 3 ? 1 : 0;
            headerSize_ = type == 1 ? 21 : type == 2 ? 24 : 25;
            pending_.name = tapeName(h.data() + off, 16);
            pending_.load = static_cast<std::uint16_t>(h[off + 16] | h[off + 17] << 8);
            const std::size_t size = h[off + 18] | h[off + 19] << 8;
            pending_.end = static_cast<std::uint16_t>(pending_.load + size);
            length_ = size + (size + 255) / 256;
            dataSize_ = size;
            stage_ = Stage::F4;
            return;
        }
    }
    if (h[0] == kF1FirstOffset) {
        stage_ = Stage::F1;
        knownF1_ = pair_;
        f1Step_ = F1Step::Offset;
        f1Pos_ = dataAt_;
        f1Address_ = kF1Base;
        ++programs_;
        blockInProgram_ = 0;
        lastStage_ = Stage::F1;
        return;
    }
    if (h.size() < 8 && !final)
        return;
    const int pilotBytes = pilotBits_ / 8;
    const bool f3 = pilotBytes < kShortPilotBytes || pair_.sync == kF3Sync || pair_ == knownF3_;
    const bool f2 = !f3 && (pair_ == knownF1_ || pair_ == Pair{kCommonPilot, kF1Sync});
    if (f2 && h.size() >= 4) {
        const std::uint8_t key = (h[0] ^ kF2HeaderKey) == 0 ? kF2HeaderKey : h[0];
        const std::size_t size = (h[2] ^ key) | (h[3] ^ key) << 8;
        pending_.load = static_cast<std::uint16_t>((h[0] ^ key) | (h[1] ^ key) << 8);
        if (size == 0 || pending_.load + size > 0x10000) {
            reject();
            return;
        }
        pending_.end = static_cast<std::uint16_t>(pending_.load + size);
        headerSize_ = 4;
        length_ = dataSize_ = size;
        stage_ = Stage::F2;
        return;
    }
    if (h.size() < 8) {
        reject();
        return;
    }
    const std::size_t size = h[2] ? h[2] : 256;
    pending_.load = static_cast<std::uint16_t>(h[0] | h[1] << 8);
    pending_.end = static_cast<std::uint16_t>(pending_.load + size);
    headerSize_ = 8;
    length_ = dataSize_ = size;
    stage_ = f3 ? Stage::F3 : Stage::F3Strict;
}

void CyberloadDecoder::stepF1(bool final) {
    for (;;) {
        const std::size_t have = buffer_.size() - std::min(buffer_.size(), f1Pos_);
        switch (f1Step_) {
        case F1Step::Offset:
            if (have < 8)
                break;
            f1FileAt_ = f1Pos_;
            f1Address_ = static_cast<std::uint16_t>(f1Address_ + byteAt(f1Pos_));
            f1Load_ = f1Address_;
            f1Data_.clear();
            f1Pos_ += 8;
            f1Step_ = F1Step::Data;
            continue;
        case F1Step::Data:
            if (have < 9)
                break;
            if (bitAt(f1Pos_ + 8)) {
                f1Data_.push_back(byteAt(f1Pos_));
                f1Pos_ += 9;
                if (f1Data_.size() > 0xFFFF) {
                    reject();
                    return;
                }
                continue;
            } else {
                f1Address_ = static_cast<std::uint16_t>(f1Load_ + f1Data_.size());
                emitF1(FileState::NoChecksum);
                f1Pos_ += 9;
                f1Step_ = F1Step::Next;
                continue;
            }
        case F1Step::Next:
            if (have < 1)
                break;
            if (bitAt(f1Pos_)) {
                ++f1Pos_;
                f1Step_ = F1Step::Offset;
                continue;
            }
            complete(std::min(buffer_.size(), f1Pos_ + 8)); // the $00 after the chain
            return;
        }
        break;
    }
    if (!final) {
        need_ = f1Pos_ + 9;
        return;
    }
    if (f1Step_ == F1Step::Data && (!f1Data_.empty() || blockInProgram_ == 0))
        emitF1(FileState::CutOff);
    complete(buffer_.size());
}

// The F1 file read so far; a cut-off one says the tape ended in it.
void CyberloadDecoder::emitF1(FileState state) {
    FoundFile f;
    f.loader = "cyberload";
    f.load = f1Load_;
    f.end = static_cast<std::uint16_t>(f1Load_ + f1Data_.size());
    f.state = state;
    if (state == FileState::CutOff) {
        f.detail.kind = FileDetailKind::TapeEnds;
        f.detail.bytes = f1Data_.size();
    }
    f.startSeconds = blockInProgram_ == 0 ? pilotStart_ / kPalClock : secondsAt(f1FileAt_);
    f.data = std::move(f1Data_);
    f1Data_.clear();
    emit(std::move(f), Stage::F1);
}

void CyberloadDecoder::emit(FoundFile f, Stage stage) {
    if (stage == Stage::F3 && lastStage_ != Stage::F3) {
        ++programs_;
        blockInProgram_ = 0;
    } else if (stage == Stage::F2 || stage == Stage::F4) {
        ++programs_;
    }
    f.program = programs_ - 1;
    f.block = stage == Stage::F1 || stage == Stage::F3 ? blockInProgram_++ : -1;
    lastStage_ = stage;
    files_.push_back(std::move(f));
}

// The block is done: what came after it goes through the search again (a sub-block's pilot
// may follow at once).
void CyberloadDecoder::complete(std::size_t consumed) {
    std::vector<std::uint32_t> rest(buffer_.begin() + static_cast<std::ptrdiff_t>(consumed), buffer_.end());
    std::uint64_t at = bufStart_;
    for (std::size_t k = 0; k < consumed; ++k)
        at += buffer_[k];
    buffer_.clear();
    stage_ = Stage::Unknown;
    state_ = State::Seek;
    resetSeek();
    if (rest.empty())
        return;
    std::vector<std::uint8_t> units(rest.size());
    std::transform(rest.begin(), rest.end(), units.begin(), pulseUnits);
    const std::uint64_t resume = now_;
    now_ = at;
    run(rest.data(), units.data(), rest.size());
    now_ = resume;
}

} // namespace

std::unique_ptr<Decoder> makeCyberloadDecoder() { return std::make_unique<CyberloadDecoder>(); }

} // namespace vornix::tape
