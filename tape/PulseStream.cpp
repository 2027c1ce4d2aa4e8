#include "tape/PulseStream.h"

#include "tape/TapPulses.h"
#include "tape/WavReader.h"

#include <cstring>

namespace vornix::tape {

bool MemorySource::read(std::uint64_t offset, void* buffer, std::size_t count) {
    if (offset > size_ || count > size_ - offset) {
        error_ = "read past the end of the data";
        return false;
    }
    if (count)
        std::memcpy(buffer, data_ + offset, count);
    return true;
}

bool FileSource::open(const std::string& path) {
    path_ = path;
    if (const FileError e = platform::openInput(path, handle_, size_)) {
        error_ = e.message();
        return false;
    }
    return true;
}

bool FileSource::read(std::uint64_t offset, void* buffer, std::size_t count) {
    if (const FileError e = platform::readAt(handle_, buffer, count, offset, path_)) {
        error_ = e.message();
        return false;
    }
    return true;
}

StreamFailure streamPulses(ByteSource& input, const PulseOptions& options, PulseSink& sink,
                           SourceInfo& info) {
    std::uint8_t head[12] = {};
    const std::size_t n = input.size() < 12 ? static_cast<std::size_t>(input.size()) : 12;
    if (n == 0) {
        return {TapeFailure::NotTape, "the file is empty"};
    }
    if (!input.read(0, head, n)) {
        return {TapeFailure::CannotRead, input.error()};
    }
    if (isTapSignature(head, n))
        return readTapPulses(input, options, sink, info);
    if (isWavSignature(head, n))
        return readWavPulses(input, options, sink, info);
    if (n >= 4 && (std::memcmp(head, "RF64", 4) == 0 || std::memcmp(head, "BW64", 4) == 0)) {
        return {TapeFailure::UnsupportedWav,
                "a 64-bit RIFF (RF64) recording (only RIFF WAVE files up to 4 GiB are read)"};
    }
    if (n >= 4 && (std::memcmp(head, "RIFF", 4) == 0 || std::memcmp(head, "RIFX", 4) == 0)) {
        return {TapeFailure::UnsupportedWav, "a RIFF file that is not a little-endian WAVE recording"};
    }
    return {TapeFailure::NotTape,
            "neither a TAP file (\"C64-TAPE-RAW\") nor a WAV recording (\"RIFF\"/\"WAVE\")"};
}

} // namespace vornix::tape
