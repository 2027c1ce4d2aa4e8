#include "tape/TapeReader.h"

#include "tape/Decoder.h"
#include "tape/PulseStream.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vornix::tape {

namespace {

void analyse(ByteSource& input, const PulseOptions& options, TapeAnalysis& a) {
    AllDecoders decoders;
    if (StreamFailure stopped = streamPulses(input, options, decoders, a.source)) {
        a.failure = stopped.failure;
        a.detail = std::move(stopped.detail);
        return;
    }
    a.files = decoders.finish(a.source.notes);
    if (a.files.empty() && a.source.kind == SourceKind::Wav) {
        PulseOptions reversed = options;
        reversed.reverse = !options.reverse;
        AllDecoders again;
        SourceInfo info;
        if (!streamPulses(input, reversed, again, info)) {
            std::vector<FoundFile> files = again.finish(info.notes);
            if (!files.empty()) {
                a.files = std::move(files);
                a.source = std::move(info);
                a.source.notes.push_back(std::string("nothing was found with the signal ") +
                                         (options.reverse ? "reversed" : "as it is") + "; read " +
                                         (options.reverse ? "as it is" : "reversed") + " instead");
            }
        }
    }
    if (a.files.empty()) {
        a.failure = TapeFailure::NoFiles;
        a.detail = "no program was found on the tape";
    }
}

} // namespace

TapeAnalysis analyseTape(const std::string& path, const PulseOptions& options) {
    TapeAnalysis a;
    a.path = path;
    FileSource input;
    if (!input.open(path)) {
        a.failure = TapeFailure::CannotRead;
        a.detail = input.error();
        return a;
    }
    analyse(input, options, a);
    return a;
}

TapeAnalysis analyseTapeData(const std::uint8_t* data, std::size_t size, const PulseOptions& options) {
    TapeAnalysis a;
    MemorySource input(data, size);
    analyse(input, options, a);
    return a;
}

std::vector<FoundFile> decodePulses(const std::vector<std::uint32_t>& pulses,
                                    std::vector<std::string>* notes) {
    AllDecoders decoders;
    if (!pulses.empty())
        decoders.pulses(pulses.data(), pulses.size(), 0);
    std::vector<std::string> discarded;
    return decoders.finish(notes ? *notes : discarded);
}

AllDecoders::AllDecoders() {
    for (const LoaderInfo& l : loaders())
        decoders_.push_back(l.make());
    fedTo_.assign(decoders_.size(), 0);
}

namespace {

constexpr std::size_t kChunk = 16, kHistory = 16;
// Chunks before a steady one that every decoder is fed too: a pilot's first pulses, and a
// sync or lead-in a loader checks before it.
constexpr std::size_t kLeadChunks = 8;
// How much a decoder that is busy between steady stretches is fed before it is asked again.
constexpr std::size_t kBusyStep = 4096;
// Blocks are judged this many pulses at a time at the least.
constexpr std::size_t kFewest = 4096;

// Which pilots the 16 units at u may be part of, as bits by Decoder::Pilots (0 for none):
// each within an eighth and one unit of the one before (one length), or of the one p before
// for some p from 8 to 15 (a pattern); u has 15 units before it.
unsigned pilotKinds(const std::uint8_t* u) {
    using Pilots = Decoder::Pilots;
#if defined(__SSE2__)
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(u));
    const __m128i tolerance =
        _mm_add_epi8(_mm_and_si128(_mm_srli_epi16(a, 3), _mm_set1_epi8(0x1F)), _mm_set1_epi8(1));
    const __m128i zero = _mm_setzero_si128();
    const auto near = [&](int p) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(u - p));
        const __m128i distance = _mm_or_si128(_mm_subs_epu8(a, b), _mm_subs_epu8(b, a));
        return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_subs_epu8(distance, tolerance), zero)) == 0xFFFF;
    };
#else
    const auto near = [&](int p) {
        for (int k = 0; k < 16; ++k) {
            const int x = u[k], y = u[k - p];
            if ((x > y ? x - y : y - x) > (x >> 3) + 1)
                return false;
        }
        return true;
    };
