#pragma once
// The pulse stream between the readers (TAP bytes, WAV samples) and the decoders and writers:
// pulse lengths in PAL cycles, handed on a block at a time so that no stage sees more than a
// block and no call is made per pulse.
#include "core/PlatformFile.h"
#include "tape/TapeReader.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vornix::tape {

class PulseSink {
  public:
    virtual ~PulseSink() = default;
    // start: the cycle at which the first of them begins.
    virtual void pulses(const std::uint32_t* lengths, std::size_t count, std::uint64_t start) = 0;
};

// The bytes of an input, read in blocks: a file, or memory (tests, the fuzz target).
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly count bytes at offset (offset + count <= size()); false when the read failed,
    // with the reason in error().
    virtual bool read(std::uint64_t offset, void* buffer, std::size_t count) = 0;
    const std::string& error() const { return error_; }

  protected:
    std::string error_;
};

class MemorySource : public ByteSource {
  public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, void* buffer, std::size_t count) override;

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

class FileSource : public ByteSource {
  public:
    FileSource() = default;
    ~FileSource() override { platform::close(handle_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    // False with the reason in error() when the file cannot be opened (or is no regular file).
    bool open(const std::string& path);
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, void* buffer, std::size_t count) override;

  private:
    platform::Handle handle_ = platform::kNoHandle;
    std::string path_;
    std::uint64_t size_ = 0;
};

// Why a stream of pulses stopped short: the reason, and its English detail (the system's
// reason, the WAV coding, the TAP version ...). True when there is one.
struct StreamFailure {
    TapeFailure failure = TapeFailure::None;
    std::string detail;

    explicit operator bool() const { return failure != TapeFailure::None; }
};

// Reads the input as a TAP or a WAV file, whichever its first bytes say, and streams its
// pulses into sink. Fills info.
StreamFailure streamPulses(ByteSource& input, const PulseOptions& options, PulseSink& sink, SourceInfo& info);

// The cycles one version 0 zero byte stands for.
std::uint32_t overflowCycles(int zeroOverflowMs);

} // namespace vornix::tape
