#include "tape/tool/TapeOutputs.h"

#include "core/Extraction.h"
#include "core/FileIO.h"
#include "core/TapeDocument.h"

#include <cerrno>
#include <cmath>
#include <cstdio>

namespace vornix::tape {

namespace {

std::string seconds(double s) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", s);
    return text;
}

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "$%04X", value & 0xFFFF);
    return text;
}

bool isSeparator(char c) {
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

} // namespace

std::string describeSource(const SourceInfo& s) {
    std::string line;
    if (s.kind == SourceKind::Tap) {
        line = "TAP version " + std::to_string(s.tapVersion) + ", " + std::to_string(s.pulses) + " pulses";
    } else {
        line = "WAV " + std::to_string(s.sampleRate) + " Hz, " + std::to_string(s.bitsPerSample) + "-bit" +
               (s.floatSamples ? " float" : "");
        if (s.channels <= 1)
            line += ", mono";
        else
            line +=
                ", " + std::to_string(s.channels) + " channels (" +
                (s.channelUsed == 0 ? std::string("left") : "channel " + std::to_string(s.channelUsed + 1)) +
                " used)";
    }
    return line + ", " + seconds(s.seconds);
}

std::string printableName(const std::string& name) {
    std::string out;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        out += (u >= 0x20 && u < 0x7F) ? c : '?';
    }
    return out;
}

bool isDamaged(const FoundFile& file) {
    return file.state == FileState::ChecksumWrong || file.state == FileState::CutOff;
}

std::string damageMark(const FoundFile& file) {
    return isDamaged(file) ? std::string(" (") + stateName(file.state) + ")" : std::string();
}

std::string describeFile(std::size_t number, const FoundFile& f) {
    const unsigned last = f.data.empty() ? f.load : unsigned(f.load + f.data.size() - 1);
    std::string line = std::to_string(number) + ": \"" + printableName(f.name) + "\" " + hex4(f.load) + "-" +
                       hex4(last) + ", " + std::to_string(f.data.size()) + " bytes, " + loaderName(f.loader) +
                       ", at " + seconds(f.startSeconds) + ": " + stateName(f.state);
    if (!f.detail.empty())
        line += " (" + detailText(f.detail) + ")";
    return line;
}

std::string failureMessage(const TapeAnalysis& a) {
    switch (a.failure) {
    case TapeFailure::None: return {};
    case TapeFailure::CannotRead: {
        // The system's reason may name the file already; it is named once.
        const std::string named = a.path + ": ";
        return named + "cannot read the file: " +
               (a.detail.rfind(named, 0) == 0 ? a.detail.substr(named.size()) : a.detail);
    }
    case TapeFailure::NotTape: return a.path + ": not a TAP file nor a WAV recording";
    case TapeFailure::UnsupportedWav:
        return a.path + ": a WAV recording that is not read" + (a.detail.empty() ? "" : ": " + a.detail);
    case TapeFailure::UnsupportedTap:
        return a.path + ": a TAP version that is not read" + (a.detail.empty() ? "" : ": " + a.detail);
    case TapeFailure::NoFiles: return a.path + ": no files found on the tape";
    }
    return a.path + ": " + a.detail;
}

std::string summary(const std::vector<FoundFile>& files) {
    int good = 0, repaired = 0, damaged = 0;
    for (const FoundFile& f : files)
        (f.state == FileState::Good ? good : f.state == FileState::Repaired ? repaired : damaged)++;
    return std::to_string(files.size()) + (files.size() == 1 ? " file: " : " files: ") +
           std::to_string(good) + " good, " + std::to_string(repaired) + " repaired, " +
           std::to_string(damaged) + " damaged";
}

std::string labelFor(const std::string& tapePath) {
    std::string label = TapeDocument::capitals(platform::nativePath(tapePath).stem().string());
    return label.substr(0, kLabelSize);
}

OutputResult writeT64(const std::vector<const FoundFile*>& files, const std::string& path,
                      const std::string& label) {
    OutputResult result;
    TapeDocument doc;
    doc.newImage();
    doc.setLabel(label);
    for (const FoundFile* f : files) {
        AddResult added = doc.addProgram(f->name, f->name.substr(0, kNameSize), prgBytes(*f));
        if (!added.added) {
            result.refused = std::move(added);
            return result;
        }
    }
    platform::ExclusiveLock lock;
    if (const FileError e = lockExisting(path, lock)) {
        result.saved.error = e.message();
        result.saved.failure = e;
        return result;
    }
    result.saved = doc.saveAs(path, false);
    result.written = result.saved.written;
    return result;
}

std::string describe(const OutputResult& result) {
    return result.refused.refusal != AddRefusal::None ? result.refused.reason : result.saved.error;
}

P00Result writeP00(const std::string& target, const std::string& name, int number, const std::string& mark,
                   const std::vector<std::uint8_t>& bytes) {
    std::size_t cut = target.size();
    while (cut > 0 && !isSeparator(target[cut - 1]))
        --cut;
    const std::string folder = target.substr(0, cut);
    std::string base = target.substr(cut);
    if (number > 0) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%02d", number);
        base += digits;
    } else {
        std::string trimmed = name;
        while (!trimmed.empty() && (static_cast<unsigned char>(trimmed.back()) <= 32 ||
                                    static_cast<unsigned char>(trimmed.back()) == 0xA0))
            trimmed.pop_back();
        base += trimmed.empty() ? std::string("_") : safeFileName(trimmed);
    }
    base = folder + base + mark;

    P00Result result;
    result.path = base + ".P00";
    platform::TempFile file;
    if ((result.failure = platform::createUnnamed(folder, file)))
        return result;
    if (const int err = platform::writeAll(file.handle, bytes.data(), bytes.size())) {
        platform::discardTemp(file);
        result.failure = FileError{FileProblem::System, err, result.path};
        return result;
    }
    for (int n = 0; n < 100; ++n) {
        char extension[8];
        std::snprintf(extension, sizeof extension, ".P%02d", n);
        result.path = base + extension;
        result.failure = platform::nameNew(file, result.path);
        if (!(result.failure.problem == FileProblem::System && result.failure.code == EEXIST))
            break;
    }
    if (result.failure.problem == FileProblem::System && result.failure.code == EEXIST) {
        result.failure = {};
        result.noFreeName = true;
    }
    if (!result.written())
        platform::discardTemp(file);
    return result;
}

} // namespace vornix::tape
