#include "tape/TapPulses.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vornix::tape {

namespace {

constexpr std::size_t kBlock = 256 * 1024;

std::uint32_t le24(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | static_cast<std::uint32_t>(p[2]) << 16;
}

std::string number(std::uint64_t n) {
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

// Multiplies every pulse by the speed factor, saturating.
void applySpeed(std::uint32_t* p, std::size_t n, double speed) {
    for (std::size_t i = 0; i < n; ++i) {
        const double v = std::round(p[i] * speed);
        p[i] = v >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v);
    }
}

// Plain TAP bytes as pulses of eight cycles a unit; returns their sum.
std::uint64_t widen(const std::uint8_t* b, std::size_t n, std::uint32_t* o) {
    std::uint64_t sum = 0;
    std::size_t j = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    __m128i total = zero;
    for (; j + 16 <= n; j += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + j));
        total = _mm_add_epi64(total, _mm_sad_epu8(x, zero));
        const __m128i low = _mm_unpacklo_epi8(x, zero), high = _mm_unpackhi_epi8(x, zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + j), _mm_slli_epi32(_mm_unpacklo_epi16(low, zero), 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + j + 4),
                         _mm_slli_epi32(_mm_unpackhi_epi16(low, zero), 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + j + 8),
                         _mm_slli_epi32(_mm_unpacklo_epi16(high, zero), 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + j + 12),
                         _mm_slli_epi32(_mm_unpackhi_epi16(high, zero), 3));
    }
    std::uint64_t halves[2];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(halves), total);
    sum = (halves[0] + halves[1]) * 8;
#endif
    for (; j < n; ++j) {
        o[j] = b[j] * 8u;
        sum += o[j];
    }
    return sum;
}

} // namespace

bool isTapSignature(const std::uint8_t* first, std::size_t size) {
    return size >= 12 &&
           (std::memcmp(first, "C64-TAPE-RAW", 12) == 0 || std::memcmp(first, "C16-TAPE-RAW", 12) == 0);
}

std::uint32_t overflowCycles(int zeroOverflowMs) {
    const int ms = std::clamp(zeroOverflowMs, 1, 100000);
    return static_cast<std::uint32_t>(std::lround(ms * kPalClock / 1000.0));
}

StreamFailure readTapPulses(ByteSource& input, const PulseOptions& options, PulseSink& sink,
                            SourceInfo& info) {
    info.kind = SourceKind::Tap;
    const std::uint64_t size = input.size();
    std::uint8_t h[kTapHeaderSize];
    if (size < kTapHeaderSize) {
        return {TapeFailure::NotTape, "the file ends inside the 20-byte TAP header"};
    }
    if (!input.read(0, h, kTapHeaderSize)) {
        return {TapeFailure::CannotRead, input.error()};
    }
    const int version = h[12];
    info.tapVersion = version;
    if (version > 2) {
        return {TapeFailure::UnsupportedTap,
                "TAP version " + std::to_string(version) + " (versions 0, 1 and 2 are read)"};
    }
    if (h[13] == 1)
        info.notes.push_back("the header names the VIC-20 as the machine; pulses are read as C64 pulses");
    else if (h[13] == 2)
        info.notes.push_back("the header names the C16/Plus4 as the machine; pulses are read as C64 pulses");
    if (h[14] != 0)
        info.notes.push_back("the header names an NTSC machine; pulse lengths are taken as they are");
    if (version == 2)
        info.notes.push_back("version 2 counts half-waves; each two make one pulse");

    const std::uint64_t declared = h[16] | h[17] << 8 | h[18] << 16 | static_cast<std::uint64_t>(h[19]) << 24;
    const std::uint64_t actual = size - kTapHeaderSize;
    if (declared != actual)
        info.notes.push_back("the header gives a data length of " + number(declared) +
                             " bytes; the file holds " + number(actual) + ": it is read to its end");

    const std::uint32_t overflow = overflowCycles(options.zeroOverflowMs);
    const bool scale = options.speed > 0 && options.speed != 1.0;
    // Room for a long-form group cut by the block's end, carried to the next block.
    auto buffer = std::make_unique<std::uint8_t[]>(kBlock + 4);
    auto out = std::make_unique<std::uint32_t[]>(kBlock + 4);
    std::uint64_t offset = kTapHeaderSize;
    std::size_t carry = 0;
    std::uint32_t half = 0; // version 2: the first half-wave of a pulse not yet complete
    bool haveHalf = false;
    std::uint64_t cycles = 0, count = 0;
    bool truncatedGroup = false;
    while (offset < size) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, size - offset));
        if (!input.read(offset, buffer.get() + carry, n)) {
            return {TapeFailure::CannotRead, input.error()};
        }
        offset += n;
        const bool last = offset >= size;
        const std::size_t total = carry + n;
        const std::uint8_t* b = buffer.get();
        std::size_t i = 0, k = 0;
        std::uint64_t sum = 0; // of version 1 pulses as they are
        carry = 0;
        if (version == 0) {
            for (; i < total; ++i)
                out[k++] = b[i] ? b[i] * 8u : overflow;
        } else {
            while (i < total) {
                // The bytes up to the next zero are plain pulses.
                const void* zero = std::memchr(b + i, 0, total - i);
                const std::size_t end = zero ? static_cast<const std::uint8_t*>(zero) - b : total;
                sum += widen(b + i, end - i, out.get() + k);
                k += end - i;
                i = end;
                if (i == total)
                    break;
                if (total - i < 4) {
                    if (last) {
                        truncatedGroup = true;
                        i = total;
                    } else {
                        carry = total - i;
                        std::memmove(buffer.get(), b + i, carry);
                    }
                    break;
                }
                const std::uint32_t c = le24(b + i + 1);
                if (c)
                    out[k++] = c;
                sum += c;
                i += 4;
            }
        }
        if (version == 2) {
            std::size_t w = 0;
            for (std::size_t r = 0; r < k; ++r) {
                if (haveHalf)
                    out[w++] = half + out[r];
                else
                    half = out[r];
                haveHalf = !haveHalf;
            }
            k = w;
        }
        if (scale)
            applySpeed(out.get(), k, options.speed);
        if (version != 1 || scale) {
            sum = 0;
            for (std::size_t j = 0; j < k; ++j)
                sum += out[j];
        }
        if (k)
            sink.pulses(out.get(), k, cycles);
        cycles += sum;
        count += k;
    }
    if (truncatedGroup)
        info.notes.push_back("the file ends inside a long pulse; its last bytes are ignored");
    info.pulses = count;
    info.seconds = cycles / kPalClock;
    return {};
}

} // namespace vornix::tape
