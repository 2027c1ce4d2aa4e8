#include "tape/RomLoader.h"

#include "tape/TapeFiles.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vornix::tape {

namespace {

// Nominal pulse lengths in TAP units, and the byte's length in short pulses.
constexpr double kShort = 0x30, kMedium = 0x42, kLong = 0x56;
constexpr double kByteShorts = (kLong + kMedium + 9 * (kShort + kMedium)) / kShort;
// A pilot: at least this many similar short pulses (a second copy has 79).
constexpr std::uint32_t kMinPilot = 32;
// This many short pulses in a row inside a block end it (the pilot of what follows).
constexpr std::uint32_t kEndRun = 16;
// Pulses into a block with no good byte before it is taken for another loader's: 30 bytes.
constexpr std::uint32_t kNoGoodByte = 600, kReadOne = ~0u;
// The largest block: a 64 KiB program, its checksum and the countdown.
constexpr int kMaxBlock = 65536 + 16;
constexpr std::size_t kHeaderPayload = 193; // 192 bytes and the checksum
// The ROM writes 27,136 pilot pulses before a header and 5,376 before data: a pilot longer
// than this is a header's, even when much of it was lost.
constexpr std::uint64_t kHeaderPilot = 12000;

bool withinRun(std::uint32_t c, std::uint64_t sum, std::uint32_t count) {
    // |c - average| < average / 5, without a division
    const std::int64_t d = static_cast<std::int64_t>(c) * count - static_cast<std::int64_t>(sum);
    return (d < 0 ? -d : d) * 5 < static_cast<std::int64_t>(sum);
}

} // namespace

RomLoaderDecoder::RomLoaderDecoder() { setShort(kShort * 8); }

std::unique_ptr<Decoder> makeRomDecoder() { return std::make_unique<RomLoaderDecoder>(); }

void RomLoaderDecoder::setShort(double s) {
    tMin_ = static_cast<std::uint32_t>(s * 0.5);
    tSM_ = static_cast<std::uint32_t>(s * (kShort + kMedium) / 2 / kShort);
    tML_ = static_cast<std::uint32_t>(s * (kMedium + kLong) / 2 / kShort);
    tMax_ = static_cast<std::uint32_t>(s * 2.4);
    tBreak_ = static_cast<std::uint32_t>(s * 8);
    byteCycles_ = s * kByteShorts;
    lengthLow_ = static_cast<std::uint64_t>(byteCycles_ * 0.75);
    lengthHigh_ = static_cast<std::uint64_t>(byteCycles_ * 1.25);
    adaptSum_ = 0;
    adaptCount_ = 0;
}

void RomLoaderDecoder::adaptNow() {
    const double average = static_cast<double>(adaptSum_) / 16;
    setShort((byteCycles_ + 2 * average) / 3 / kByteShorts);
}

void RomLoaderDecoder::feed(const PulseBlock& block) {
    now_ = block.start;
    feedCycles(block.cycles, block.count);
}

void RomLoaderDecoder::feedCycles(const std::uint32_t* pulses, std::size_t count) {
    std::size_t i = 0;
    while (i < count) {
        if (inBlock_) {
            if (pos_ == 0 && !resync_)
                i += fastBytes(pulses + i, count - i);
            if (!inBlock_)
                continue;
        } else if (runCount_ < 8) {
            // Another loader's bytes: runs of similar pulses break at once. seekPulse's rule for
            // a run too short to be a pilot, with the state in locals.
            std::uint32_t n = runCount_;
            std::uint64_t sum = runSum_, start = runStart_, now = now_;
            std::size_t j = i;
            for (; j < count && n < 8; ++j) {
                const std::uint32_t c = pulses[j];
                if (n > 0 && withinRun(c, sum, n)) {
                    ++n;
                    sum += c;
                } else {
                    n = 1;
                    sum = c;
                    start = now;
                }
                now += c;
            }
            runCount_ = n;
            runSum_ = sum;
            runStart_ = start;
            now_ = now;
            i = j;
            continue;
        } else {
            // Inside a pilot: only count, while the pulses stay near the run's average.
            const std::uint64_t avg = runSum_ / runCount_;
            const std::uint64_t lo = avg - avg / 6, hi = avg + avg / 6;
            std::uint64_t sum = 0;
            std::size_t j = i;
#if defined(__SSE2__)
            // Four at a time while all four are in the run, in unsigned compares made signed.
            const __m128i bias = _mm_set1_epi32(INT_MIN), zero = _mm_setzero_si128();
            const __m128i low = _mm_set1_epi32(static_cast<int>(lo));
            const __m128i span = _mm_xor_si128(_mm_set1_epi32(static_cast<int>(hi - lo)), bias);
            __m128i total = zero;
            for (; count - j >= 4; j += 4) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pulses + j));
                const __m128i off = _mm_xor_si128(_mm_sub_epi32(v, low), bias);
                if (_mm_movemask_epi8(_mm_cmpgt_epi32(off, span)) != 0)
                    break;
                total = _mm_add_epi64(
                    total, _mm_add_epi64(_mm_unpacklo_epi32(v, zero), _mm_unpackhi_epi32(v, zero)));
            }
            std::uint64_t halves[2];
            _mm_storeu_si128(reinterpret_cast<__m128i*>(halves), total);
            sum = halves[0] + halves[1];
