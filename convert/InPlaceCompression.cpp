#include "convert/InPlaceCompression.h"

#include "core/FileIO.h"

namespace fs = std::filesystem;

namespace vornix {

namespace {

fs::path withOne(fs::path program) {
    program += "1"; // appended to the whole path, after the extension
    return program;
}

} // namespace

InPlaceCompression::InPlaceCompression(fs::path program)
    : program_(std::move(program)), compressed_(withOne(program_)),
      result_(platform::nameFromPath(compressed_)) {}

InPlaceCompression::Result InPlaceCompression::finish() {
    std::int64_t size = 0;
    if (!result_.written(&size))
        return {Outcome::NoResult, {}};
    if (size == 0) {
        // An empty file this run left behind is litter, not a program.
        if (!result_.existedBefore()) {
            std::error_code ec;
            fs::remove(compressed_, ec);
        }
        return {Outcome::NoResult, {}};
    }
    // One rename replaces P: it is never deleted first, so a failure leaves it whole.
    if (FileError e = replaceFile(compressed_, program_))
        return {Outcome::ReplaceFailed, std::move(e)};
    return {Outcome::Replaced, {}};
}

} // namespace vornix
