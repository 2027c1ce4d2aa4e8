#include "tape/NovaloadLoader.h"

#include "tape/NovaBits.h"
#include "tape/TapeFiles.h"

namespace vornix::tape {

namespace {

constexpr std::uint8_t kThreshold = 0x3D;
constexpr std::size_t kMaxName = 16;
constexpr std::size_t kPage = 256;

class NovaloadDecoder : public NovaBitsDecoder {
  public:
    NovaloadDecoder() : NovaBitsDecoder(kThreshold) {}

  private:
    enum class Part { Flag, Kind, Header, Check, Data, Page, PageData, PageCheck };

    void synced(std::uint64_t pilotStart) override {
        part_ = Part::Flag;
        start_ = pilotStart;
        blocks_ = 0;
        numbering_.chainStarts();
    }

    bool byte(std::uint8_t b, std::uint64_t at) override {
        switch (part_) {
        case Part::Flag: part_ = Part::Kind; return b == 0xAA;
        case Part::Kind:
            if (b == 0x55) {
                part_ = Part::Page;
                return true;
            }
            if (b > kMaxName)
                return false;
            header_.assign(1, b);
            sum_ = b;
            part_ = Part::Header;
            return true;
        case Part::Header: return headerByte(b);
        case Part::Check:
            good_ = good_ && b == sum_;
            sum_ = static_cast<std::uint8_t>(sum_ + b);
            if (data_.size() == length_) {
                emit(good_ ? FileState::Good : FileState::ChecksumWrong);
                return false;
            }
            part_ = Part::Data;
            return true;
        case Part::Data:
            data_.push_back(b);
            sum_ = static_cast<std::uint8_t>(sum_ + b);
            if (data_.size() % kPage == 0 || data_.size() == length_)
                part_ = Part::Check;
            return true;
        case Part::Page: return pageByte(b, at);
        case Part::PageData:
            data_.push_back(b);
            sum_ = static_cast<std::uint8_t>(sum_ + b);
            if (data_.size() == kPage)
                part_ = Part::PageCheck;
            return true;
        case Part::PageCheck:
            emit(b == sum_ ? FileState::Good : FileState::ChecksumWrong);
            part_ = Part::Page;
            return true;
        }
        return false;
    }

    bool headerByte(std::uint8_t b) {
        header_.push_back(b);
        sum_ = static_cast<std::uint8_t>(sum_ + b);
        const std::size_t nameLength = header_[0];
        if (header_.size() < 1 + nameLength + 6)
            return true;
        const std::uint8_t* six = header_.data() + 1 + nameLength;
        // Ocean/Imagine blocks also begin with $AA and a 0 or 1: only a header that agrees with
        // itself is taken for Novaload's then.
        if (nameLength <= 1 && !novaloadAddressesAgree(six))
            return false;
        load_ = static_cast<std::uint16_t>((six[0] | six[1] << 8) + 256);
        const int length = (six[4] | six[5] << 8) - 256;
        if (length <= 0 || load_ + length > 65536)
            return false;
        length_ = static_cast<std::size_t>(length);
        name_ = tapeName(header_.data() + 1, nameLength);
        data_.clear();
        data_.reserve(length_);
        good_ = true;
        part_ = Part::Check;
        return true;
    }

    bool pageByte(std::uint8_t page, std::uint64_t at) {
        if (page == 0)
            return false; // the end of the chain
        if (blocks_++ > 0)
            start_ = at; // the first block starts with the pilot
        page_ = page;
        load_ = static_cast<std::uint16_t>(page << 8);
        length_ = kPage;
        name_.clear();
        data_.clear();
        sum_ = page;
        part_ = Part::PageData;
        return true;
    }

    void brokeOff() override {
        const bool inFile = part_ == Part::Check || part_ == Part::Data;
        const bool inBlock = (part_ == Part::PageData && !data_.empty()) || part_ == Part::PageCheck;
        if (inFile || inBlock) {
            FoundFile& f = emit(FileState::CutOff);
            f.detail.kind = FileDetailKind::TapeEnds;
            f.detail.bytes = f.data.size();
            f.detail.total = length_;
        }
    }

    FoundFile& emit(FileState state) {
        FoundFile f;
        f.loader = "novaload";
        f.name = name_;
        f.load = load_;
        f.end = static_cast<std::uint16_t>(load_ + length_);
        f.data = std::move(data_);
        f.startSeconds = start_ / kPalClock;
        f.state = state;
        if (state == FileState::ChecksumWrong)
            f.detail.kind = FileDetailKind::ChecksumWrong;
        if (part_ == Part::PageData || part_ == Part::PageCheck)
            numbering_.number(f, page_);
        else
            f.program = numbering_.wholeFile();
        data_.clear();
        return keep(std::move(f));
    }

    Part part_ = Part::Flag;
    std::uint64_t start_ = 0;
    std::vector<std::uint8_t> header_, data_;
    std::uint8_t sum_ = 0;
    bool good_ = true;
    std::string name_;
    std::uint16_t load_ = 0;
    std::size_t length_ = 0;
    std::uint8_t page_ = 0;
    int blocks_ = 0; // Special blocks begun in this chain
    PageNumbering numbering_;
};

} // namespace

std::unique_ptr<Decoder> makeNovaloadDecoder() { return std::make_unique<NovaloadDecoder>(); }

} // namespace vornix::tape
