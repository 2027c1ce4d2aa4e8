#pragma once
// What is on a tape: TAP files and WAV recordings turned into pulses, the pulses decoded by
// the ROM loader's and Turbo Tape 64's rules into programs. Plain C++, no Qt.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornix::tape {

// PAL C64 clock: pulse lengths are counted in these cycles.
inline constexpr double kPalClock = 985248.0;

// How samples and TAP bytes become pulses (the tape tool's -v0:, -f:, -t:, -r and -s:).
struct PulseOptions {
    int zeroOverflowMs = 100;      // a version 0 TAP's zero byte
    std::optional<int> sampleRate; // overrides the WAV header's rate
    int threshold = 10;            // trigger amplitude, 1..255: t/256 of the sample format's full
                                   // range, t steps of an 8-bit sample (details in WavReader.h)
    bool reverse = false;          // the signal is upside down: pulses run from falling edges
    double speed = 1.0;            // the tape ran this much too fast (>1) or too slow (<1); pulses
                                   // of TAP files and recordings alike are multiplied by it
};

enum class SourceKind { Tap, Wav };

// What the input was, for the tool's first lines and the CLI's listing.
struct SourceInfo {
    SourceKind kind = SourceKind::Tap;
    int tapVersion = 0;    // Tap
    int sampleRate = 0;    // Wav: the rate used (after -f:)
    int bitsPerSample = 0; // Wav
    bool floatSamples = false;
    int channels = 0;    // Wav
    int channelUsed = 0; // Wav: 0 = left (or mono)
    std::uint64_t pulses = 0;
    double seconds = 0;             // length of the tape
    std::vector<std::string> notes; // English sentences: a header length that disagreed, ...
};

enum class FileState {
    Good,          // a copy read with a good checksum
    NoChecksum,    // read to its end by a loader that keeps no checksum: nothing vouches for it
    Repaired,      // bytes lost in the first copy were taken from the second
    ChecksumWrong, // read to its end, but the checksum does not agree
    CutOff,        // the tape ends (or the signal breaks off) inside the data
};

// What was wrong with one copy of a file's data.
enum class CopyTrouble { None, CutOff, ChecksumWrong, UnreadableBytes };

enum class FileDetailKind {
    None,
    SecondCopyBad,      // good from the first copy; the second had trouble
    FirstCopyBad,       // the first copy had trouble; read from the second
    FirstCopyMissing,   // read from the second
    BytesFromOtherCopy, // bytes lost in one copy taken from the other
    TapeEnds,           // after bytes of total
    BytesUnreadable,    // bytes unreadable (in both copies)
    ChecksumWrong,      // in both copies, or in the one there is
    NoDataBlock,        // a header with no data block after it
    NoHeader,           // data with no header before it
    HeaderUnreadable,
};

// What was wrong with a file, or for a good one a bad copy it did without: a reason and its
// numbers, which the tape tool, the CLI and the editor each put into words.
struct FileDetail {
    FileDetailKind kind = FileDetailKind::None;
    CopyTrouble trouble = CopyTrouble::None; // SecondCopyBad, FirstCopyBad
    std::size_t bytes = 0;                   // CopyTrouble::UnreadableBytes and the counted kinds
    std::size_t total = 0;                   // TapeEnds: the bytes the header announced
    bool bothCopies = false;                 // BytesUnreadable, ChecksumWrong
    bool headerChecksumWrong = false;        // the name and addresses read well all the same
    // The header named this many bytes, more than the data block held: the block ended, whole
    // and with its checksum, before the header's end address, and the C64 loads what it holds.
    std::size_t headerNamed = 0;

    bool empty() const { return kind == FileDetailKind::None && !headerChecksumWrong && headerNamed == 0; }
};

// The detail in English, as the tape tool and the CLI print it; empty for none.
std::string detailText(const FileDetail& detail);

// One program found on the tape.
struct FoundFile {
    std::string_view loader = "rom"; // the id of its loader in the registry (tape/Decoder.h)
    std::uint8_t headerType = 1;     // ROM loader: 1 relocatable program, 3 absolute, 4 data ...
    std::string name;                // 16 bytes as on tape, trailing spaces (0x20) removed
    std::uint16_t load = 0;
    std::uint16_t end = 0;          // one past the last byte, as the header says
    std::vector<std::uint8_t> data; // without load address; for CutOff what was read
    double startSeconds = 0;        // where its header starts on the tape
    FileState state = FileState::Good;
    FileDetail detail;
    // Loaders that put a program on tape as many blocks, each with its own address: the
    // program's number among that loader's programs on this tape, and the block's number in
    // it, both from 0. block is -1 for a file that stands on the tape whole.
    int program = 0;
    int block = -1;
};

enum class TapeFailure {
    None,
    CannotRead,     // see systemReason
    NotTape,        // neither a TAP nor a RIFF WAVE file
    UnsupportedWav, // a WAVE in a coding we do not read (detail says which)
    UnsupportedTap, // a TAP version we do not read
    NoFiles,        // read fine, nothing found
};

struct TapeAnalysis {
    TapeFailure failure = TapeFailure::None;
    std::string path;   // the file the failure concerns
    std::string detail; // English detail: the system's reason, the WAV coding ...
    SourceInfo source;
    std::vector<FoundFile> files;
};

// Reads a TAP or WAV file, streaming it (memory stays bounded whatever its length), and
// decodes every program on it with both loaders, in tape order. NoFiles is reported as a
// failure with the source filled in. A recording in which nothing is found is read once more
// with the signal reversed; a note says so when that finds programs.
TapeAnalysis analyseTape(const std::string& path, const PulseOptions& options = {});

// The same for a file's bytes held in memory.
TapeAnalysis analyseTapeData(const std::uint8_t* data, std::size_t size, const PulseOptions& options = {});

// The programs on a stream of pulse lengths in cycles, in tape order; sentences about what
// was passed over go to notes.
std::vector<FoundFile> decodePulses(const std::vector<std::uint32_t>& pulses,
                                    std::vector<std::string>* notes = nullptr);

// The file's PRG bytes: load address, then data.
std::vector<std::uint8_t> prgBytes(const FoundFile& file);

// English word for a state ("good", "no checksum", "repaired", "checksum wrong", "cut off").
const char* stateName(FileState state);
// The name users see for a loader id ("ROM loader", "Turbo Tape 64" ...).
std::string_view loaderName(std::string_view id);

} // namespace vornix::tape
