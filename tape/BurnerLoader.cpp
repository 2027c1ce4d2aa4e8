#include "tape/BurnerLoader.h"

#include "tape/TapeFiles.h"
#include "tape/ThresholdBytes.h"

#include <optional>
#include <utility>

namespace vornix::tape {

namespace {

// Bits that may follow a block's data: the later version's 3 bytes and the 15 unused pulses
// some tapes carry, with a byte to spare.
constexpr std::size_t kMaxTail = (3 + 2 + 1) * 8;
constexpr std::size_t kMaxRaw = 2 + 4 + 65536 + 3 + 2;

struct Reading {
    std::uint8_t pilot = 0, sync = 0;
    bool lowFirst = false;
    bool operator==(const Reading&) const = default;
};

// Pilot and sync bytes of the other loaders of this kind, which read those blocks themselves.
constexpr Reading kOthers[] = {
    {0x40, 0x5A, false}, {0xAA, 0xA0, false}, {0x02, 0x09, false}, {0x02, 0x09, true}};

class BurnerDecoder : public ThresholdBlockDecoder {
  private:
    bool isPilot(const Pilot& p) override {
        if (!near(p.zero, 0x22) || !near(p.one, 0x42))
            return false;
        start_ = p.start;
        return true;
    }

    // The block is kept as read, from the pilot's last byte on: where the sync byte starts is
    // decided when it has ended.
    int align(std::uint64_t) override {
        raw_.clear();
        return 8;
    }

    bool byte(std::uint8_t raw) override {
        raw_.push_back(raw);
        if (raw_.size() < kMaxRaw)
            return true;
        settle(raw_.size() * 8, false);
        return false;
    }

    void brokeOff() override {
        const int extra = pendingBits();
        std::size_t bits = raw_.size() * 8;
        if (extra > 0) {
            raw_.push_back(static_cast<std::uint8_t>(pendingValue() << (8 - extra)));
            bits += extra;
        }
        settle(bits, true);
    }

    // Bit j of the block as read; before the first, the pilot's pattern repeats.
    bool bit(std::ptrdiff_t j) const {
        if (j < 0)
            j += 8;
        return raw_[static_cast<std::size_t>(j) >> 3] >> (7 - (j & 7)) & 1;
    }
    std::uint8_t byteFrom(std::ptrdiff_t j, bool lowFirst) const {
        std::uint8_t b = 0;
        for (int i = 0; i < 8; ++i)
            b = static_cast<std::uint8_t>(b << 1 | bit(j + i));
        return lowFirst ? reversed(b) : b;
    }

    struct Candidate {
        Reading reading;
        std::ptrdiff_t header = 0; // bit where load address starts
        std::uint16_t load = 0, end = 0;
        std::size_t dataEnd = 0; // bit after the data
    };

    // The sync byte starting k bits before the pilot's pattern broke (bit 8 - k here).
    std::optional<Candidate> candidate(int k, bool lowFirst) const {
        Candidate c;
        const std::ptrdiff_t sync = 8 - k;
        c.header = sync + 8;
        if (raw_.size() * 8 < static_cast<std::size_t>(c.header + 32))
            return std::nullopt;
        c.reading = {byteFrom(sync - 8, lowFirst), byteFrom(sync, lowFirst), lowFirst};
        c.load =
            static_cast<std::uint16_t>(byteFrom(c.header, lowFirst) | byteFrom(c.header + 8, lowFirst) << 8);
        c.end = static_cast<std::uint16_t>(byteFrom(c.header + 16, lowFirst) |
                                           byteFrom(c.header + 24, lowFirst) << 8);
        const std::size_t length = lengthBetween(c.load, c.end);
        if (length == 0)
            return std::nullopt;
        for (const Reading& other : kOthers)
            if (c.reading == other)
                return std::nullopt;
        c.dataEnd = static_cast<std::size_t>(c.header + 32) + 8 * length;
        return c;
    }

    // The tape's own values first, then the reading leaving the fewest bits after the data.
    std::pair<bool, std::size_t> rank(const Candidate& c, std::size_t bits) const {
        return {!(c.reading == learned_), bits - c.dataEnd};
    }

    void settle(std::size_t bits, bool brokeOff) {
        std::optional<Candidate> best, known;
        for (bool lowFirst : {false, true}) {
            for (int k = 0; k < 8; ++k) {
                const std::optional<Candidate> c = candidate(k, lowFirst);
                if (!c)
                    continue;
                if (learned_ && c->reading == *learned_)
                    known = c;
                if (c->dataEnd > bits || bits - c->dataEnd > kMaxTail)
                    continue;
                if (!best || rank(*c, bits) < rank(*best, bits))
                    best = c;
            }
        }
        // The tape's own values when the block ended early.
        if (!best && brokeOff && known && known->dataEnd > bits)
            best = known;
        if (best) {
            learned_ = best->reading;
            emit(*best, bits);
        }
        raw_.clear();
    }

    void emit(const Candidate& c, std::size_t bits) {
        const bool lowFirst = c.reading.lowFirst;
        FoundFile f;
        f.loader = "burner";
        f.load = c.load;
        f.end = c.end;
        f.startSeconds = start_ / kPalClock;
        f.program = program_;
        f.block = block_++;
        std::vector<std::uint8_t> data;
        const std::size_t length = lengthBetween(c.load, c.end);
        for (std::size_t j = static_cast<std::size_t>(c.header) + 32; j + 8 <= bits && data.size() < length;
             j += 8)
            data.push_back(byteFrom(static_cast<std::ptrdiff_t>(j), lowFirst));
        settleData(f, data, length, false);
        // The later version's byte after the data: 0 and a start address end the program.
        if (c.dataEnd + 24 <= bits && byteFrom(static_cast<std::ptrdiff_t>(c.dataEnd), lowFirst) == 0) {
            ++program_;
            block_ = 0;
        }
        found_.push_back(std::move(f));
    }

    std::uint64_t start_ = 0;
    std::vector<std::uint8_t> raw_;
    std::optional<Reading> learned_;
    int program_ = 0, block_ = 0;
};

} // namespace

std::unique_ptr<Decoder> makeBurnerDecoder() { return std::make_unique<BurnerDecoder>(); }

} // namespace vornix::tape
