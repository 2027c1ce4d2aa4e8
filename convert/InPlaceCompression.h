#pragma once
// Replacing a program by its compressed version: the compressor writes P + "1", and only
// a result written by this run, complete and non-empty, is moved over P.
#include "core/PlatformFile.h"
#include "tools/FreshOutput.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace vornix {

class InPlaceCompression {
  public:
    enum class Outcome {
        Replaced,      // P holds the compressed program; P + "1" is gone
        NoResult,      // the compressor wrote nothing usable; P is unchanged
        ReplaceFailed, // P is unchanged and the compressed program stays at P + "1"
    };

    // Call before the compressor starts: remembers what P + "1" looked like, so that an old
    // file of that name is never taken for this run's result.
    explicit InPlaceCompression(std::filesystem::path program);

    const std::filesystem::path& program() const { return program_; }
    const std::filesystem::path& compressed() const { return compressed_; }

    struct Result {
        Outcome outcome = Outcome::NoResult;
        FileError failure; // ReplaceFailed: why P could not be replaced (the error names P)
    };

    // Call after the compressor has ended.
    Result finish();

  private:
    std::filesystem::path program_;
    std::filesystem::path compressed_;
    FreshOutput result_;
};

} // namespace vornix
