#include "tape/TapeOutputs.h"

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
                       hex4(last) + ", " + std::to_string(f.data.size()) + " bytes, " +
                       std::string(loaderName(f.loader)) + ", at " + seconds(f.startSeconds) + ": " +
                       stateName(f.state);
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
    int good = 0, unchecked = 0, repaired = 0, damaged = 0;
    for (const FoundFile& f : files)
        (f.state == FileState::Good         ? good
         : f.state == FileState::NoChecksum ? unchecked
         : f.state == FileState::Repaired   ? repaired
                                            : damaged)++;
    return std::to_string(files.size()) + (files.size() == 1 ? " file: " : " files: ") +
           std::to_string(good) + " good, " +
           (unchecked ? std::to_string(unchecked) + " " + stateName(FileState::NoChecksum) + ", " : "") +
           std::to_string(repaired) + " repaired, " + std::to_string(damaged) + " damaged";
}

namespace {

// A name for what the loader keeps no name for: its id in capitals and a suffix of at most six
// characters, within a T64 entry's 16.
std::string loaderStem(const FoundFile& f, const char* suffixFormat, unsigned value) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, suffixFormat, value);
    return TapeDocument::capitals(std::string(f.loader)).substr(0, kNameSize - 6) + suffix;
}

} // namespace

std::string programStem(const FoundFile& f) {
    if (f.block < 0)
        return f.name;
    std::string stem = f.name;
    while (!stem.empty() && (stem.back() == ' ' || static_cast<unsigned char>(stem.back()) == 0xA0))
        stem.pop_back();
    if (!stem.empty())
        return stem.substr(0, kNameSize - 4);
    return loaderStem(f, "%02u", static_cast<unsigned>(f.program + 1));
}

std::string outputName(const FoundFile& f) {
    // A turbo loader's file stands on the tape whole and keeps no name: an empty entry or
    // file name tells the user nothing, so it is named by its loader and address. A ROM file
    // saved with an empty name keeps it: that is its name.
    if (f.block < 0 && f.name.empty() && f.loader != "rom")
        return loaderStem(f, " $%04X", f.load);
    if (f.block < 0)
        return f.name;
    char number[16];
    std::snprintf(number, sizeof number, "-%03d", f.block);
    return programStem(f) + number;
}

Entry entryFor(const FoundFile& f, const std::string& mark) {
    Entry entry;
    std::string name = outputName(f);
    // The mark goes after the name's own trailing blanks, which extraction trims.
    while (!name.empty() && static_cast<unsigned char>(name.back()) <= 32)
        name.pop_back();
    entry.name = name + mark;
    entry.load[0] = static_cast<std::uint8_t>(f.load & 0xFF);
    entry.load[1] = static_cast<std::uint8_t>(f.load >> 8);
    entry.data = Bytes(f.data);
    entry.size = static_cast<std::int32_t>(f.data.size());
    return entry;
}

ProgramToEncode programFor(const Entry& e) {
    ProgramToEncode p;
    p.name = e.name.substr(0, kNameSize);
    p.load = static_cast<std::uint16_t>(e.load[0] | e.load[1] << 8);
    p.data.assign(e.data.begin(), e.data.end());
    return p;
}

std::string labelFor(const std::string& tapePath) {
    std::string label = TapeDocument::capitals(platform::nativePath(tapePath).stem().string());
    return label.substr(0, kLabelSize);
}

OutputResult writeT64(const std::vector<FoundFile>& files, const std::string& path,
                      const std::string& tapePath) {
    OutputResult result;
    TapeDocument doc;
    doc.newImage();
    doc.setLabel(labelFor(tapePath));
    for (const FoundFile& f : files) {
        std::string name = outputName(f);
        if (isDamaged(f))
            name = "!" + name.substr(0, kNameSize - 1);
        AddResult added = doc.addProgram(name, name.substr(0, kNameSize), prgBytes(f));
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