#endif
    if (near(1))
        return 1u << int(Pilots::OneLength);
    for (int p = 8; p < 16; ++p)
        if (near(p))
            return 1u << int(Pilots::Pattern);
    return 0;
}

// How a reading ranks when two loaders read one block: lower is more to be trusted.
int trust(FileState s) {
    switch (s) {
    case FileState::Good:
    case FileState::Repaired: return 0;
    case FileState::NoChecksum: return 1;
    case FileState::ChecksumWrong:
    case FileState::CutOff: return 2;
    }
    return 2;
}

// Two readings closer than this began at one pilot: blocks of their own are further apart.
constexpr double kSameBlockSeconds = 0.2;

} // namespace

void AllDecoders::markSteady(std::size_t count) {
    const std::uint8_t* u = units_.data() + kHistory;
    const std::size_t chunks = count / kChunk;
    // Every other chunk is enough: the shortest pilot read (8 bytes) holds two whole chunks
    // that repeat within it, one of them even. The odd ones stay unknown (0).
    kinds_.assign(chunks, 0);
    for (std::size_t k = 0; k < chunks; k += 2)
        kinds_[k] = static_cast<std::uint8_t>(pilotKinds(u + k * kChunk));
    std::size_t from[3] = {}, to[3] = {}; // the stretch being built for each kind
    for (Stretches& out : steady_)
        out.clear();
    for (std::size_t k = 0; k < chunks; k += 2) {
        const unsigned kind = kinds_[k];
        if (!kind)
            continue;
        const std::size_t a = (k > kLeadChunks ? k - kLeadChunks : 0) * kChunk, b = (k + 2) * kChunk;
        for (int pilots = 0; pilots < 3; ++pilots) {
            // Any takes both kinds.
            if (!(kind & (pilots == int(Decoder::Pilots::Any) ? 3u : 1u << pilots)))
                continue;
            if (to[pilots] > 0 && a <= to[pilots]) {
                to[pilots] = b;
                continue;
            }
            if (to[pilots] > 0)
                steady_[pilots].push_back({from[pilots], to[pilots]});
            from[pilots] = a;
            to[pilots] = b;
        }
    }
    // The last pulses, fewer than a chunk, are judged with the next block: a stretch that
    // begins there has them in its lead.
    for (int pilots = 0; pilots < 3; ++pilots)
        if (to[pilots] > 0)
            steady_[pilots].push_back({from[pilots], std::min(to[pilots], count)});
}

void AllDecoders::feed(std::size_t decoder, const std::uint32_t* cycles, std::size_t from, std::size_t to) {
    const std::size_t chunk = from / kChunk;
    std::uint64_t start = chunkStart_[chunk];
    for (std::size_t i = chunk * kChunk; i < from; ++i)
        start += cycles[i];
    // Every stretch begins at a multiple of 16 pulses, so the kinds line up with it.
    const std::size_t chunks = kinds_.size() > chunk ? kinds_.size() - chunk : 0;
    decoders_[decoder]->feed(PulseBlock{cycles + from, units_.data() + kHistory + from, to - from, start,
                                        chunks ? kinds_.data() + chunk : nullptr, chunks});
    fedTo_[decoder] = blockIndex_ + to;
}

// A stretch at the start of a block has its lead in the blocks before: the pulses of it the
// decoder was spared, so that where blocks end changes nothing.
void AllDecoders::feedLead(std::size_t decoder) {
    const std::uint64_t first = blockIndex_ - leadCycles_.size();
    if (fedTo_[decoder] >= blockIndex_)
        return;
    const std::size_t skip = fedTo_[decoder] > first ? std::size_t(fedTo_[decoder] - first) : 0;
    std::uint64_t start = leadStart_;
    for (std::size_t i = 0; i < skip; ++i)
        start += leadCycles_[i];
    decoders_[decoder]->feed(
        PulseBlock{leadCycles_.data() + skip, leadUnits_.data() + skip, leadCycles_.size() - skip, start});
    fedTo_[decoder] = blockIndex_;
}

