#include "tape/tool/Tape64Tool.h"

#include "core/FileIO.h"
#include "tape/Decoder.h"
#include "tape/Tape64CommandLine.h"
#include "tape/TapeOutputs.h"
#include "tape/TapeWriter.h"

#include "core/PlatformFile.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <set>

namespace vornix::tape {

namespace {

std::string lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A value the shell or the window left in double quotes.
std::string unquoted(std::string value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

std::optional<int> wholeNumber(const std::string& text, int low, int high) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<double> speedValue(std::string text) {
    for (char& c : text)
        if (c == ',')
            c = '.';
    double value = 0;
    const auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value) || value < 0.1 ||
        value > 9.9)
        return std::nullopt;
    return value;
}

} // namespace

void tape64Help(std::ostream& out) {
    out << "usage: tape64 -i:IN [options]\n"
           "\n"
           "Reads a Commodore 64 tape (a TAP file of version 0, 1 or 2, or a WAV recording), prints\n"
           "what it holds and writes the outputs asked for. Options stand in any order, each at most\n"
           "once. A value follows its colon or comes as the next word (-i: tape.wav), and may be\n"
           "given in double quotes (-i:\"my tape.wav\").\n"
           "\n"
           "  -i:IN          the tape: a TAP file or a WAV recording (PCM 8/16/24/32-bit, float; of\n"
           "                 several channels the one with the widest swing is used)\n"
           "  -or:OUT        write the tape's pulses as a version 1 TAP to OUT, with \".tap\" appended\n"
           "                 unless OUT ends in it\n"
           "  -ot:OUT.T64    write the programs found to a T64 image (replaced when it exists)\n"
           "  -op:DIR/PFX    write each program found as a P00 file in DIR, named PFX + its name;\n"
           "                 a name already taken gets .P01, .P02 ...\n"
           "  -n             name the P00 files PFX + their number on the tape (PFX01.P00 ...)\n"
           "  -e             also write files whose checksum is wrong or that are cut off; their\n"
           "                 names end in \" (checksum wrong)\" or \" (cut off)\", and a T64 entry\n"
           "                 of one starts with \"!\". Without -e they are listed and skipped\n"
           "  -y             yes to the tool's one question: convert a TAP that is already of\n"
           "                 version 1 with -or (without -y that is refused). The tool never waits\n"
           "                 for an answer\n"
           "  -v0:MS         length of a zero byte in a version 0 TAP, 1 to 10000 ms (default 100)\n"
           "  -f:N           sample rate of a WAV in Hz, overriding its header (1 to 999999); a\n"
           "                 rate below 8000 Hz, here or in the header, cannot carry a tape signal\n"
           "                 and is refused\n"
           "  -t:N           trigger amplitude 1 to 255, in 256ths of the samples' full range: a\n"
           "                 swing smaller than this is no edge (default 10, about 4 %)\n"
           "  -r             the recording's signal is upside down\n"
           "  -s:A.B         the tape ran A.B times too fast (0.1 to 9.9; a comma works too)\n"
           "  -h, --help     this help;  --version  the version\n"
           "\n"
           "Without -or, -ot or -op only the analysis is printed. Outputs are never written over\n"
           "the input and never left half-written. Nothing is written when nothing was found.\n"
           "Exit status: 0 done, 1 failed (the last line says why), 2 wrong options.\n"
           "\n"
           "Loaders read:";
    std::size_t column = 13;
    for (const LoaderInfo& l : loaders()) {
        const std::string item = " " + std::string(l.name) + (&l == &loaders().back() ? "." : ",");
        if (column + item.size() > 90) {
            out << "\n ";
            column = 1;
        }
        out << item;
        column += item.size();
    }
    out << "\n";
}

