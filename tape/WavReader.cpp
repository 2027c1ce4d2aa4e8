#include "tape/WavReader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace vornix::tape {

static_assert(std::endian::native == std::endian::little, "samples are read in place as little-endian");

namespace {

constexpr std::size_t kFrames = 64 * 1024;       // samples of one channel per block, at most
constexpr std::size_t kBlockBytes = 1024 * 1024; // and no more bytes than this
constexpr std::size_t kPulseBlock = 16 * 1024;

std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::string codingName(std::uint16_t tag) {
    switch (tag) {
    case 2: return "Microsoft ADPCM";
    case 6: return "A-law";
    case 7: return "mu-law";
    case 0x11: return "IMA ADPCM";
    case 0x31: return "GSM 6.10";
    case 0x50: return "MPEG";
    case 0x55: return "MPEG Layer 3";
    default: {
        char text[32];
        std::snprintf(text, sizeof text, "coding 0x%04X", tag);
        return text;
    }
    }
}

// Rising (or, reversed, falling) edges of a Schmitt trigger into pulse lengths. The scan only
// notes where each edge is; the block's edges are then placed between their samples and
// measured together.
class EdgeDetector {
  public:
    EdgeDetector(double cyclesPerSample, bool falling, PulseSink& sink, std::size_t blockFrames)
        : cyclesPerSample_(cyclesPerSample), falling_(falling), sink_(sink),
          out_(kPulseBlock + blockFrames / 2 + 2), at_(blockFrames / 2 + 2), place_(blockFrames / 2 + 2) {}

    // Scans x[0..n) (x[n] is free for a sentinel) with the trigger levels lo < hi.
    template <typename T> void run(T* x, std::size_t n, T lo, T hi);
    void runMasks(const std::int16_t* x, std::size_t n, std::int16_t lo, std::int16_t hi);
    void flush() {
        if (k_)
            sink_.pulses(out_.data(), k_, cycles_);
        for (std::size_t i = 0; i < k_; ++i)
            cycles_ += out_[i];
        count_ += k_;
        k_ = 0;
    }
    std::uint64_t pulses() const { return count_; }

  private:
    void note(std::size_t i) { at_[m_++] = static_cast<std::uint32_t>(i); }
    // The noted edges of the block x at the crossing of level, into pulses: each edge lies
    // between the sample before it and its own. out_ holds a whole block's edges past
    // kPulseBlock, so the loop needs no test for a full buffer.
    template <typename T> void measure(const T* x, double level) {
        const std::size_t m = m_;
        if (k_ + m > out_.size())
            flush();
        const std::uint32_t* at = at_.data();
        double* t = place_.data();
        // The first edge may lie between the last block's sample and this one's first. The
        // levels follow each block's mean, so the sample before may already be past this
        // block's level, even equal to the first (as the 0 taken before the first block can
        // be): the edge is then put at the first sample rather than divided by zero.
        std::size_t from = 0;
        if (m > 0 && at[0] == 0) {
            const double after = x[0];
            const double fraction = after != prev_ ? (level - prev_) / (after - prev_) : 1.0;
            t[0] = static_cast<double>(base_) - 1.0 + fraction;
            from = 1;
        }
        const double base = static_cast<double>(base_) - 1.0;
        for (std::size_t j = from; j < m; ++j) {
            const std::uint32_t i = at[j];
            const double before = x[i - 1], after = x[i];
            t[j] = (base + i) + (level - before) / (after - before);
        }
        std::uint32_t* o = out_.data() + k_;
        double previous = lastEdge_;
        for (std::size_t j = 0; j < m; ++j) {
            const double length = std::min((t[j] - previous) * cyclesPerSample_ + 0.5, 4294967295.0);
            previous = t[j];
            o[j] = static_cast<std::uint32_t>(std::max<std::int64_t>(static_cast<std::int64_t>(length), 1));
        }
        k_ += m;
        if (k_ >= kPulseBlock)
            flush();
        lastEdge_ = previous;
        m_ = 0;
    }