#endif
            while (j < count && pulses[j] - lo <= hi - lo)
                sum += pulses[j++];
            runCount_ += static_cast<std::uint32_t>(j - i);
            runSum_ += sum;
            now_ += sum;
            i = j;
        }
        if (i >= count)
            break;
        const std::uint32_t c = pulses[i++];
        if (inBlock_)
            bytePulse(c);
        else
            seekPulse(c);
        now_ += c;
    }
}

#if defined(__SSE2__)
namespace {

// The byte whose bits 0-3 are at the even places of an index and 4-7 at the odd ones, with the
// parity of its bits above it.
constexpr auto kGather = [] {
    std::array<std::uint16_t, 256> t{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned b = 0;
        for (unsigned k = 0; k < 4; ++k)
            b |= (i >> (2 * k) & 1) << k | (i >> (2 * k + 1) & 1) << (k + 4);
        t[i] = static_cast<std::uint16_t>(b | (std::popcount(b) & 1) << 8);
    }
    return t;
}();

// The thresholds of one byte's pulses, for readByte.
struct ByteShape {
    __m128i ltMin, ltSM, ltML; // in 16 bits, one below
    std::uint32_t tSM, tML, markerSpan, mediumSpan;
};

ByteShape byteShape(std::uint32_t tMin, std::uint32_t tSM, std::uint32_t tML, std::uint32_t tMax) {
    return {_mm_set1_epi16(static_cast<short>(tMin - 1)),
            _mm_set1_epi16(static_cast<short>(tSM - 1)),
            _mm_set1_epi16(static_cast<short>(tML - 1)),
            tSM,
            tML,
            tMax - tML,
            tML - tSM};
}

// A byte from its 20 pulses: a long and a medium marker, then eighteen short or medium pulses,
// a pair holding one of each. False when a pulse is out of place; else its eight bits and
// parity bit, and its length.
inline bool readByte(const std::uint32_t* p, const ByteShape& t, std::uint32_t& bits, std::uint32_t& length,
                     bool& odd) {
    if (!((p[0] - t.tML < t.markerSpan) & (p[1] - t.tSM < t.mediumSpan)))
        return false;
    const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4));
    const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
    const __m128i v3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12));
    const __m128i v4 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    // In 16 bits, signed: a pulse of 32,768 or more saturates to the top, one of 2^31 or more
    // packs negative, below every threshold; neither is taken.
    const __m128i a = _mm_packs_epi32(v0, v1), b = _mm_packs_epi32(v2, v3), c = _mm_packs_epi32(v4, v4);
    // Per pulse (bit j): in the short-medium range, and medium.
    const __m128i rangeAB =
        _mm_andnot_si128(_mm_packs_epi16(_mm_cmpgt_epi16(a, t.ltML), _mm_cmpgt_epi16(b, t.ltML)),
                         _mm_packs_epi16(_mm_cmpgt_epi16(a, t.ltMin), _mm_cmpgt_epi16(b, t.ltMin)));
    const __m128i mediumAB = _mm_packs_epi16(_mm_cmpgt_epi16(a, t.ltSM), _mm_cmpgt_epi16(b, t.ltSM));
    // The last four pulses: in range in the low half, medium in the high half.
    const __m128i cRange = _mm_andnot_si128(_mm_cmpgt_epi16(c, t.ltML), _mm_cmpgt_epi16(c, t.ltMin));
    const __m128i tail = _mm_packs_epi16(cRange, _mm_cmpgt_epi16(c, t.ltSM));
    const std::uint32_t end = static_cast<std::uint32_t>(_mm_movemask_epi8(tail));
    const std::uint32_t inRange = static_cast<std::uint32_t>(_mm_movemask_epi8(rangeAB)) | (end & 0xF) << 16;
    const std::uint32_t medium =
        (static_cast<std::uint32_t>(_mm_movemask_epi8(mediumAB)) | (end >> 8 & 0xF) << 16) >> 2;
    if ((inRange | 3) != 0xFFFFF || ((medium ^ medium >> 1) & 0x15555) != 0x15555)
        return false;
    __m128i sum = _mm_add_epi32(_mm_add_epi32(v0, v1), _mm_add_epi32(_mm_add_epi32(v2, v3), v4));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, 0x4E));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, 0xB1));
    // Twenty pulses under 32,768 each: the sum fits 32 bits.
    length = static_cast<std::uint32_t>(_mm_cvtsi128_si32(sum));
    // A pair is 1 when its first pulse is the medium one: the even bits, gathered by a table,
    // with the parity bit above them.
    const std::uint32_t v = medium & 0x5555;
    const std::uint32_t e = kGather[(v | v >> 7) & 0xFF];
    bits = (e & 0xFF) | (medium >> 8 & 0x100);
    odd = ((e >> 8 ^ medium >> 16) & 1) == 1;
    return true;
}

} // namespace
#endif

