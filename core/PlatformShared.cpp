// The parts of the platform file layer that are the same on every system.
#include "core/PlatformShared.h"

#include <cstdlib>
#include <memory>

namespace vornix::platform {

FileError copyThroughMemory(Handle input, std::uint64_t offset, Handle output, std::uint64_t count,
                            const std::string& inputPath, const std::string& outputPath) {
    constexpr std::size_t kBlock = 1 << 20;
    static thread_local std::unique_ptr<char[]> block(new char[kBlock]);
    while (count > 0) {
        const std::size_t chunk = count < kBlock ? static_cast<std::size_t>(count) : kBlock;
        if (FileError e = readAt(input, block.get(), chunk, offset, inputPath))
            return e;
        if (const int err = writeAll(output, block.get(), chunk))
            return FileError{FileProblem::System, err, outputPath};
        offset += chunk;
        count -= chunk;
    }
    return {};
}

void freeLarge(LargeBuffer& buffer) {
    std::free(buffer.data);
    buffer = {};
}

} // namespace vornix::platform