void AllDecoders::keepLead(const std::uint32_t* cycles, std::size_t count, std::uint64_t end) {
    constexpr std::size_t kLead = kLeadChunks * kChunk;
    const std::size_t take = std::min(count, kLead);
    const std::size_t keep = std::min(leadCycles_.size(), kLead - take);
    leadCycles_.erase(leadCycles_.begin(), leadCycles_.end() - static_cast<std::ptrdiff_t>(keep));
    leadUnits_.erase(leadUnits_.begin(), leadUnits_.end() - static_cast<std::ptrdiff_t>(keep));
    leadCycles_.insert(leadCycles_.end(), cycles + count - take, cycles + count);
    const std::uint8_t* units = units_.data() + kHistory;
    leadUnits_.insert(leadUnits_.end(), units + count - take, units + count);
    leadStart_ = end;
    for (std::uint32_t c : leadCycles_)
        leadStart_ -= c;
}

void AllDecoders::pulses(const std::uint32_t* cycles, std::size_t count, std::uint64_t start) {
    if (gathered_.empty() && count >= kFewest) {
        decode(cycles, count, start);
        return;
    }
    if (gathered_.empty())
        gatheredStart_ = start;
    gathered_.insert(gathered_.end(), cycles, cycles + count);
    if (gathered_.size() >= kFewest) {
        decode(gathered_.data(), gathered_.size(), gatheredStart_);
        gathered_.clear();
    }
}

void AllDecoders::decode(const std::uint32_t* cycles, std::size_t count, std::uint64_t start) {
    if (count == 0)
        return;
    // The last block's final units stay in front, so that the first pulses have theirs to
    // compare with.
    if (units_.size() >= kHistory)
        std::copy(units_.end() - kHistory, units_.end(), units_.begin());
    else
        units_.assign(kHistory, 0);
    units_.resize(kHistory + count);
    std::uint8_t* units = units_.data() + kHistory;
    chunkStart_.resize(count / kChunk + 2);
    std::uint64_t at = start;
    std::size_t k = 0;
    // Sixteen at a time: their units, and their sum (each below 2^32: it fits 36 bits).
    for (; (k + 1) * kChunk <= count; ++k) {
        chunkStart_[k] = at;
        const std::uint32_t* c = cycles + k * kChunk;
#if defined(__SSE2__)
        __m128i v[4], sum = _mm_setzero_si128();
        const __m128i zero = _mm_setzero_si128();
        for (int q = 0; q < 4; ++q) {
            v[q] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + 4 * q));
            sum = _mm_add_epi64(
                sum, _mm_add_epi64(_mm_unpacklo_epi32(v[q], zero), _mm_unpackhi_epi32(v[q], zero)));
            v[q] = _mm_srli_epi32(v[q], 3);
        }
        // cycles / 8 is below 2^29: the signed packing saturates it to 32767, the unsigned one to 255.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(units + k * kChunk),
                         _mm_packus_epi16(_mm_packs_epi32(v[0], v[1]), _mm_packs_epi32(v[2], v[3])));
        std::uint64_t halves[2];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(halves), sum);
        at += halves[0] + halves[1];
#else
        for (std::size_t j = 0; j < kChunk; ++j) {
            units[k * kChunk + j] = pulseUnits(c[j]);
            at += c[j];
        }
#endif
    }
    chunkStart_[k] = at;
    for (std::size_t i = k * kChunk; i < count; ++i) {
        units[i] = pulseUnits(cycles[i]);
        at += cycles[i];
    }
    markSteady(count);
    for (std::size_t d = 0; d < decoders_.size(); ++d) {
        Decoder& decoder = *decoders_[d];
        const Stretches& steady = steady_[int(decoder.pilots())];
        std::size_t pos = 0;
        for (std::size_t s = 0; s <= steady.size(); ++s) {
            const auto [a, b] = s < steady.size() ? steady[s] : std::pair{count, count};
            while (pos < a && !decoder.seeking()) {
                const std::size_t e = std::min(a, pos + kBusyStep);
                feed(d, cycles, pos, e);
                pos = e;
            }
            if (a == 0 && b > 0)
                feedLead(d);
            if (a < b)
                feed(d, cycles, a, b);
            pos = b;
        }
    }
    keepLead(cycles, count, at);
    blockIndex_ += count;
}