// Whole bytes read straight while all 20 pulses of each are what they should be; returns the
// pulses taken. The first pulse out of place stops it, and from there they go one by one
// through bytePulse.
std::size_t RomLoaderDecoder::fastBytes(const std::uint32_t* q, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    if (tMax_ > 32767)
        return 0;
    ByteShape shape = byteShape(tMin_, tSM_, tML_, tMax_);
    std::uint32_t bits, length;
    bool good;
    while (count - i >= 20 && readByte(q + i, shape, bits, length, good)) {
        if (good && adaptTo(length))
            shape = byteShape(tMin_, tSM_, tML_, tMax_);
        markerTime_ = now_;
        bits_ = bits;
        const std::size_t size = block_.value.size();
        if (!(lastIndex_ >= 0 && now_ == lastEnd_ && static_cast<std::size_t>(lastIndex_) + 1 == size &&
              size < kMaxBlock)) {
            storeByte(good, now_ + length);
            now_ += length;
            i += 20;
            if (!inBlock_)
                return i; // the block reached its largest size
            continue;
        }
        // Straight after the last byte stored, as almost every byte is: the run of them goes
        // into room made for it, the state kept in locals meanwhile.
        const std::size_t room = std::min((count - i) / 20, static_cast<std::size_t>(kMaxBlock) - size);
        block_.value.resize(size + room);
        block_.ok.resize(size + room);
        std::uint8_t* value = block_.value.data() + size;
        std::uint8_t* ok = block_.ok.data() + size;
        std::uint64_t now = now_, start = now_;
        std::size_t n = 0;
        for (;;) {
            value[n] = static_cast<std::uint8_t>(bits);
            ok[n] = good;
            start = now;
            now += length;
            ++n;
            i += 20;
            if (n == room || !readByte(q + i, shape, bits, length, good))
                break;
            if (good && adaptTo(length))
                shape = byteShape(tMin_, tSM_, tML_, tMax_);
        }
        block_.value.resize(size + n);
        block_.ok.resize(size + n);
        lastIndex_ = static_cast<int>(size + n - 1);
        lastStart_ = markerTime_ = start;
        lastEnd_ = now_ = now;
        bits_ = value[n - 1];
    }
    if (i > 0) {
        unmarked_ = kReadOne; // bytes of our shape: this block is ours
        const std::uint32_t last = q[i - 1];
        shortRun_ = last < tSM_ ? 1 : 0;
        shortRunSum_ = last;
        shortRunStart_ = now_ - last;
    }
#else
    (void)q;
    (void)count;
#endif
    return i;
}

