#include "tape/OceanLoader.h"

#include "tape/NovaBits.h"
#include "tape/OceanNew.h"

namespace vornix::tape {

namespace {

constexpr std::uint8_t kThreshold = 0x3B;
constexpr std::size_t kPage = 256;
// The third form's trailer: $02 bytes. An address $02 followed by $02 is taken for it, as no
// block of a flagged chain is known to load to page 2 starting with that byte.
constexpr std::uint8_t kTrailerByte = 0x02;

// The older loader's chains of page blocks.
class OceanChains : public NovaBitsDecoder {
  public:
    explicit OceanChains(PageNumbering& numbering) : NovaBitsDecoder(kThreshold), numbering_(numbering) {}

  private:
    enum class Part { First, MemoryPage, Address, Data };

    void synced(std::uint64_t pilotStart) override {
        part_ = Part::First;
        start_ = pilotStart;
        blocks_ = 0;
        numbering_.chainStarts();
        flagged_ = checkNovaload_ = false;
    }

    bool byte(std::uint8_t b, std::uint64_t at) override {
        switch (part_) {
        case Part::First:
            if (b == 0xAA) {
                flagged_ = true;
                part_ = Part::MemoryPage;
                return true;
            }
            memoryPage_ = b;
            part_ = Part::Address;
            return b <= 1;
        case Part::MemoryPage:
            if (flagged_ && blocks_ == 0 && b > 1)
                return false; // Novaload's $AA, then a name's length or $55
            memoryPage_ = b;
            pageAt_ = at;
            part_ = Part::Address;
            return true;
        case Part::Address: return address(b);
        case Part::Data:
            if (data_.empty() && flagged_ && address_ == kTrailerByte && b == kTrailerByte)
                return false;
            data_.push_back(b);
            if (checkNovaload_ && data_.size() == memoryPage_ + 5u && novaloadHeader())
                return false;
            if (data_.size() < kPage)
                return true;
            emit(FileState::NoChecksum);
            part_ = Part::MemoryPage;
            return true;
        }
        return false;
    }

    bool address(std::uint8_t page) {
        if (page == 0)
            return false;
        if (blocks_ > 0)
            start_ = pageAt_; // the first block starts with the pilot
        checkNovaload_ = blocks_ == 0 && flagged_;
        ++blocks_;
        address_ = page;
        data_.clear();
        data_.reserve(kPage);
        part_ = Part::Data;
        return true;
    }

    // A Novaload file with a name of 0 or 1 bytes begins like a flagged chain: the memory-page
    // byte is the name's length. Its header's addresses agree, which Ocean's bytes almost never do.
    bool novaloadHeader() {
        checkNovaload_ = false;
        std::uint8_t six[6];
        for (std::size_t i = 0; i < 6; ++i) {
            const std::size_t at = i + memoryPage_; // among the bytes after the memory-page byte
            six[i] = at == 0 ? address_ : data_[at - 1];
        }
        return novaloadAddressesAgree(six);
    }

    void brokeOff() override {
        if (part_ != Part::Data || data_.empty())
            return;
        FoundFile& f = emit(FileState::CutOff);
        f.detail.kind = FileDetailKind::TapeEnds;
        f.detail.bytes = f.data.size();
        f.detail.total = kPage;
    }

    FoundFile& emit(FileState state) {
        FoundFile f;
        f.loader = "ocean";
        f.load = static_cast<std::uint16_t>(address_ << 8);
        f.end = static_cast<std::uint16_t>(f.load + kPage);
        f.data = std::move(data_);
        f.startSeconds = start_ / kPalClock;
        f.state = state;
        numbering_.number(f, address_);
        data_.clear();
        return keep(std::move(f));
    }

    Part part_ = Part::First;
    bool flagged_ = false, checkNovaload_ = false;
    std::uint64_t start_ = 0, pageAt_ = 0;
    std::uint8_t memoryPage_ = 0, address_ = 0;
    std::vector<std::uint8_t> data_;
    int blocks_ = 0; // begun in this chain
    PageNumbering& numbering_;
};

// Both loaders of Ocean's, read side by side; their programs are numbered together in tape order.
class OceanDecoder : public Decoder {
  public:
    void feed(const PulseBlock& block) override {
        chains_.feed(block);
        later_.feed(block);
    }
    void finish(std::vector<FoundFile>& files, std::vector<std::string>& notes) override {
        chains_.finish(files, notes);
        later_.finish(files);
    }

  private:
    PageNumbering numbering_;
    OceanChains chains_{numbering_};
    OceanNewReader later_{numbering_};
};

} // namespace

std::unique_ptr<Decoder> makeOceanDecoder() { return std::make_unique<OceanDecoder>(); }

} // namespace vornix::tape
