#include "tape/BurnerLoader.h"
#include "tape/CyberloadLoader.h"
#include "tape/Decoder.h"
#include "tape/FreeloadLoader.h"
#include "tape/NovaloadLoader.h"
#include "tape/OceanLoader.h"
#include "tape/RomLoader.h"
#include "tape/Turbo250Loader.h"
#include "tape/TurboTape.h"
#include "tape/VirginLoader.h"
#include "tape/VisiloadLoader.h"

namespace vornix::tape {

const std::vector<LoaderInfo>& loaders() {
    static const std::vector<LoaderInfo> all = {
        {"rom", "ROM loader", makeRomDecoder},
        {"turbotape", "Turbo Tape 64", makeTurboTapeDecoder},
        {"turbo250", "Turbo Tape 64 variant", makeTurbo250Decoder},
        {"novaload", "Novaload", makeNovaloadDecoder},
        {"ocean", "Ocean/Imagine", makeOceanDecoder},
        {"burner", "Burner", makeBurnerDecoder},
        {"cyberload", "Cyberload", makeCyberloadDecoder},
        {"virgin", "Virgin", makeVirginDecoder},
        {"freeload", "Freeload", makeFreeloadDecoder},
        {"visiload", "Visiload", makeVisiloadDecoder},
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