    double cyclesPerSample_;
    bool falling_;
    PulseSink& sink_;
    std::vector<std::uint32_t> out_;
    std::size_t k_ = 0;
    std::uint64_t count_ = 0, cycles_ = 0;
    std::vector<std::uint32_t> at_; // the block's edges: the sample each is at
    std::vector<double> place_;     // and where between it and the one before
    std::vector<std::uint64_t> set_, cleared_;
    std::size_t m_ = 0;
    bool high_ = false;
    double lastEdge_ = 0;
    double prev_ = 0;        // the sample before this block
    std::uint64_t base_ = 0; // index of this block's first sample
};

// The first index from i on whose sample is above (or below) level; x[n] is a sentinel that
// stops the search.
template <bool Above, typename T> std::size_t scan(const T* x, std::size_t i, T level) {
    if constexpr (Above) {
        while (x[i] <= level)
            ++i;
    } else {
        while (x[i] >= level)
            ++i;
    }
    return i;
}

template <typename T> void EdgeDetector::run(T* x, std::size_t n, T lo, T hi) {
    if (n == 0)
        return;
    if constexpr (std::is_same_v<T, std::int16_t>) {
        runMasks(x, n, lo, hi);
    } else {
        const T keep = x[n];
        std::size_t i = 0;
        for (;;) {
            if (!high_) {
                x[n] = std::numeric_limits<T>::max(); // hi is below it: the scan stops at n
                i = scan<true>(x, i, hi);
                if (i == n)
                    break;
                high_ = true;
                if (!falling_)
                    note(i);
            } else {
                x[n] = std::numeric_limits<T>::lowest();
                i = scan<false>(x, i, lo);
                if (i == n)
                    break;
                high_ = false;
                if (falling_)
                    note(i);
            }
        }
        x[n] = keep;
    }
    measure(x, falling_ ? lo : hi);
    prev_ = x[n - 1];
    base_ += n;
}

namespace {

// One bit per sample of x[0..n), 64 to a word: above hi into set, below lo into cleared.
void masks(const std::int16_t* x, std::size_t n, std::int16_t lo, std::int16_t hi, std::uint64_t* set,
           std::uint64_t* cleared) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i h = _mm_set1_epi16(hi), l = _mm_set1_epi16(lo);
    for (; i + 64 <= n; i += 64) {
        std::uint64_t up = 0, down = 0;
        for (int v = 0; v < 64; v += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i + v));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i + v + 8));
            up |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                      _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpgt_epi16(a, h), _mm_cmpgt_epi16(b, h)))))
                  << v;
            down |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                        _mm_movemask_epi8(_mm_packs_epi16(_mm_cmplt_epi16(a, l), _mm_cmplt_epi16(b, l)))))
                    << v;
        }
        set[i / 64] = up;
        cleared[i / 64] = down;
    }
#endif
    for (; i < n; i += 64) {
        std::uint64_t up = 0, down = 0;
        for (std::size_t j = 0; j < 64 && i + j < n; ++j) {
            up |= static_cast<std::uint64_t>(x[i + j] > hi) << j;
            down |= static_cast<std::uint64_t>(x[i + j] < lo) << j;
        }
        set[i / 64] = up;
        cleared[i / 64] = down;
    }
}

#if defined(__GNUC__) && defined(__x86_64__)
#define VORNIX_AVX2_MASKS 1
// The same with 32 samples a compare, where the processor has them.
__attribute__((target("avx2"))) void masksAvx2(const std::int16_t* x, std::size_t n, std::int16_t lo,
                                               std::int16_t hi, std::uint64_t* set, std::uint64_t* cleared) {
    const __m256i h = _mm256_set1_epi16(hi), l = _mm256_set1_epi16(lo);
    std::size_t i = 0;
    for (; i + 64 <= n; i += 64) {
        std::uint64_t up = 0, down = 0;
        for (int v = 0; v < 64; v += 32) {
            const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(x + i + v));
            const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(x + i + v + 16));
            // packs works within each 128-bit half: the quarters are put back in order.
            const __m256i above = _mm256_permute4x64_epi64(
                _mm256_packs_epi16(_mm256_cmpgt_epi16(a, h), _mm256_cmpgt_epi16(b, h)), 0xD8);
            const __m256i below = _mm256_permute4x64_epi64(
                _mm256_packs_epi16(_mm256_cmpgt_epi16(l, a), _mm256_cmpgt_epi16(l, b)), 0xD8);
            up |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(above))) << v;
            down |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(below))) << v;
        }
        set[i / 64] = up;
        cleared[i / 64] = down;
    }
    if (i < n)
        masks(x + i, n - i, lo, hi, set + i / 64, cleared + i / 64);
}
#endif

} // namespace