void RomLoaderDecoder::seekPulse(std::uint32_t c) {
    if (runCount_ > 0 && withinRun(c, runSum_, runCount_)) {
        ++runCount_;
        runSum_ += c;
        return;
    }
    if (runCount_ >= kMinPilot) {
        const double s = static_cast<double>(runSum_) / runCount_;
        // Plausible short pulses: the nominal length at two thirds to one and a half of the speed.
        if (s >= kShort * 8 / 1.5 && s <= kShort * 8 * 1.5) {
            setShort(s);
            inBlock_ = true;
            block_ = Block{};
            block_.start = runStart_;
            block_.pilot = runCount_;
            blockStart_ = now_;
            resync_ = true;
            unmarked_ = 0;
            prevLong_ = false;
            lastIndex_ = -1;
            shortRun_ = 0;
            bytePulse(c);
            return;
        }
    }
    runCount_ = 1;
    runSum_ = c;
    runStart_ = now_;
}

void RomLoaderDecoder::toSeek() {
    inBlock_ = false;
    runCount_ = 0;
    runSum_ = 0;
}

void RomLoaderDecoder::startByte(std::uint64_t markerTime) {
    markerTime_ = markerTime;
    bits_ = 0;
    pos_ = 2;
}

// The end mark is where a byte would begin.
bool RomLoaderDecoder::onGrid(std::uint64_t time) const {
    if (lastIndex_ < 0)
        return false;
    const double places = static_cast<double>(time - lastStart_) / byteCycles_;
    return places > 0.5 && std::abs(places - std::lround(places)) <= 0.3;
}

void RomLoaderDecoder::storeByte(bool good, std::uint64_t endTime) {
    long index;
    if (lastIndex_ >= 0 && markerTime_ == lastEnd_) {
        index = lastIndex_ + 1; // straight after the last one
    } else {
        // Its place from the time since the last byte stored: every byte lasts the same.
        const double since = static_cast<double>(markerTime_ - (lastIndex_ < 0 ? blockStart_ : lastStart_));
        const double places = since / byteCycles_;
        const long step = std::lround(places);
        index = lastIndex_ + (lastIndex_ < 0 ? 1 : 0) + step;
        // A marker off the byte grid came from damage; a good byte there would still be real
        // (its pairs and parity agree) unless it claims a place already taken.
        const bool aligned = std::abs(places - step) <= 0.3;
        if (index <= lastIndex_ || (!good && !aligned))
            return;
    }
    if (index >= kMaxBlock) {
        endBlock(false);
        return;
    }
    if (static_cast<std::size_t>(index) == block_.value.size()) {
        block_.value.push_back(static_cast<std::uint8_t>(bits_ & 0xFF));
        block_.ok.push_back(good);
    } else {
        if (static_cast<std::size_t>(index) > block_.value.size()) {
            block_.value.resize(index + 1, 0);
            block_.ok.resize(index + 1, 0);
        }
        block_.value[index] = static_cast<std::uint8_t>(bits_ & 0xFF);
        block_.ok[index] = good;
    }
    lastIndex_ = static_cast<int>(index);
    lastStart_ = markerTime_;
    lastEnd_ = endTime;
}

