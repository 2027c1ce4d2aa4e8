// Whatever the bytes, the picture decoders draw 320x200 pixels in the 16 colours: found as a
// picture or forced into a layout. The first two bytes are the load address.
#include "preview/Picture.h"
#include "tests/fuzz/FuzzTargets.h"

#include <algorithm>

namespace vornix::fuzz {

namespace {

void check(const Picture& picture) {
    if (picture.pixels.size() != static_cast<std::size_t>(Picture::kWidth) * Picture::kHeight)
        fail("a picture without 320x200 pixels");
    if (std::any_of(picture.pixels.begin(), picture.pixels.end(), [](std::uint8_t c) { return c > 15; }))
        fail("a pixel outside the 16 colours");
}

} // namespace

int picture(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const auto load = static_cast<std::uint16_t>(data[0] | data[1] << 8);
    const std::span<const std::uint8_t> bytes(data + 2, size - 2);
    if (const std::optional<PictureLayout> found = findPicture(load, bytes))
        if (found->offset > bytes.size())
            fail("a picture found past the end of the data");
    if (const std::optional<Picture> decoded = decodePicture(load, bytes)) {
        check(*decoded);
        if (decoded->rgb().size() != decoded->pixels.size() * 3)
            fail("the RGB bytes do not match the pixels");
    }
    // A whole picture is drawn for any input, so one forced layout an input (picked by the
    // load address's low byte) keeps the runs many.
    static constexpr PictureLayout kForced[] = {
        {PictureFormat::Koala, 0, 0}, {PictureFormat::Fli, 0, 0x3B00}, {PictureFormat::Fli, 0, 0x3C00}};
    check(decodePicture(kForced[data[0] % 3], bytes));
    return 0;
}

} // namespace vornix::fuzz