std::vector<FoundFile> AllDecoders::finish(std::vector<std::string>& notes) {
    decode(gathered_.data(), gathered_.size(), gatheredStart_);
    gathered_.clear();
    std::vector<FoundFile> files;
    for (auto& d : decoders_)
        d->finish(files, notes);
    std::stable_sort(files.begin(), files.end(),
                     [](const FoundFile& a, const FoundFile& b) { return a.startSeconds < b.startSeconds; });
    std::vector<bool> outranked(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        for (std::size_t j = i + 1;
             j < files.size() && files[j].startSeconds - files[i].startSeconds < kSameBlockSeconds; ++j) {
            if (files[i].loader == files[j].loader)
                continue;
            const int a = trust(files[i].state), b = trust(files[j].state);
            if (a < b)
                outranked[j] = true;
            else if (b < a)
                outranked[i] = true;
        }
    std::vector<FoundFile> kept;
    kept.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!outranked[i])
            kept.push_back(std::move(files[i]));
    return kept;
}

std::vector<std::uint8_t> prgBytes(const FoundFile& file) {
    std::vector<std::uint8_t> out;
    out.reserve(file.data.size() + 2);
    out.push_back(static_cast<std::uint8_t>(file.load & 0xFF));
    out.push_back(static_cast<std::uint8_t>(file.load >> 8));
    out.insert(out.end(), file.data.begin(), file.data.end());
    return out;
}

const char* stateName(FileState state) {
    switch (state) {
    case FileState::Good: return "good";
    case FileState::NoChecksum: return "no checksum";
    case FileState::Repaired: return "repaired";
    case FileState::ChecksumWrong: return "checksum wrong";
    case FileState::CutOff: return "cut off";
    }
    return "?";
}

namespace {

std::string plural(std::size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string copyText(const FileDetail& d, const char* which) {
    switch (d.trouble) {
    case CopyTrouble::CutOff: return std::string("the ") + which + " copy is cut off";
    case CopyTrouble::ChecksumWrong: return std::string("the ") + which + " copy's checksum is wrong";
    case CopyTrouble::UnreadableBytes:
        return std::string("the ") + which + " copy has " + plural(d.bytes, "unreadable byte");
    case CopyTrouble::None: break;
    }
    return {};
}

} // namespace

std::string detailText(const FileDetail& detail) {
    std::string text;
    switch (detail.kind) {
    case FileDetailKind::None: break;
    case FileDetailKind::SecondCopyBad: text = copyText(detail, "second"); break;
    case FileDetailKind::FirstCopyBad: text = copyText(detail, "first") + "; read from the second"; break;
    case FileDetailKind::FirstCopyMissing: text = "the first copy is missing; read from the second"; break;
    case FileDetailKind::BytesFromOtherCopy:
        text = plural(detail.bytes, "byte") + " lost in one copy taken from the other";
        break;
    case FileDetailKind::TapeEnds:
        text = "the tape ends after " + plural(detail.bytes, "byte") + " of " + std::to_string(detail.total);
        break;
    case FileDetailKind::BytesUnreadable:
        text =
            plural(detail.bytes, "byte") + (detail.bothCopies ? " unreadable in both copies" : " unreadable");
        break;
    case FileDetailKind::ChecksumWrong:
        text = detail.bothCopies ? "the checksum is wrong in both copies" : "the checksum is wrong";
        break;
    case FileDetailKind::NoDataBlock: text = "no data block follows the header"; break;
    case FileDetailKind::NoHeader: text = "no header before the data"; break;
    case FileDetailKind::HeaderUnreadable: text = "the header is unreadable"; break;
    }
    const auto join = [&text](const std::string& more) { text = text.empty() ? more : more + "; " + text; };
    if (detail.headerNamed > 0)
        join("the header names " + plural(detail.headerNamed, "byte") + "; the data block ends sooner");
    if (detail.headerChecksumWrong)
        join("the header's checksum is wrong");
    return text;
}

std::string_view loaderName(std::string_view id) {
    const LoaderInfo* l = findLoader(id);
    return l ? l->name : id;
}

} // namespace vornix::tape
