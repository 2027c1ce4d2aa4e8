// Subcommands on tapes: what a TAP file or a WAV recording holds, its programs taken out,
// and programs put back on tape.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "core/FileIO.h"

#include "core/Extraction.h"
#include "core/T64Image.h"
#include "tape/Decoder.h"
#include "tape/TapeOutputs.h"
#include "tape/TapeReader.h"
#include "tape/TapeWriter.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <sstream>

using namespace vornix::cli;
namespace tape = vornix::tape;

namespace {

const char* const kPulseHelp =
    "\nTAPE is a TAP file of version 0, 1 or 2, or a WAV recording. How it is read: --v0-ms N,\n"
    "the length of a version 0 TAP's zero byte (1 to 10000 ms, default 100); --rate N, a WAV's\n"
    "sample rate in Hz instead of its header's (a rate below 8000 Hz, given or in the header,\n"
    "cannot carry a tape signal and is refused); --threshold N, the trigger amplitude (1 to 255,\n"
    "in 256ths of the samples' full range, default 10); --reverse, the signal is upside down;\n"
    "--speed X, the tape ran X times too fast (0.1 to 9.9).\n";

// The pulse options given; false (usage error printed) when one is out of range.
bool pulseOptions(const CommandLine& cl, tape::PulseOptions& o, int& code) {
    const auto value = [&](const char* name) -> const std::string* {
        const auto it = cl.values.find(name);
        return it == cl.values.end() ? nullptr : &it->second;
    };
    if (const std::string* v = value("--v0-ms")) {
        const auto n = number(*v, 1, 10000);
        if (!n)
            return code = usageError(cl, "--v0-ms: a whole number from 1 to 10000 is needed"), false;
        o.zeroOverflowMs = *n;
    }
    if (const std::string* v = value("--rate")) {
        const auto n = number(*v, 1, 999999);
        if (!n)
            return code = usageError(cl, "--rate: a whole number from 1 to 999999 is needed"), false;
        o.sampleRate = *n;
    }
    if (const std::string* v = value("--threshold")) {
        const auto n = number(*v, 1, 255);
        if (!n)
            return code = usageError(cl, "--threshold: a whole number from 1 to 255 is needed"), false;
        o.threshold = *n;
    }
    if (const std::string* v = value("--speed")) {
        char* end = nullptr;
        const double s = std::strtod(v->c_str(), &end);
        if (v->empty() || *end != '\0' || !(s >= 0.1 && s <= 9.9))
            return code = usageError(cl, "--speed: a number from 0.1 to 9.9 is needed"), false;
        o.speed = s;
    }
    o.reverse = cl.flags.count("--reverse") > 0;
    return true;
}

// The tape's analysis, its notes on standard error; false (message printed) when it failed.
bool analyse(const std::string& path, const tape::PulseOptions& o, tape::TapeAnalysis& a) {
    a = tape::analyseTape(path, o);
    for (const std::string& n : a.source.notes)
        note(path + ": " + n);
    if (a.failure != tape::TapeFailure::None) {
        failure(tape::failureMessage(a));
        return false;
    }
    return true;
}

// The files to write: sound ones, and damaged ones when asked; the others are named.
std::vector<std::size_t> chosenFiles(const tape::TapeAnalysis& a, bool damaged) {
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < a.files.size(); ++i) {
        if (!tape::isDamaged(a.files[i]) || damaged)
            chosen.push_back(i);
        else
            note(a.path + ": skipped " + tape::describeFile(i + 1, a.files[i]) + " (--damaged writes it)");
    }
    return chosen;
}

std::string writeFailure(const tape::TapeWriteResult& r) {
    using F = tape::TapeWriteFailure;
    switch (r.failure) {
    case F::None: return {};
    case F::SameAsInput: return r.path + ": this is the input itself";
    case F::NotTape: return r.path + ": not a TAP file nor a WAV recording";
    case F::UnsupportedWav: return r.path + ": a WAV recording that is not read: " + r.detail;
    case F::Empty: return r.path + ": nothing to write";
    case F::UnsupportedTap: return r.path + ": a TAP version that is not read: " + r.detail;
    case F::TooLarge: return r.path + ": too large" + (r.detail.empty() ? "" : ": " + r.detail);
    case F::CannotRead:
    case F::CannotWrite: break;
    }
    return r.detail.empty() ? r.path + ": cannot be " + (r.failure == F::CannotRead ? "read" : "written")
                            : (r.detail.rfind(r.path, 0) == 0 ? r.detail : r.path + ": " + r.detail);
}