// For 16-bit samples: the masks of the whole block, then the trigger's state and its edges a
// word at a time, each edge the next set bit of the word's changes.
void EdgeDetector::runMasks(const std::int16_t* x, std::size_t n, std::int16_t lo, std::int16_t hi) {
    const std::size_t words = (n + 63) / 64;
    set_.resize(words);
    cleared_.resize(words);
#if defined(VORNIX_AVX2_MASKS)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        masksAvx2(x, n, lo, hi, set_.data(), cleared_.data());
    else
#endif
        masks(x, n, lo, hi, set_.data(), cleared_.data());
    std::uint64_t carry = high_, before = high_;
    for (std::size_t w = 0; w < words; ++w) {
        const std::size_t base = w * 64;
        const std::size_t count = std::min<std::size_t>(64, n - base);
        const std::uint64_t set = set_[w];
        // The trigger's state for the 64 samples: a sample above hi sets it, one below lo
        // clears it, the rest keep it. Adding the set bits to "not cleared" carries a set state
        // up through the kept samples until a clearing one; the carry out goes on to the next.
        const std::uint64_t kept = ~cleared_[w];
        std::uint64_t sum;
        const bool c1 = __builtin_add_overflow(kept, set, &sum);
        const bool c2 = __builtin_add_overflow(sum, carry, &sum);
        carry = c1 || c2;
        const std::uint64_t high = kept & (~sum | set);
        const std::uint64_t previous = high << 1 | before;
        std::uint64_t edges = falling_ ? ~high & previous : high & ~previous;
        before = high >> 63;
        if (count < 64) {
            const unsigned last = static_cast<unsigned>(count - 1);
            edges &= ~std::uint64_t{0} >> (63 - last);
            high_ = (high >> last) & 1;
        } else if (base + 64 == n) {
            high_ = before;
        }
        while (edges) {
            note(base + std::countr_zero(edges));
            edges &= edges - 1;
        }
    }
}

// Trigger levels around the block's mean, kept inside the type so the sentinels stay outside.
template <typename T> void levels(const T* x, std::size_t n, std::int64_t half, T& lo, T& hi) {
    // The mean of every sample: samples taken at a fixed step can all fall on one phase of a
    // square wave whose period divides the step, and no edge would cross the levels.
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += x[i];
    const std::int64_t mid = n ? sum / static_cast<std::int64_t>(n) : 0;
    const std::int64_t top = static_cast<std::int64_t>(std::numeric_limits<T>::max()) - 1;
    const std::int64_t bottom = static_cast<std::int64_t>(std::numeric_limits<T>::lowest()) + 1;
    hi = static_cast<T>(std::clamp<std::int64_t>(mid + half, bottom, top));
    lo = static_cast<T>(std::clamp<std::int64_t>(mid - half, bottom, top));
    if (lo >= hi)
        lo = static_cast<T>(hi - 1);
}

// One channel of a block of frames as working samples: 16-bit for 8 and 16-bit files, the
// 24-bit scale in 32 bits for the rest.
void convert16(const std::uint8_t* raw, std::size_t frames, const WavFormat& f, int channel,
               std::int16_t* out) {
    const std::size_t stride = f.frameBytes;
    const std::uint8_t* p = raw + channel * (f.bits / 8);
    if (f.bits == 8) {
        for (std::size_t i = 0; i < frames; ++i)
            out[i] = static_cast<std::int16_t>((p[i * stride] - 128) * 256);
    } else {
        for (std::size_t i = 0; i < frames; ++i)
            out[i] = static_cast<std::int16_t>(le16(p + i * stride));
    }
}

