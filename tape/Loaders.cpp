#include "tape/Decoder.h"
#include "tape/RomLoader.h"
#include "tape/TurboTape.h"

namespace vornix::tape {

const std::vector<LoaderInfo>& loaders() {
    static const std::vector<LoaderInfo> all = {
        {"rom", "ROM loader", makeRomDecoder},
        {"turbotape", "Turbo Tape 64", makeTurboTapeDecoder},
    };
    return all;
}

const LoaderInfo* findLoader(std::string_view id) {
    for (const LoaderInfo& l : loaders())
        if (l.id == id)
            return &l;
    return nullptr;
}

} // namespace vornix::tape
