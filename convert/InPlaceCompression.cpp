#include "convert/InPlaceCompression.h"

#include "core/FileIO.h"

namespace fs = std::filesystem;

namespace vornix {

InPlaceCompression::InPlaceCompression(fs::path program)
    : program_(std::move(program)), compressed_(program_) {
    compressed_ += "1"; // appended to the whole path, after the extension
    before_ = stampOf(compressed_);
}

InPlaceCompression::Stamp InPlaceCompression::stampOf(const fs::path& path) {
    Stamp stamp;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return stamp;
    stamp.exists = true;
    stamp.size = fs::file_size(path, ec);
    stamp.time = fs::last_write_time(path, ec);
    return stamp;
}

InPlaceCompression::Outcome InPlaceCompression::finish(std::string* error) {
    const Stamp after = stampOf(compressed_);
    if (!after.exists || after == before_)
        return Outcome::NoResult;
    if (after.size == 0) {
        // An empty file this run left behind is litter, not a program.
        if (!before_.exists) {
            std::error_code ec;
            fs::remove(compressed_, ec);
        }
        return Outcome::NoResult;
    }
    // One rename replaces P: it is never deleted first, so a failure leaves it whole.
    if (!replaceFile(compressed_, program_, error))
        return Outcome::ReplaceFailed;
    return Outcome::Replaced;
}

} // namespace vornix
