#include "convert/PictureConverters.h"

#include "convert/EmbeddedResources.h"
#include "core/FileIO.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace vornix {

namespace {

// Fixed bytes: $0801 load address, "2008 SYS2061", then at $080D: blank the screen, black
// border, background from $4710, copy screen matrix ($3F40) to $0400 and colours ($4328) to
// $D800, switch on multicolour bitmap with the matrix at $0400, and loop for ever at $0861.
constexpr std::array<std::uint8_t, kKoalaStubSize> kKoalaStub = {
    0x01, 0x08, 0x0B, 0x08, 0xD8, 0x07, 0x9E, 0x32, 0x30, 0x36, 0x31, 0x00, 0x00, 0x00, 0xA9, 0x0B, //
    0x8D, 0x11, 0xD0, 0xA9, 0x00, 0x8D, 0x20, 0xD0, 0xAD, 0x10, 0x47, 0x8D, 0x21, 0xD0, 0xA2, 0x00, //
    0xBD, 0x40, 0x3F, 0x9D, 0x00, 0x04, 0xBD, 0x40, 0x40, 0x9D, 0x00, 0x05, 0xBD, 0x40, 0x41, 0x9D, //
    0x00, 0x06, 0xBD, 0x40, 0x42, 0x9D, 0x00, 0x07, 0xBD, 0x28, 0x43, 0x9D, 0x00, 0xD8, 0xBD, 0x28, //
    0x44, 0x9D, 0x00, 0xD9, 0xBD, 0x28, 0x45, 0x9D, 0x00, 0xDA, 0xBD, 0x28, 0x46, 0x9D, 0x00, 0xDB, //
    0xE8, 0xD0, 0xCD, 0xA9, 0x3B, 0x8D, 0x11, 0xD0, 0xA9, 0x18, 0x8D, 0x18, 0xD0, 0xA9, 0xD8, 0x8D, //
    0x16, 0xD0, 0x4C, 0x61, 0x08,
};

// The picture file, opened once.
struct Source {
    explicit Source(const fs::path& path) : path(path), opened(file.open(path)) {}
    fs::path path;
    InputFile file;
    bool opened;
    std::uint64_t consumed = 0; // bytes already read from the start
};

// Why input cannot be converted, judged before anything is read: it cannot be opened, is too
// short to be a picture, or the program made of it would not fit in the C64's memory. Nothing
// (problem None) when it can.
ConversionResult refusal(const Source& in, std::uint64_t minInput, std::uint64_t programSize,
                         std::uint64_t maxInput) {
    ConversionResult refused;
    refused.path = platform::nameFromPath(in.path);
    if (!in.opened) {
        refused.problem = ConversionProblem::CannotOpen;
        refused.failure = in.file.failure();
    } else if (in.file.size() < minInput) {
        refused.problem = ConversionProblem::NotAPicture;
        refused.inputSize = in.file.size();
        refused.minPicture = minInput;
    } else if (programSize > kMaxProgramFileSize) {
        refused.problem = ConversionProblem::TooLarge;
        refused.inputSize = in.file.size();
        refused.programEnd = kProgramLoadAddress + (programSize - 2) - 1;
        refused.maxPicture = maxInput;
    }
    return refused;
}

// Writes head, zeros, then the rest of the input from where it stands, to output through a
// temporary file. The input is consumed completely before the rename touches output.
ConversionResult writeProgram(std::span<const std::uint8_t> head, std::size_t zeros, Source& in,
                              const fs::path& output, std::span<const std::uint8_t> taken = {}) {
    ConversionResult result;
    AtomicFile out;
    std::uint64_t written = 0;
    auto put = [&](std::span<const std::uint8_t> bytes) {
        if (!out.write(bytes.data(), bytes.size()))
            return false;
        written += bytes.size();
        return true;
    };
    auto failed = [&] {
        result.problem = ConversionProblem::CannotWrite;
        result.failure = out.failure();
        result.path = result.failure.path;
        return result;
    };
    if (!out.open(platform::nameFromPath(output)) || !put(head))
        return failed();
    const std::array<std::uint8_t, 1024> blank{};
    for (std::size_t left = zeros; left > 0;) {
        const std::size_t chunk = std::min(left, blank.size());
        if (!put(std::span(blank.data(), chunk)))
            return failed();
        left -= chunk;
    }
    if (!put(taken))
        return failed();
    result.inputSize = in.file.size();
    if (in.file.size() > in.consumed) {
        bool writeFailed = false;
        const bool complete =
            in.file.copy(in.file.size() - in.consumed, [&](std::span<const std::uint8_t> chunk) {
                writeFailed = !put(chunk);
                return !writeFailed;
            });
        if (writeFailed)
            return failed();
        if (!complete) {
            result.problem = ConversionProblem::CannotReadAll;
            result.failure = in.file.failure();
            result.path = platform::nameFromPath(in.path);
            return result;
        }
    }
    result.outputSize = written;
    result.written = out.commit();
    if (!result.written)
        return failed();
    return result;
}

ConversionResult sameAsInput(PictureKind kind, const fs::path& output) {
    ConversionResult refused;
    refused.kind = kind;
    refused.problem = ConversionProblem::SameAsInput;
    refused.path = platform::nameFromPath(output);
    return refused;
}

ConversionResult cutShort(const Source& in, PictureKind kind = PictureKind::Koala) {
    ConversionResult cut;
    cut.kind = kind;
    cut.problem = ConversionProblem::CannotReadAll;
    cut.failure = in.file.failure();
    cut.path = platform::nameFromPath(in.path);
    return cut;
}

} // namespace