// The registered loaders, one a line: id and name (--json: an array of both).
int listLoaders(const CommandLine& cl) {
    std::ostringstream out;
    if (cl.flags.count("--json")) {
        Json json;
        json.array(true);
        for (const tape::LoaderInfo& l : tape::loaders())
            json.object().key("id").text(std::string(l.id)).key("name").text(std::string(l.name)).end();
        out << json.finish();
    } else {
        for (const tape::LoaderInfo& l : tape::loaders())
            out << l.id << std::string(l.id.size() < 12 ? 12 - l.id.size() : 1, ' ') << l.name << "\n";
    }
    std::cout << out.str() << std::flush;
    return 0;
}

int tapList(const CommandLine& cl) {
    if (cl.flags.count("--loaders"))
        return listLoaders(cl);
    tape::PulseOptions o;
    if (int code = 0; !pulseOptions(cl, o, code))
        return code;
    const std::string& path = cl.operands[0];
    tape::TapeAnalysis a = tape::analyseTape(path, o);
    if (a.failure != tape::TapeFailure::None && a.failure != tape::TapeFailure::NoFiles)
        return failure(tape::failureMessage(a));
    std::ostringstream out;
    if (cl.flags.count("--json")) {
        const tape::SourceInfo& s = a.source;
        Json json;
        json.object().key("source").object().key("kind").text(s.kind == tape::SourceKind::Tap ? "tap"
                                                                                              : "wav");
        if (s.kind == tape::SourceKind::Tap)
            json.key("version").number(s.tapVersion);
        else
            json.key("rate").number(s.sampleRate).key("bits").number(s.bitsPerSample);
        if (s.kind != tape::SourceKind::Tap)
            json.key("float").boolean(s.floatSamples).key("channels").number(s.channels);
        if (s.kind != tape::SourceKind::Tap)
            json.key("channelUsed").number(s.channelUsed);
        json.key("pulses").number(s.pulses).key("seconds").fixed(s.seconds, 3).key("notes").array();
        for (const std::string& n : s.notes)
            json.text(n);
        json.end().end().key("files").array(true);
        for (const tape::FoundFile& f : a.files) {
            json.object().key("name").text(f.name);
            json.key("loader").text(std::string(f.loader)).key("load").number(f.load);
            json.key("end").number(f.load + f.data.size()).key("size").number(f.data.size());
            json.key("start").fixed(f.startSeconds, 3).key("state").text(tape::stateName(f.state));
            if (!f.detail.empty())
                json.key("detail").text(tape::detailText(f.detail));
            json.end();
        }
        out << json.finish();
    } else {
        out << path << ": " << tape::describeSource(a.source) << "\n";
        for (const std::string& n : a.source.notes)
            out << "note: " << n << "\n";
        for (std::size_t i = 0; i < a.files.size(); ++i)
            out << tape::describeFile(i + 1, a.files[i]) << "\n";
        out << tape::summary(a.files) << "\n";
    }
    std::cout << out.str() << std::flush;
    return a.files.empty() ? failure(tape::failureMessage(a)) : 0;
}

int tapExtract(const CommandLine& cl) {
    tape::PulseOptions o;
    if (int code = 0; !pulseOptions(cl, o, code))
        return code;
    std::string folder = ".";
    for (const char* name : {"-o", "--output"})
        if (const auto it = cl.values.find(name); it != cl.values.end())
            folder = it->second;
    if (folder.empty())
        return usageError(cl, "-o needs a folder");
    tape::TapeAnalysis a;
    if (!analyse(cl.operands[0], o, a))
        return 1;
    const std::vector<std::size_t> chosen = chosenFiles(a, cl.flags.count("--damaged") > 0);
    if (chosen.empty())
        return failure(cl.operands[0] +
                       ": every file found is damaged; nothing written (--damaged writes them)");
    if (!outputFolder(folder))
        return 1;
    for (std::size_t i : chosen) {
        const tape::FoundFile& f = a.files[i];
        const vornix::Entry entry = tape::entryFor(f, tape::damageMark(f));
        const vornix::ExtractResult r = vornix::extractEntry(entry, folder);
        if (!r.written)
            return failure(r.error);
        std::cout << r.path << "\n";
    }
    return 0;
}