void RomLoaderDecoder::bytePulse(std::uint32_t c) {
    // Another loader's block after a pilot of short pulses like ours: no good byte comes. (A
    // block of ours begins with its countdown; one whose first 30 bytes are all lost is left
    // to its other copy.)
    if (unmarked_ != kReadOne && ++unmarked_ > kNoGoodByte) {
        toSeek();
        return;
    }
    const Class k = classify(c);
    if (k == Short) {
        if (shortRun_ == 0) {
            shortRunStart_ = now_;
            shortRunSum_ = 0;
        }
        ++shortRun_;
        shortRunSum_ += c;
        if (shortRun_ >= kEndRun) {
            // The pilot of the next block (or a trailer): this block is over.
            const std::uint32_t run = shortRun_;
            const std::uint64_t sum = shortRunSum_, start = shortRunStart_;
            endBlock(false);
            runCount_ = run;
            runSum_ = sum;
            runStart_ = start;
            return;
        }
    } else {
        shortRun_ = 0;
    }
    if (k == Silence) {
        if (pos_ >= 2 && !resync_)
            storeByte(false, 0);
        endBlock(false);
        return;
    }
    if (resync_) {
        if (prevLong_ && k == Medium) {
            resync_ = false;
            prevLong_ = false;
            startByte(longTime_);
            return;
        }
        if (prevLong_ && k == Short && onGrid(longTime_)) {
            endBlock(true);
            return;
        }
        prevLong_ = k == Long;
        longTime_ = now_;
        return;
    }
    switch (pos_) {
    case 0:
        if (k == Long) {
            longTime_ = now_;
            pos_ = 1;
            return;
        }
        break;
    case 1:
        if (k == Medium) {
            startByte(longTime_);
            return;
        }
        if (k == Short && onGrid(longTime_)) {
            endBlock(true);
            return;
        }
        break;
    default:
        if ((pos_ & 1) == 0) {
            first_ = k;
            ++pos_;
            return;
        }
        {
            const int bit = (pos_ - 3) / 2;
            if (first_ == Medium && k == Short)
                bits_ |= 1u << bit;
            else if (!(first_ == Short && k == Medium))
                break; // out of step: this pulse may already be the next marker
            if (pos_ < 19) {
                ++pos_;
                return;
            }
            // Odd parity over the eight bits and the parity bit.
            const bool good = (std::popcount(bits_) & 1) == 1;
            if (good) {
                adaptTo(now_ + c - markerTime_);
                unmarked_ = kReadOne;
            }
            storeByte(good, now_ + c);
            pos_ = 0;
            return;
        }
    }
    // Out of step: a byte begun is lost; find the next marker.
    if (pos_ >= 2)
        storeByte(false, 0);
    pos_ = 0;
    resync_ = true;
    prevLong_ = k == Long;
    longTime_ = now_;
}

void RomLoaderDecoder::endBlock(bool endMarker) {
    inBlock_ = false;
    resync_ = false;
    pos_ = 0;
    runCount_ = 0;
    runSum_ = 0;
    if (lastIndex_ < 0)
        return;
    block_.endMarker = endMarker;
    onBlock(block_);
    block_ = Block{};
    lastIndex_ = -1;
}

void RomLoaderDecoder::finish(std::vector<FoundFile>& files, std::vector<std::string>& notes) {
    if (inBlock_) {
        if (pos_ >= 2 && !resync_)
            storeByte(false, 0);
        endBlock(false);
    }
    finalizeFile();
    for (FoundFile& f : files_)
        files.push_back(std::move(f));
    for (std::string& n : notes_)
        notes.push_back(std::move(n));
    files_.clear();
    notes_.clear();
}

namespace {

struct Countdown {
    std::size_t dataStart = 9;
    int copy = 0; // 1 first, 2 second, 0 unknown
};

// Where the data starts, from the countdown bytes that were read: $8k (or $0k) at index i puts
// the data at i + k. The most common answer wins.
Countdown readCountdown(const RomLoaderDecoder::Block& b) {
    int votes[24] = {};
    int first = 0, second = 0;
    const std::size_t n = std::min<std::size_t>(b.value.size(), 10);
    for (std::size_t i = 0; i < n; ++i) {
        if (!b.ok[i])
            continue;
        const int k = b.value[i] & 0x7F;
        if (k < 1 || k > 9)
            continue;
        ++votes[i + k];
        (b.value[i] & 0x80 ? first : second)++;
    }
    Countdown c;
    int best = 0;
    for (int i = 0; i < 24; ++i)
        if (votes[i] > best) {
            best = votes[i];
            c.dataStart = i;
        }
    if (first > second)
        c.copy = 1;
    else if (second > first)
        c.copy = 2;
    return c;
}

bool looksLikeHeader(const std::vector<std::uint8_t>& value, const std::vector<std::uint8_t>& ok,
                     bool endMarker) {
    if (value.empty() || !ok[0] || value[0] < 1 || value[0] > 5)
        return false;
    return endMarker ? value.size() == kHeaderPayload : value.size() <= kHeaderPayload;
}

bool sameBytes(const std::vector<std::uint8_t>& av, const std::vector<std::uint8_t>& aok,
               const std::vector<std::uint8_t>& bv, const std::vector<std::uint8_t>& bok) {
    const std::size_t n = std::min(av.size(), bv.size());
    std::size_t compared = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!aok[i] || !bok[i])
            continue;
        if (av[i] != bv[i])
            return false;
        ++compared;
    }
    return compared > 0;
}

} // namespace

