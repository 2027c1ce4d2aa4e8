#include "tape/Turbo250Loader.h"

#include "tape/TapeFiles.h"
#include "tape/ThresholdBytes.h"

#include <optional>

namespace vornix::tape {

namespace {

constexpr std::size_t kHeaderBody = 192, kNameAt = 5, kShortestHeader = kNameAt + 16;
constexpr std::size_t kMaxBody = 65536 + 1;
// Turbo Tape 64's decoder starts at this threshold (units) and takes pulses from 13 to 60.
constexpr std::uint32_t kTurboTapeThreshold = 33;

class Turbo250Decoder : public ThresholdBlockDecoder {
  private:
    enum class Part { Countdown, Id, Body };

    bool isPilot(const Pilot& p) override {
        if (!rotationOf(p.pattern, 0x02) || p.one * 10 < p.zero * 13)
            return false;
        pilot_ = p;
        return true;
    }

    // Read by Turbo Tape 64's decoder: its threshold falls well between the two lengths.
    bool turboTapeReads() const {
        return pilot_.zero < kTurboTapeThreshold && pilot_.one >= kTurboTapeThreshold && pilot_.zero >= 15 &&
               pilot_.one <= 56;
    }

    int align(std::uint64_t window) override {
        for (bool lowFirst : {false, true}) {
            for (int k = 0; k <= 8; ++k) {
                if (value(byteAt(window, k), lowFirst) != 0x09 ||
                    value(byteAt(window, k + 8), lowFirst) != 0x02)
                    continue;
                if (!lowFirst && turboTapeReads())
                    return -1;
                lowFirst_ = lowFirst;
                part_ = Part::Countdown;
                expect_ = 9;
                return k;
            }
        }
        return -1;
    }

    static std::uint8_t value(std::uint8_t raw, bool lowFirst) { return lowFirst ? reversed(raw) : raw; }

    bool byte(std::uint8_t raw) override {
        const std::uint8_t b = value(raw, lowFirst_);
        switch (part_) {
        case Part::Countdown:
            if (b != expect_)
                return false;
            if (--expect_ == 0)
                part_ = Part::Id;
            return true;
        case Part::Id:
            if (b > 2)
                return false;
            isHeader_ = b != 0;
            need_ = isHeader_ ? kHeaderBody
                    : header_ ? lengthBetween(header_->load, header_->end) + 1
                              : kMaxBody;
            body_.clear();
            part_ = Part::Body;
            return true;
        case Part::Body:
            body_.push_back(b);
            if (body_.size() < need_)
                return true;
            endBlock();
            return false;
        }
        return false;
    }

    void brokeOff() override {
        if (part_ == Part::Body)
            endBlock();
        part_ = Part::Countdown;
    }

    void emitHeaderAlone() {
        if (!header_)
            return;
        FoundFile f = *header_;
        f.state = FileState::CutOff;
        f.detail.kind = FileDetailKind::NoDataBlock;
        found_.push_back(std::move(f));
        header_.reset();
    }

    void endBlock() {
        part_ = Part::Countdown;
        if (isHeader_) {
            if (body_.size() < kShortestHeader)
                return;
            emitHeaderAlone();
            FoundFile h;
            h.loader = "turbo250";
            h.load = static_cast<std::uint16_t>(body_[0] | body_[1] << 8);
            h.end = static_cast<std::uint16_t>(body_[2] | body_[3] << 8);
            h.name = tapeName(body_.data() + kNameAt, 16);
            h.startSeconds = pilot_.start / kPalClock;
            header_ = std::move(h);
            return;
        }
        if (!header_) {
            // Data with no header: its last byte read is taken for the checksum.
            if (body_.size() < 2)
                return;
            FoundFile f;
            f.loader = "turbo250";
            f.startSeconds = pilot_.start / kPalClock;
            settleData(f, body_, body_.size() - 1, true);
            f.state = FileState::CutOff;
            f.detail = {FileDetailKind::NoHeader};
            f.end = static_cast<std::uint16_t>(f.data.size());
            found_.push_back(std::move(f));
            return;
        }
        FoundFile f = std::move(*header_);
        header_.reset();
        settleData(f, body_, lengthBetween(f.load, f.end), true);
        found_.push_back(std::move(f));
    }

    void closing() override { emitHeaderAlone(); }

    Pilot pilot_;
    bool lowFirst_ = false, isHeader_ = false;
    Part part_ = Part::Countdown;
    std::uint8_t expect_ = 9;
    std::size_t need_ = 0;
    std::vector<std::uint8_t> body_;
    std::optional<FoundFile> header_;
};

} // namespace

std::unique_ptr<Decoder> makeTurbo250Decoder() { return std::make_unique<Turbo250Decoder>(); }

} // namespace vornix::tape