int tapToT64(const CommandLine& cl) {
    tape::PulseOptions o;
    if (int code = 0; !pulseOptions(cl, o, code))
        return code;
    const std::string& in = cl.operands[0];
    const std::string& out = cl.operands[1];
    if (vornix::sameFile(in, out))
        return failure(out + ": this is the tape itself; the image needs a name of its own");
    tape::TapeAnalysis a;
    if (!analyse(in, o, a))
        return 1;
    const std::vector<std::size_t> chosen = chosenFiles(a, cl.flags.count("--damaged") > 0);
    if (chosen.empty())
        return failure(in + ": every file found is damaged; nothing written (--damaged writes them)");
    std::vector<tape::FoundFile> files;
    for (std::size_t i : chosen)
        files.push_back(a.files[i]);
    if (const tape::OutputResult t64 = tape::writeT64(files, out, in); !t64.written)
        return failure(tape::describe(t64));
    std::cout << out << ": " << files.size() << (files.size() == 1 ? " program" : " programs") << " from "
              << in << "\n";
    return 0;
}

int tapV1(const CommandLine& cl) {
    tape::PulseOptions o;
    if (int code = 0; !pulseOptions(cl, o, code))
        return code;
    const std::string& in = cl.operands[0];
    const std::string& out = cl.operands[1];
    if (vornix::sameFile(in, out))
        return failure(out + ": this is the input itself; the TAP needs a name of its own");
    const tape::TapeWriteResult r = tape::toTapV1(in, out, o);
    if (r.failure != tape::TapeWriteFailure::None)
        return failure(writeFailure(r));
    std::cout << out << ": " << r.bytesWritten << " bytes\n";
    return 0;
}

int t64ToTap(const CommandLine& cl) {
    // No more numbers than entries an image can hold.
    if (cl.operands.size() > 2 + std::size_t(vornix::kMaxSlots))
        return usageError(cl, "too many arguments");
    for (std::size_t i = 2; i < cl.operands.size(); ++i)
        if (!entryNumber(cl.operands[i]))
            return usageError(cl, notAnEntryNumber(cl.operands[i]));
    const std::string& image = cl.operands[0];
    const std::string& out = cl.operands[1];
    if (vornix::sameFile(image, out))
        return failure(out + ": this is the image itself; the TAP needs a name of its own");
    vornix::ReadResult r = vornix::readImage(image);
    if (!r.accepted)
        return failure(r.error);
    for (const std::string& repair : r.repairs)
        note(image + ": directory repaired: " + repair);
    const std::vector<vornix::Entry>& entries = r.contents.entries;
    const int count = int(entries.size());
    std::vector<int> chosen;
    for (std::size_t i = 2; i < cl.operands.size(); ++i) {
        const int n = *entryNumber(cl.operands[i]);
        if (n > count)
            return failure(image + ": there is no entry " + cl.operands[i] + " (the image holds " +
                           std::to_string(count) + (count == 1 ? " entry)" : " entries)"));
        chosen.push_back(n - 1);
    }
    if (cl.operands.size() == 2)
        for (int p = 0; p < count; ++p)
            chosen.push_back(p);
    if (chosen.empty())
        return failure(image + ": the image holds no entries; nothing written");
    std::vector<tape::ProgramToEncode> programs;
    for (int p : chosen) {
        tape::ProgramToEncode prg = tape::programFor(entries[p]);
        if (!tape::fitsInMemory(prg))
            return failure(image + ": entry " + std::to_string(p + 1) +
                           " would load past the top of memory ($FFFF); a tape cannot hold it");
        programs.push_back(std::move(prg));
    }
    const tape::TapeWriteResult w = tape::encodeRomTap(programs, out);
    if (w.failure != tape::TapeWriteFailure::None)
        return failure(writeFailure(w));
    std::cout << out << ": " << programs.size() << (programs.size() == 1 ? " program, " : " programs, ")
              << w.bytesWritten << " bytes\n";
    return 0;
}

int tapToWav(const CommandLine& cl) {
    int rate = 44100, bits = 8;
    tape::PulseOptions o;
    if (const auto it = cl.values.find("--rate"); it != cl.values.end()) {
        const auto n = number(it->second, 8000, 192000);
        if (!n)
            return usageError(cl, "--rate: a whole number from 8000 to 192000 is needed");
        rate = *n;
    }
    if (const auto it = cl.values.find("--bits"); it != cl.values.end()) {
        if (it->second != "8" && it->second != "16")
            return usageError(cl, "--bits: 8 or 16");
        bits = it->second == "8" ? 8 : 16;
    }
    if (const auto it = cl.values.find("--v0-ms"); it != cl.values.end()) {
        const auto n = number(it->second, 1, 10000);
        if (!n)
            return usageError(cl, "--v0-ms: a whole number from 1 to 10000 is needed");
        o.zeroOverflowMs = *n;
    }
    const std::string& in = cl.operands[0];
    const std::string& out = cl.operands[1];
    if (vornix::sameFile(in, out))
        return failure(out + ": this is the input itself; the WAV needs a name of its own");
    const tape::TapeWriteResult r = tape::tapToWav(in, out, rate, bits, o);
    if (r.failure != tape::TapeWriteFailure::None)
        return failure(writeFailure(r));
    std::cout << out << ": " << rate << " Hz, " << bits << "-bit mono, " << r.bytesWritten << " bytes\n";
    return 0;
}

} // namespace