namespace {

using Reason = ArgumentError::Reason;

ArgumentError refused(Reason reason, std::string option, std::string value = {}, int low = 0, int high = 0) {
    ArgumentError e;
    e.reason = reason;
    e.option = std::move(option);
    e.value = std::move(value);
    e.low = low;
    e.high = high;
    return e;
}

ArgumentError refusedWord(Reason reason, const std::string& word) {
    ArgumentError e;
    e.reason = reason;
    e.word = word;
    return e;
}

// Why the words are no valid call; nothing when o holds them.
ArgumentError parseInto(const std::vector<std::string>& args, Tape64Options& o) {
    std::set<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const std::string low = lower(word);
        if (low == "-h" || low == "--help" || low == "-?" || low == "/?") {
            o.help = true;
            continue;
        }
        if (low == "--version") {
            o.version = true;
            continue;
        }
        if (low.size() < 2 || low[0] != '-')
            return refusedWord(Reason::NotAnOption, word);
        const std::size_t colon = low.find(':');
        const std::string name = low.substr(1, colon == std::string::npos ? std::string::npos : colon - 1);
        const bool valued = name == "i" || name == "or" || name == "ot" || name == "op" || name == "v0" ||
                            name == "f" || name == "t" || name == "s";
        if (!valued &&
            (colon != std::string::npos || !(name == "y" || name == "r" || name == "n" || name == "e")))
            return refusedWord(Reason::UnknownOption, word);
        // A second value would silently replace the first.
        if (!given.insert(name).second)
            return refused(Reason::Repeated, "-" + name);
        if (!valued) {
            (name == "y"   ? o.yes
             : name == "r" ? o.pulses.reverse
             : name == "n" ? o.numbered
                           : o.damaged) = true;
            continue;
        }
        std::string value = colon == std::string::npos ? std::string() : word.substr(colon + 1);
        // "-i: FILE": the value came as the next word.
        if (value.empty() && i + 1 < args.size() && !args[i + 1].empty() && args[i + 1][0] != '-')
            value = args[++i];
        value = unquoted(value);
        if (value.empty())
            return refused(Reason::NoValue, "-" + name);
        if (name == "i")
            o.input = value;
        else if (name == "or")
            o.tapOut = value;
        else if (name == "ot")
            o.t64Out = value;
        else if (name == "op")
            o.p00Out = value;
        else if (name == "s") {
            const auto speed = speedValue(value);
            if (!speed)
                return refused(Reason::BadSpeed, "-s", value);
            o.pulses.speed = *speed;
        } else {
            const int most = name == "v0" ? 10000 : name == "f" ? 999999 : 255;
            const auto n = wholeNumber(value, 1, most);
            if (!n)
                return refused(Reason::OutOfRange, "-" + name, value, 1, most);
            if (name == "v0")
                o.pulses.zeroOverflowMs = *n;
            else if (name == "f")
                o.pulses.sampleRate = *n;
            else
                o.pulses.threshold = *n;
        }
    }
    if (!o.help && !o.version && o.input.empty())
        return refused(Reason::NoInput, "-i");
    return {};
}

} // namespace

Tape64Arguments parseTape64Arguments(const std::vector<std::string>& args) {
    Tape64Arguments parsed;
    parsed.error = parseInto(args, parsed.options);
    return parsed;
}

std::string describe(const ArgumentError& e) {
    switch (e.reason) {
    case Reason::None: break;
    case Reason::NotAnOption: return "unexpected argument '" + e.word + "'";
    case Reason::UnknownOption: return "unknown option '" + e.word + "'";
    case Reason::NoValue: return e.option + ": needs a value";
    case Reason::BadSpeed:
        return e.option + ":" + e.value + ": the speed is a number from 0.1 to 9.9, such as 1.0";
    case Reason::OutOfRange:
        return e.option + ":" + e.value + ": a whole number from " + std::to_string(e.low) + " to " +
               std::to_string(e.high) + " is needed";
    case Reason::Repeated: return e.option + ": given twice; give it once";
    case Reason::NoInput: return "no input: -i:FILE is needed";
    }
    return {};
}

