#pragma once
// Replacing a program by its compressed version: the compressor writes P + "1", and only
// a result written by this run, complete and non-empty, is moved over P.
#include <cstdint>
#include <filesystem>
#include <string>

namespace vornix {

class InPlaceCompression {
  public:
    enum class Outcome {
        Replaced,      // P now holds the compressed program; P + "1" is gone
        NoResult,      // the compressor wrote nothing usable; P is unchanged
        ReplaceFailed, // P is unchanged and the compressed program stays at P + "1"
    };

    // Call before the compressor starts: remembers what P + "1" looked like, so that an old
    // file of that name is never taken for this run's result.
    explicit InPlaceCompression(std::filesystem::path program);

    const std::filesystem::path& program() const { return program_; }
    const std::filesystem::path& compressed() const { return compressed_; }

    // Call after the compressor has ended.
    Outcome finish(std::string* error);

  private:
    struct Stamp {
        bool exists = false;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time{};
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const std::filesystem::path& path);

    std::filesystem::path program_;
    std::filesystem::path compressed_;
    Stamp before_;
};

} // namespace vornix