std::vector<vornix::cli::Command> vornix::cli::tapeCommands() {
    using Use = Parameter::Use;
    // How a tape is read; kPulseHelp describes them together.
    const std::vector<Parameter> pulses{
        valued("--v0-ms", "N", "a version 0 TAP's zero byte in ms", Use::Unshown),
        valued("--rate", "N", "a WAV's sample rate in Hz", Use::Unshown),
        valued("--threshold", "N", "the trigger amplitude in 256ths", Use::Unshown),
        flag("--reverse", "the signal is upside down", Use::Unshown),
        valued("--speed", "X", "the tape ran X times too fast", Use::Unshown)};
    const auto reading = [&pulses](std::vector<Parameter> own) {
        own.insert(own.end(), pulses.begin(), pulses.end());
        return own;
    };
    const Parameter tape = operand("TAPE", "a TAP file or a WAV recording");
    const Parameter damaged = flag("--damaged", "takes damaged files too");
    return {
        {"tap-list", "show the programs on a TAP or WAV tape",
         "Shows what the tape holds: the recording's rate or the TAP version, then every file\n"
         "found with its name, first and last address, size, loader, where it starts on the\n"
         "tape and its state (good, no checksum for a loader that keeps none, repaired from the\n"
         "second copy, checksum wrong, cut off). --json prints one JSON object instead; names\n"
         "are the bytes held, each byte one code point from 0 to 255, loader is the loader's id\n"
         "and end is one past the last address. Exit status 1 when nothing was found.\n"
         "--loaders lists the loaders read, id and name, and reads no tape.\n",
         reading({tape, flag("--json", "prints one JSON object"),
                  flag("--loaders", "lists the loaders read instead")}),
         kPulseHelp, tapList, "--loaders"},
        {"tap-extract", "write a tape's programs as PRG files",
         "Writes the programs found on the tape as PRG files into DIR (default the current\n"
         "folder), named after them as extract names entries; a name already taken gets a\n"
         "number; a DIR that does not exist is made. Damaged files are listed and skipped;\n"
         "--damaged writes them too, with \" (checksum wrong)\" or \" (cut off)\" in their names.\n",
         reading({tape, valued("-o,--output", "DIR", "the folder to write into"), damaged}), kPulseHelp,
         tapExtract},
        {"tap-to-t64", "a T64 image of a tape's programs",
         "Writes a T64 image OUT.t64 (replacing any file of that name) holding the programs\n"
         "found on the tape, in tape order, labelled after the tape's file name. Damaged files\n"
         "are skipped; --damaged takes them too, their names starting with \"!\". Nothing is\n"
         "written when nothing was found.\n",
         reading({tape, operand("OUT.t64", "the T64 image to write"), damaged}), kPulseHelp, tapToT64},
        {"tap-v1", "a WAV or any TAP as a version 1 TAP",
         "Writes the pulses of the tape IN, a TAP file or a WAV recording, as a version 1 TAP\n"
         "file OUT.tap, replacing any file of that name but never IN itself.\n",
         reading(
             {operand("IN", "a TAP file or a WAV recording"), operand("OUT.tap", "the TAP file to write")}),
         kPulseHelp, tapV1},
        {"t64-to-tap",
         "entries put on a TAP tape",
         "Puts the given entries of IMAGE (all when none is given, N counted from 1) on a\n"
         "version 1 TAP file as the C64's own tape routines save them: for each a header and\n"
         "the data, each twice, with the standard leaders, ready for an emulator or (through\n"
         "tap-to-wav) a real datasette.\n",
         {operand("IMAGE", "the T64 image"), operand("OUT.tap", "the TAP file to write"),
          operand("N", "an entry to put on tape, counted from 1", Use::Any)},
         "",
         t64ToTap},
        {"tap-to-wav",
         "a TAP as a WAV for a datasette",
         "Writes the pulses of IN.tap as a mono WAV recording (default 44100 Hz, 8 bits): a\n"
         "square wave that a sound card can play into a datasette. --rate takes 8000 to\n"
         "192000 Hz.\n",
         {operand("IN.tap", "the TAP file"), operand("OUT.wav", "the WAV file to write"),
          valued("--rate", "N", "the sample rate in Hz"), valued("--bits", "8|16", "bits per sample"),
          valued("--v0-ms", "N", "a version 0 TAP's zero byte in ms")},
         "",
         tapToWav},
    };
}