namespace {

int fail(std::ostream& out, const std::string& message) {
    out << "Error: " << message << std::endl;
    return 1;
}

std::string writeFailure(const TapeWriteResult& r) {
    switch (r.failure) {
    case TapeWriteFailure::None: return {};
    case TapeWriteFailure::SameAsInput: return r.path + ": this is the input itself";
    case TapeWriteFailure::CannotWrite: return r.detail.empty() ? r.path + ": cannot write" : r.detail;
    case TapeWriteFailure::CannotRead:
        return r.path + ": cannot read" + (r.detail.empty() ? "" : ": " + r.detail);
    case TapeWriteFailure::NotTape: return r.path + ": not a TAP file nor a WAV recording";
    case TapeWriteFailure::UnsupportedWav: return r.path + ": a WAV recording that is not read: " + r.detail;
    case TapeWriteFailure::Empty: return r.path + ": no pulses on it";
    case TapeWriteFailure::UnsupportedTap: return r.path + ": a TAP version that is not read: " + r.detail;
    case TapeWriteFailure::TooLarge:
        return r.path + ": too large" + (r.detail.empty() ? "" : ": " + r.detail);
    }
    return r.path + ": " + r.detail;
}

// Refuses a version 1 TAP without -y, and an output over the input; 0 to go on.
int checkTapOutput(const Tape64Options& o, std::ostream& out) {
    const std::string target = tape64::tapOutputPath(*o.tapOut);
    if (vornix::sameFile(o.input, target))
        return fail(out, target + ": this is the input itself; nothing written");
    platform::Handle f = platform::kNoHandle;
    std::uint64_t size = 0;
    unsigned char head[13] = {};
    const bool versionOne = !platform::openInput(o.input, f, size) && size >= sizeof head &&
                            !platform::readAt(f, head, sizeof head, 0, o.input) &&
                            std::string(reinterpret_cast<char*>(head), 12) == "C64-TAPE-RAW" && head[12] == 1;
    platform::close(f);
    if (versionOne && !o.yes)
        return fail(out, o.input + " is already a version 1 TAP; -y converts it all the same");
    return 0;
}

int convertToTap(const Tape64Options& o, std::ostream& out) {
    const std::string target = tape64::tapOutputPath(*o.tapOut);
    out << "Converting to TAP version 1: " << target << std::endl;
    const TapeWriteResult r = toTapV1(o.input, target, o.pulses);
    if (r.failure != TapeWriteFailure::None)
        return fail(out, writeFailure(r) + "; nothing written");
    out << "Written: " << target << " (" << r.bytesWritten << " bytes)" << std::endl;
    return 0;
}

} // namespace

int runTape64(const Tape64Options& o, std::ostream& out) {
    out << "Input: " << o.input << std::endl;
    if (o.tapOut)
        if (const int code = checkTapOutput(o, out))
            return code;

    const TapeAnalysis a = analyseTape(o.input, o.pulses);
    if (a.failure != TapeFailure::None && a.failure != TapeFailure::NoFiles)
        return fail(out, failureMessage(a));
    out << describeSource(a.source) << std::endl;
    for (const std::string& note : a.source.notes)
        out << "Note: " << note << std::endl;
    for (std::size_t i = 0; i < a.files.size(); ++i)
        out << describeFile(i + 1, a.files[i]) << std::endl;
    out << summary(a.files) << std::endl;
    // The pulses are converted whatever they hold: a loader we do not read is kept too.
    if (o.tapOut)
        if (const int code = convertToTap(o, out); code != 0 || (!o.t64Out && !o.p00Out))
            return code;
    if (a.files.empty())
        return fail(out, failureMessage(a) + (o.t64Out || o.p00Out ? "; nothing written" : ""));
    if (!o.t64Out && !o.p00Out)
        return 0;

    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < a.files.size(); ++i) {
        if (!isDamaged(a.files[i]) || o.damaged)
            chosen.push_back(i);
        else
            out << "Skipped " << i + 1 << ": \"" << printableName(a.files[i].name) << "\" is "
                << stateName(a.files[i].state) << " (-e writes it)" << std::endl;
    }
    if (chosen.empty())
        return fail(out, "every file found is damaged; nothing written (-e writes them)");

    int written = 0;
    if (o.t64Out) {
        if (vornix::sameFile(o.input, *o.t64Out))
            return fail(out, *o.t64Out + ": this is the input itself; nothing written");
        std::vector<FoundFile> files;
        for (std::size_t i : chosen)
            files.push_back(a.files[i]);
        if (const OutputResult t64 = writeT64(files, *o.t64Out, o.input); !t64.written)
            return fail(out, describe(t64) + "; nothing written");
        out << "Written: " << *o.t64Out << " (" << files.size()
            << (files.size() == 1 ? " program)" : " programs)") << std::endl;
        written += int(files.size());
    }
    if (o.p00Out) {
        for (std::size_t i : chosen) {
            const FoundFile& f = a.files[i];
            const P00Result p00 = writeP00(*o.p00Out, outputName(f), o.numbered ? int(i + 1) : 0,
                                           damageMark(f), p00Bytes(outputName(f), prgBytes(f)));
            if (p00.noFreeName)
                return fail(out, "no free P00 name for \"" + printableName(f.name) + "\" in " + *o.p00Out);
            if (p00.failure)
                return fail(out, p00.failure.message());
            out << "Written: " << p00.path << std::endl;
            ++written;
        }
    }
    out << "Done: " << written << (written == 1 ? " file written" : " files written") << std::endl;
    return 0;
}

} // namespace vornix::tape
