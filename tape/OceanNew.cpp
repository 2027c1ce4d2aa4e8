#include "tape/OceanNew.h"

#include "tape/TapeFiles.h"

#include <algorithm>
#include <array>
#include <bit>

namespace vornix::tape {

namespace {

// Eight bits of each speed's pilot: $40, four times over.
constexpr std::uint32_t kPilotBits = 0x40404040;
constexpr std::uint8_t kPilotByte = 0x40, kSync = 0x5A;
// Fixed thresholds between each speed's short and long pulse, good enough to find the pilot.
constexpr std::uint8_t kFastThreshold = 0x33, kSlowThreshold = 0x4D;
constexpr std::size_t kMaxFile = 65536 + 8;

std::size_t lengthOf(unsigned load, unsigned end) {
    return end > load ? end - load : end == 0 ? 65536 - load : 0;
}

using Form = OceanNewReader::Form;
using Reading = OceanNewReader::Reading;

// Forms 1, 2 and 4, then Freeload's, whose pilot and sync these loaders share: bytes that agree
// as a Freeload file are left to that loader.
constexpr std::array<Form, 4> kForms = {
    {{1, 5, -1, false}, {0, 5, -1, false}, {2, 6, 1, true}, {0, 4, -1, false, false}}};

// The bytes read as this form; the checksum is looked at once they reach its end.
Reading readAs(const Form& f, const std::vector<std::uint8_t>& b) {
    Reading r;
    if (b.size() < f.data)
        return r;
    const unsigned load = b[f.load] | b[f.load + 1] << 8, end = b[f.load + 2] | b[f.load + 3] << 8;
    r.length = lengthOf(load, end);
    if (r.length == 0)
        return r;
    r.end = f.data + r.length + (f.checksumAt < 0 ? 1 : 0);
    if (b.size() != r.end)
        return r;
    const std::uint8_t x = xorOf(b.data() + f.data, r.length);
    r.agrees = x == (f.checksumAt < 0 ? b[f.data + r.length] : b[static_cast<std::size_t>(f.checksumAt)]);
    return r;
}

std::size_t padding(const Form& f, const Reading& r) { return f.padded ? (256 - r.length % 256) % 256 : 0; }

// Bytes that may follow a file's last: a partial byte's worth of trailer pulses ends the
// signal in the bytes read, a whole one adds one.
constexpr std::size_t kTrailerBytes = 2;

} // namespace

// After the chosen form's bytes, the same byte of a single 1 bit over and over: the next
// file's pilot, read out of step with its bytes.
bool OceanNewReader::pilotFollows() const {
    const std::uint8_t b = bytes_.back();
    if (!std::has_single_bit(b))
        return false;
    for (std::size_t i = candidateReading_.end + 1; i < bytes_.size(); ++i)
        if (bytes_[i] != b)
            return false;
    return true;
}

void OceanNewReader::feed(const PulseBlock& b) {
    clock_.start(b);
    std::size_t i = 0;
    while (i < b.count)
        i = state_ == State::Seek ? seek(b, i) : read(b, i);
}

std::size_t OceanNewReader::seek(const PulseBlock& b, std::size_t i) {
    const std::uint8_t* u = b.units;
    std::uint32_t fast = fast_, slow = slow_;
    constexpr std::uint8_t kOneLength = 1u << int(Decoder::Pilots::OneLength);
    for (; i < b.count; ++i) {
        // Sixteen pulses of one length hold no $40 pilot: another loader's leader.
        if ((i & 15) == 0 && i / 16 < b.kindChunks && b.kinds[i / 16] == kOneLength) {
            i += 15;
            fast = slow = 0;
            continue;
        }
        fast = fast << 1 | (u[i] >= kFastThreshold);
        slow = slow << 1 | (u[i] >= kSlowThreshold);
        if (fast == kPilotBits || slow == kPilotBits)
            break;
    }
    fast_ = fast;
    slow_ = slow;
    if (i == b.count)
        return i;
    threshold_ = fast == kPilotBits ? kFastThreshold : kSlowThreshold;
    lo_ = threshold_ / 3;
    hi_ = static_cast<std::uint8_t>(threshold_ * 2);
    fast_ = slow_ = 0;
    shortSum_ = longSum_ = shorts_ = longs_ = 0;
    bits_ = 0;
    start_ = clock_.at(i >= 31 ? i - 31 : 0);
    state_ = State::Pilot;
    return i + 1;
}

std::size_t OceanNewReader::read(const PulseBlock& b, std::size_t i) {
    const std::uint8_t* u = b.units;
    for (; i < b.count; ++i) {
        const std::uint8_t v = u[i];
        if (v < lo_ || v > hi_) {
            fileEnds();
            return i + 1;
        }
        const bool one = v >= threshold_;
        if (state_ == State::Pilot) {
            (one ? longSum_ : shortSum_) += v;
            ++(one ? longs_ : shorts_);
        }
        acc_ = static_cast<std::uint8_t>(acc_ << 1 | one);
        if (++bits_ < 8)
            continue;
        bits_ = 0;
        if (state_ == State::Pilot) {
            if (acc_ == kSync && shorts_ && longs_) {
                // Between the pilot's own short and long pulses from here on.
                const unsigned s = shortSum_ / shorts_, l = longSum_ / longs_;
                threshold_ = static_cast<std::uint8_t>((s + l) / 2);
                lo_ = static_cast<std::uint8_t>(s / 2);
                hi_ = static_cast<std::uint8_t>(std::min(254u, l + l / 2));
                state_ = State::Bytes;
                bytes_.clear();
                candidate_ = nullptr;
            } else if (acc_ != kPilotByte) {
                state_ = State::Seek;
                return i + 1;
            }
            continue;
        }
        bytes_.push_back(acc_);
        if (candidate_ && bytes_.size() > candidateLast_) {
            if (pilotFollows()) {
                fileEnds();
                return i + 1;
            }
            candidate_ = nullptr; // the checksum agreed by chance
        }
        for (std::size_t f = 0; f < kForms.size() && !candidate_; ++f) {
            const Reading r = readAs(kForms[f], bytes_);
            if (r.agrees) {
                candidate_ = &kForms[f];
                candidateReading_ = r;
                candidateLast_ = r.end + padding(kForms[f], r) + kTrailerBytes;
            }
        }
        if (bytes_.size() >= kMaxFile) {
            state_ = State::Seek;
            return i + 1;
        }
    }
    return i;
}

void OceanNewReader::fileEnds() {
    const bool reading = state_ == State::Bytes;
    state_ = State::Seek;
    if (!reading)
        return;
    // A form whose checksum agreed, the bytes after it no more than it leaves.
    const Form* chosen = candidate_;
    Reading reading1 = candidateReading_;
    candidate_ = nullptr;
    if (chosen && !chosen->ours)
        return;
    int fits = chosen ? 1 : 0;
    for (std::size_t f = 0; f < kForms.size() && !chosen; ++f) {
        // Damaged: the bytes read end with the checksum, or a trailer byte, or the padding.
        const Reading r = readAs(kForms[f], bytes_);
        const std::size_t n = bytes_.size();
        if (kForms[f].ours && r.end && (n == r.end || n == r.end + 1 || n == r.end + padding(kForms[f], r))) {
            reading1 = r;
            ++fits;
            if (fits == 1)
                chosen = &kForms[f];
        }
    }
    if (fits != 1)
        return;
    FoundFile file;
    file.loader = "ocean";
    file.load = static_cast<std::uint16_t>(bytes_[chosen->load] | bytes_[chosen->load + 1] << 8);
    file.end = static_cast<std::uint16_t>(bytes_[chosen->load + 2] | bytes_[chosen->load + 3] << 8);
    file.data.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(chosen->data),
                     bytes_.begin() + static_cast<std::ptrdiff_t>(chosen->data + reading1.length));
    file.startSeconds = start_ / kPalClock;
    file.state = reading1.agrees ? FileState::Good : FileState::ChecksumWrong;
    if (!reading1.agrees)
        file.detail.kind = FileDetailKind::ChecksumWrong;
    file.program = numbering_.wholeFile();
    files_.push_back(std::move(file));
}

void OceanNewReader::finish(std::vector<FoundFile>& files) {
    fileEnds();
    for (FoundFile& f : files_)
        files.push_back(std::move(f));
    files_.clear();
}

} // namespace vornix::tape
