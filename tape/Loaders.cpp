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

namespace {

class RomDecoder : public Decoder {
  public:
    void feed(const PulseBlock& b) override { decoder_.feed(b.cycles, b.count); }
    void finish(std::vector<FoundFile>& files, std::vector<std::string>& notes) override {
        decoder_.finish();
        for (FoundFile& f : decoder_.files())
            files.push_back(std::move(f));
        for (std::string& n : decoder_.notes())
            notes.push_back(std::move(n));
    }

  private:
    RomLoaderDecoder decoder_;
};

class TurboTapeAdapter : public Decoder {
  public:
    void feed(const PulseBlock& b) override { decoder_.feed(b.cycles, b.count, b.start); }
    void finish(std::vector<FoundFile>& files, std::vector<std::string>&) override {
        decoder_.finish();
        for (FoundFile& f : decoder_.files())
            files.push_back(std::move(f));
    }

  private:
    TurboTapeDecoder decoder_;
};

template <class D> std::unique_ptr<Decoder> make() { return std::make_unique<D>(); }

} // namespace

const std::vector<LoaderInfo>& loaders() {
    static const std::vector<LoaderInfo> all = {
        {"rom", "ROM loader", make<RomDecoder>},
        {"turbotape", "Turbo Tape 64", make<TurboTapeAdapter>},
        {"cyberload", "Cyberload", makeCyberloadDecoder},
        {"visiload", "Visiload", makeVisiloadDecoder},
        {"turbo250", "Turbo Tape 64 variant", makeTurbo250Decoder},
        {"freeload", "Freeload", makeFreeloadDecoder},
        {"virgin", "Virgin", makeVirginDecoder},
        {"burner", "Burner", makeBurnerDecoder},
        {"novaload", "Novaload", makeNovaloadDecoder},
        {"ocean", "Ocean/Imagine", makeOceanDecoder},
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
