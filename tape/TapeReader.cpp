#include "tape/TapeReader.h"

#include "tape/Decoder.h"
#include "tape/PulseStream.h"

#include <algorithm>

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
}

void AllDecoders::pulses(const std::uint32_t* cycles, std::size_t count, std::uint64_t start) {
    units_.resize(count);
    std::uint8_t* units = units_.data();
    for (std::size_t i = 0; i < count; ++i)
        units[i] = pulseUnits(cycles[i]);
    const PulseBlock block{cycles, units, count, start};
    for (auto& d : decoders_)
        d->feed(block);
}

std::vector<FoundFile> AllDecoders::finish(std::vector<std::string>& notes) {
    std::vector<FoundFile> files;
    for (auto& d : decoders_)
        d->finish(files, notes);
    std::stable_sort(files.begin(), files.end(),
                     [](const FoundFile& a, const FoundFile& b) { return a.startSeconds < b.startSeconds; });
    return files;
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