void RomLoaderDecoder::onBlock(Block& b) {
    const Countdown cd = readCountdown(b);
    BlockCopy copy;
    if (cd.dataStart < b.value.size()) {
        copy.value.assign(b.value.begin() + cd.dataStart, b.value.end());
        copy.ok.assign(b.ok.begin() + cd.dataStart, b.ok.end());
    }
    if (copy.value.empty())
        return;
    copy.endMarker = b.endMarker;
    copy.start = b.start;
    // Without a readable countdown, a block right after a lone first copy is its second copy.
    std::vector<BlockCopy>& pending = data_.empty() ? header_ : data_;
    copy.second = cd.copy == 2 || (cd.copy == 0 && pending.size() == 1 && !pending[0].second);

    // Without a countdown a block can only be the copy of the one before: else it is noise
    // that looked like bytes.
    if (cd.copy == 0 && !copy.second)
        return;
    const bool headerLike = looksLikeHeader(copy.value, copy.ok, copy.endMarker);
    if (header_.empty() && data_.empty()) {
        (headerLike ? header_ : data_).push_back(std::move(copy));
        return;
    }
    if (header_.empty()) { // a data block without a header before it
        if (copy.second && data_.size() == 1 && !data_[0].second && !headerLike) {
            data_.push_back(std::move(copy));
            finalizeFile();
            return;
        }
        finalizeFile();
        onBlock(b);
        return;
    }
    if (data_.empty()) {
        if (headerLike && copy.second && header_.size() == 1 && !header_[0].second) {
            header_.push_back(std::move(copy));
            return;
        }
        // A first copy that looks like a header is a new header, unless the program is itself
        // 192 bytes long and this is its data. One broken off before its end may be data that
        // only began like a header: the header's long pilot tells.
        const FileHeader h = readHeader(header_);
        const bool dataIsHeaderSized = h.known && h.dataLength + 1 == kHeaderPayload;
        const bool wholeOrHeaderPilot = copy.endMarker || b.pilot >= kHeaderPilot || !h.known;
        if (headerLike && !copy.second && wholeOrHeaderPilot &&
            (!dataIsHeaderSized || sameBytes(copy.value, copy.ok, header_[0].value, header_[0].ok))) {
            finalizeFile();
            header_.push_back(std::move(copy));
            return;
        }
        data_.push_back(std::move(copy));
        return;
    }
    if (copy.second && data_.size() == 1 && !data_[0].second) {
        // A whole header's repeat where the data of another length was due: the broken first
        // copy before it was the next program's header, and this program's data is missing.
        const FileHeader h = readHeader(header_);
        if (headerLike && copy.endMarker && h.known && h.dataLength + 1 != kHeaderPayload &&
            sameBytes(copy.value, copy.ok, data_[0].value, data_[0].ok)) {
            std::vector<BlockCopy> next{std::move(data_[0]), std::move(copy)};
            data_.clear();
            finalizeFile();
            header_ = std::move(next);
            return;
        }
        data_.push_back(std::move(copy));
        finalizeFile();
        return;
    }
    finalizeFile();
    onBlock(b);
}

void RomLoaderDecoder::finalizeFile() {
    if (header_.empty() && data_.empty())
        return;
    if (auto file = assembleRomFile(header_, data_, notes_))
        files_.push_back(std::move(*file));
    header_.clear();
    data_.clear();
}

} // namespace vornix::tape
