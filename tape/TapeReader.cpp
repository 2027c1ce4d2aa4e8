#include "tape/TapeReader.h"

#include "tape/PulseStream.h"
#include "tape/RomLoader.h"
#include "tape/TurboTape.h"

#include <algorithm>

namespace vornix::tape {

namespace {

// Both loaders read the one pulse stream side by side.
class Decoders : public PulseSink {
  public:
    void pulses(const std::uint32_t* lengths, std::size_t count, std::uint64_t start) override {
        rom_.feed(lengths, count);
        turbo_.feed(lengths, count, start);
    }
    std::vector<FoundFile> finish(std::vector<std::string>& notes) {
        rom_.finish();
        turbo_.finish();
        std::vector<FoundFile> files = std::move(rom_.files());
        for (FoundFile& f : turbo_.files())
            files.push_back(std::move(f));
        std::stable_sort(files.begin(), files.end(), [](const FoundFile& a, const FoundFile& b) {
            return a.startSeconds < b.startSeconds;
        });
        for (std::string& n : rom_.notes())
            notes.push_back(std::move(n));
        return files;
    }

  private:
    RomLoaderDecoder rom_;
    TurboTapeDecoder turbo_;
};

void analyse(ByteSource& input, const PulseOptions& options, TapeAnalysis& a) {
    Decoders decoders;
    if (StreamFailure stopped = streamPulses(input, options, decoders, a.source)) {
        a.failure = stopped.failure;
        a.detail = std::move(stopped.detail);
        return;
    }
    a.files = decoders.finish(a.source.notes);
    if (a.files.empty() && a.source.kind == SourceKind::Wav) {
        PulseOptions reversed = options;
        reversed.reverse = !options.reverse;
        Decoders again;
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
    Decoders decoders;
    if (!pulses.empty())
        decoders.pulses(pulses.data(), pulses.size(), 0);
    std::vector<std::string> discarded;
    return decoders.finish(notes ? *notes : discarded);
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
    if (!detail.headerChecksumWrong)
        return text;
    return text.empty() ? "the header's checksum is wrong" : "the header's checksum is wrong; " + text;
}

const char* loaderName(Loader loader) { return loader == Loader::Rom ? "ROM loader" : "Turbo Tape 64"; }

} // namespace vornix::tape