const std::array<std::uint8_t, kKoalaStubSize>& koalaStub() { return kKoalaStub; }

std::uint64_t maxFliPictureSize(std::size_t viewerSize) {
    return kMaxProgramFileSize - viewerSize + kFliSkippedBytes;
}

ConversionResult convertKoala(const fs::path& input, const fs::path& output) {
    if (sameFile(platform::nameFromPath(input), platform::nameFromPath(output)))
        return sameAsInput(PictureKind::Koala, output);
    Source in(input);
    ConversionResult refused =
        refusal(in, kKoalaFileSize, kKoalaHeaderSize + in.file.size(), kMaxKoalaPictureSize);
    if (refused.problem != ConversionProblem::None)
        return refused;
    // The load address goes along as the first two bytes; it only says what the file may be.
    std::array<std::uint8_t, 2> address{};
    if (!in.file.copy(address.size(), [&](std::span<const std::uint8_t> bytes) {
            std::copy(bytes.begin(), bytes.end(), address.begin());
            return true;
        }))
        return cutShort(in);
    in.consumed = address.size();
    ConversionResult result = writeProgram(kKoalaStub, kKoalaPadding, in, output, address);
    if (const auto load = static_cast<std::uint16_t>(address[0] | address[1] << 8); load != kKoalaLoadAddress)
        result.unusualLoadAddress = load;
    return result;
}

ConversionResult convertFli(std::span<const std::uint8_t> viewer, const fs::path& input,
                            const fs::path& output) {
    if (viewer.empty()) {
        ConversionResult result;
        result.problem = ConversionProblem::ViewerMissing;
        return result;
    }
    if (sameFile(platform::nameFromPath(input), platform::nameFromPath(output)))
        return sameAsInput(PictureKind::Fli, output);
    Source in(input);
    const std::uint64_t data = in.file.size() > kFliSkippedBytes ? in.file.size() - kFliSkippedBytes : 0;
    // Any other load address is taken as $3B00, so its data has to reach the bitmap from there.
    const auto reaching = [](std::uint16_t base) {
        return kFliSkippedBytes + (kFliBitmapAddress - base) + 1;
    };
    ConversionResult refused = refusal(in, reaching(kFliLoadAddressWithoutBackground), viewer.size() + data,
                                       maxFliPictureSize(viewer.size()));
    refused.kind = PictureKind::Fli;
    if (refused.problem != ConversionProblem::None)
        return refused;
    // The load address says which layout the data has.
    std::array<std::uint8_t, kFliSkippedBytes> address{};
    if (!in.file.copy(address.size(), [&](std::span<const std::uint8_t> bytes) {
            std::copy(bytes.begin(), bytes.end(), address.begin());
            return true;
        }))
        return cutShort(in, PictureKind::Fli);
    in.consumed = address.size();
    const auto load = static_cast<std::uint16_t>(address[0] | (address[1] << 8));
    std::size_t background = 0;
    std::optional<std::uint16_t> unusual;
    if (load == kFliLoadAddressWithoutBackground) {
        // The background table the converter adds has to fit as well.
        background = kFliBackgroundTableSize;
        refused = refusal(in, 0, viewer.size() + background + data,
                          maxFliPictureSize(viewer.size()) - kFliBackgroundTableSize);
    } else {
        refused = refusal(in, reaching(kFliLoadAddress), 0, 0);
        if (load != kFliLoadAddress)
            unusual = load;
    }
    refused.kind = PictureKind::Fli;
    if (refused.problem != ConversionProblem::None)
        return refused;
    ConversionResult result = writeProgram(viewer, background, in, output);
    result.kind = PictureKind::Fli;
    result.unusualLoadAddress = unusual;
    return result;
}

ConversionResult convertFli(const fs::path& input, const fs::path& output) {
    const std::vector<std::uint8_t>* viewer = findResource("fliview");
    return convertFli(viewer ? std::span<const std::uint8_t>(*viewer) : std::span<const std::uint8_t>(),
                      input, output);
}

} // namespace vornix