void convert32(const std::uint8_t* raw, std::size_t frames, const WavFormat& f, int channel,
               std::int32_t* out) {
    const std::size_t stride = f.frameBytes;
    const std::uint8_t* p = raw + channel * (f.bits / 8);
    if (f.coding == 3 && f.bits == 32) {
        for (std::size_t i = 0; i < frames; ++i) {
            float v;
            std::memcpy(&v, p + i * stride, 4);
            v = std::isnan(v) ? 0.0f : std::clamp(v, -1.0f, 1.0f);
            out[i] = static_cast<std::int32_t>(v * 8388607.0f);
        }
    } else if (f.coding == 3) {
        for (std::size_t i = 0; i < frames; ++i) {
            double v;
            std::memcpy(&v, p + i * stride, 8);
            v = std::isnan(v) ? 0.0 : std::clamp(v, -1.0, 1.0);
            out[i] = static_cast<std::int32_t>(v * 8388607.0);
        }
    } else if (f.bits == 24) {
        for (std::size_t i = 0; i < frames; ++i) {
            const std::uint8_t* s = p + i * stride;
            out[i] =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(s[0] << 8 | s[1] << 16 | s[2] << 24)) >>
                8;
        }
    } else {
        for (std::size_t i = 0; i < frames; ++i)
            out[i] = static_cast<std::int32_t>(le32(p + i * stride)) >> 8;
    }
}

} // namespace

bool isWavSignature(const std::uint8_t* first, std::size_t size) {
    return size >= 12 && std::memcmp(first, "RIFF", 4) == 0 && std::memcmp(first + 8, "WAVE", 4) == 0;
}

StreamFailure parseWav(ByteSource& input, WavFormat& f, std::vector<std::string>& notes) {
    const std::uint64_t size = input.size();
    std::uint8_t head[12];
    if (size < 12 || !input.read(0, head, 12) || !isWavSignature(head, 12)) {
        if (input.error().empty())
            return {TapeFailure::NotTape, "not a RIFF WAVE file"};
        return {TapeFailure::CannotRead, input.error()};
    }
    bool haveFormat = false, haveData = false;
    std::uint64_t at = 12;
    while (at + 8 <= size && !(haveFormat && haveData)) {
        std::uint8_t chunk[8];
        if (!input.read(at, chunk, 8))
            return {TapeFailure::CannotRead, input.error()};
        const std::uint64_t length = le32(chunk + 4);
        const std::uint64_t body = at + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            std::uint8_t fmt[40] = {};
            const std::size_t n =
                static_cast<std::size_t>(std::min<std::uint64_t>({length, 40, size - body}));
            if (n < 16 || !input.read(body, fmt, n)) {
                if (input.error().empty())
                    return {TapeFailure::UnsupportedWav, "its format chunk is too short"};
                return {TapeFailure::CannotRead, input.error()};
            }
            f.coding = le16(fmt);
            f.channels = le16(fmt + 2);
            f.sampleRate = le32(fmt + 4);
            f.frameBytes = le16(fmt + 12);
            f.bits = le16(fmt + 14);
            if (f.coding == 0xFFFE) {
                if (n < 26)
                    return {TapeFailure::UnsupportedWav, "its extensible format chunk is too short"};
                f.coding = le16(fmt + 24); // the sub-format GUID begins with the coding
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            f.dataOffset = body;
            const std::uint64_t rest = size - body;
            f.dataSize = length;
            if (length > rest) {
                if (length != 0xFFFFFFFFu && length != 0)
                    notes.push_back("the recording is shorter than its header says; it is read to its end");
                f.dataSize = rest;
            } else if (length == 0 && rest > 0) {
                f.dataSize = rest; // written by a recorder that never came back to fill it in
            }
            haveData = true;
        }
        at = body + length + (length & 1);
    }
    if (!haveFormat || !haveData)
        return {TapeFailure::UnsupportedWav,
                haveFormat ? "it holds no sample data" : "it has no format chunk"};
    const bool integer = f.coding == 1 && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
    const bool floating = f.coding == 3 && (f.bits == 32 || f.bits == 64);
    if (!integer && !floating) {
        if (f.coding == 1 || f.coding == 3)
            return {TapeFailure::UnsupportedWav,
                    std::to_string(f.bits) + "-bit " + (f.coding == 1 ? "integer" : "float") +
                        " samples (8, 16, 24 and 32-bit integer and 32 and 64-bit float are read)"};
        return {TapeFailure::UnsupportedWav,
                codingName(f.coding) + " (only PCM integer and float samples are read)"};
    }
    if (f.channels < 1 || f.channels > 64 || f.frameBytes != f.channels * (f.bits / 8)) {
        return {TapeFailure::UnsupportedWav, "its format chunk is inconsistent (" +
                                                 std::to_string(f.channels) + " channels, " +
                                                 std::to_string(f.frameBytes) + " bytes a frame)"};
    }
    return {};
}

StreamFailure readWavPulses(ByteSource& input, const PulseOptions& options, PulseSink& sink,
                            SourceInfo& info) {
    info.kind = SourceKind::Wav;
    WavFormat f;
    if (StreamFailure e = parseWav(input, f, info.notes))
        return e;
    std::uint32_t rate = f.sampleRate;
    if (options.sampleRate && *options.sampleRate > 0) {
        if (static_cast<std::uint32_t>(*options.sampleRate) != rate)
            info.notes.push_back("the header's rate of " + std::to_string(rate) + " Hz is taken as " +
                                 std::to_string(*options.sampleRate) + " Hz");
        rate = static_cast<std::uint32_t>(*options.sampleRate);
    }
    if (rate < static_cast<std::uint32_t>(kMinWavRate)) {
        const bool given = options.sampleRate && *options.sampleRate > 0;
        return {TapeFailure::UnsupportedWav,
                (given ? "a sample rate of " : "its header gives a sample rate of ") + std::to_string(rate) +
                    " Hz, too low to carry a tape signal (" + std::to_string(kMinWavRate) +
                    " Hz at the least" + (given ? ")" : "; give the rate when the header is wrong)")};
    }
    info.sampleRate = static_cast<int>(rate);
    info.bitsPerSample = f.bits;
    info.floatSamples = f.coding == 3;
    info.channels = f.channels;

    const std::uint64_t frames = f.dataSize / f.frameBytes;
    const double speed = options.speed > 0 ? options.speed : 1.0;
    const std::size_t blockFrames = std::min(kFrames, kBlockBytes / f.frameBytes);
    EdgeDetector detector(kPalClock * speed / rate, options.reverse, sink, blockFrames);
    const int threshold = std::clamp(options.threshold, 1, 255);
    const bool narrow = f.coding == 1 && f.bits <= 16;
    // Half the trigger amplitude on each side of the mean, in working units.
    const std::int64_t half = narrow ? threshold * 128 : threshold * 32768;
    const bool inPlace = narrow && f.bits == 16 && f.channels == 1;

    auto raw = std::make_unique<std::uint8_t[]>(blockFrames * f.frameBytes);
    auto work16 = std::make_unique<std::int16_t[]>(blockFrames + 1);
    std::unique_ptr<std::int32_t[]> work32;
    if (!narrow)
        work32 = std::make_unique<std::int32_t[]>(blockFrames + 1);

    int channel = 0;
    std::uint64_t done = 0;
    while (done < frames) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(blockFrames, frames - done));
        void* target = inPlace ? static_cast<void*>(work16.get()) : raw.get();
        if (!input.read(f.dataOffset + done * f.frameBytes, target, n * f.frameBytes)) {
            return {TapeFailure::CannotRead, input.error()};
        }
        if (done == 0 && f.channels > 1) {
            // The channel that swings widest at the start carries the tape.
            std::int64_t widest = -1;
            for (int c = 0; c < f.channels; ++c) {
                std::int64_t low, high;
                if (narrow) {
                    convert16(raw.get(), n, f, c, work16.get());
                    const auto [a, b] = std::minmax_element(work16.get(), work16.get() + n);
                    low = *a, high = *b;
                } else {
                    convert32(raw.get(), n, f, c, work32.get());
                    const auto [a, b] = std::minmax_element(work32.get(), work32.get() + n);
                    low = *a, high = *b;
                }
                if (high - low > widest) {
                    widest = high - low;
                    channel = c;
                }
            }
        }
        if (narrow) {
            if (!inPlace)
                convert16(raw.get(), n, f, channel, work16.get());
            std::int16_t lo, hi;
            levels(work16.get(), n, half, lo, hi);
            detector.run(work16.get(), n, lo, hi);
        } else {
            convert32(raw.get(), n, f, channel, work32.get());
            std::int32_t lo, hi;
            levels(work32.get(), n, half, lo, hi);
            detector.run(work32.get(), n, lo, hi);
        }
        done += n;
    }
    detector.flush();
    info.channelUsed = channel;
    info.pulses = detector.pulses();
    info.seconds = static_cast<double>(frames) / rate;
    if (f.channels > 1)
        info.notes.push_back(std::string("of ") + std::to_string(f.channels) + " channels the " +
                             (channel == 0   ? "first (left)"
                              : channel == 1 ? "second (right)"
                                             : "number " + std::to_string(channel + 1)) +
                             " is used");
    return {};
}

} // namespace vornix::tape
