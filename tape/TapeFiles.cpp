#include "tape/TapeFiles.h"

#include <algorithm>

namespace vornix::tape {

namespace {

constexpr std::size_t kHeaderPayload = 193;

// The copy's bytes [0, need) all read well and the last is the XOR of the others.
bool complete(const BlockCopy* c, std::size_t need) {
    if (!c || need == 0 || c->value.size() < need)
        return false;
    // Without a test per byte, so that the loop runs many bytes at a time: a copy is almost
    // always whole.
    const std::uint8_t* value = c->value.data();
    const std::uint8_t* ok = c->ok.data();
    std::uint8_t x = 0, bad = 0;
    for (std::size_t i = 0; i < need; ++i) {
        bad |= ok[i] == 0;
        x ^= value[i];
    }
    return bad == 0 && x == 0; // the checksum cancels the XOR of the bytes
}

struct Merged {
    std::vector<std::uint8_t> value;
    std::vector<std::uint8_t> known;
    std::size_t unknown = 0;
    std::size_t fromOther = 0; // bytes the preferred copy lost, taken from the other
};

Merged merge(const BlockCopy* a, const BlockCopy* b, std::size_t need) {
    Merged m;
    m.value.assign(need, 0);
    m.known.assign(need, 0);
    for (std::size_t i = 0; i < need; ++i) {
        if (a && i < a->value.size() && a->ok[i]) {
            m.value[i] = a->value[i];
            m.known[i] = 1;
        } else if (b && i < b->value.size() && b->ok[i]) {
            m.value[i] = b->value[i];
            m.known[i] = 1;
            ++m.fromOther;
        } else {
            ++m.unknown;
        }
    }
    return m;
}

bool checksumAgrees(const std::vector<std::uint8_t>& v) {
    return !v.empty() && xorOf(v.data(), v.size()) == 0;
}

std::size_t badBytes(const BlockCopy& c, std::size_t need) {
    std::size_t bad = need > c.value.size() ? need - c.value.size() : 0;
    for (std::size_t i = 0; i < std::min(need, c.value.size()); ++i)
        bad += !c.ok[i];
    return bad;
}

// What went wrong with one copy.
CopyTrouble copyTrouble(const BlockCopy& c, std::size_t need, std::size_t& bad) {
    bad = 0;
    if (c.value.size() < need && !c.endMarker)
        return CopyTrouble::CutOff;
    bad = badBytes(c, need);
    return bad == 0 ? CopyTrouble::ChecksumWrong : CopyTrouble::UnreadableBytes;
}

// Pulses lost from a copy (not just damaged) shorten the time its later bytes are placed by,
// so after a damaged place they may sit a byte or more off. A stretch of good bytes that
// begins where the copies disagree is moved by the offset at which it agrees with the other
// copy, when that offset is clear. Returns whether anything moved.
bool realign(BlockCopy& c, const BlockCopy& other) {
    bool moved = false;
    std::size_t i = 0;
    for (int moves = 0; moves < 16 && i < c.value.size();) {
        const std::size_t n = c.value.size();
        while (i < n && !(c.ok[i] && i < other.value.size() && other.ok[i] && c.value[i] != other.value[i]))
            ++i;
        const std::size_t from = i;
        while (i < n && c.ok[i])
            ++i;
        const std::size_t to = i;
        if (to - from < 8)
            continue;
        int best = 0, bestMatches = -1, atZero = 0, ties = 0;
        for (int d = -3; d <= 3; ++d) {
            int matches = 0, compared = 0;
            for (std::size_t j = from; j < to; ++j) {
                const std::ptrdiff_t k = static_cast<std::ptrdiff_t>(j) + d;
                if (k < 0 || k >= static_cast<std::ptrdiff_t>(other.value.size()) || !other.ok[k])
                    continue;
                ++compared;
                matches += c.value[j] == other.value[k];
            }
            if (d == 0)
                atZero = matches;
            if (compared < 8 || matches * 10 < compared * 9)
                continue;
            if (matches > bestMatches) {
                best = d;
                bestMatches = matches;
                ties = 0;
            } else if (matches == bestMatches) {
                ++ties;
            }
        }
        if (best == 0 || ties > 0 || atZero * 10 >= bestMatches * 8)
            continue;
        // Move the stretch; what it leaves behind is unknown.
        std::vector<std::uint8_t> value(c.value), ok(c.ok);
        const std::size_t size = std::max<std::size_t>(n, to + std::max(best, 0));
        value.resize(size, 0);
        ok.resize(size, 0);
        for (std::size_t j = from; j < to; ++j)
            ok[j] = 0;
        for (std::size_t j = from; j < to; ++j) {
            const std::ptrdiff_t k = static_cast<std::ptrdiff_t>(j) + best;
            if (k >= 0) {
                value[k] = c.value[j];
                ok[k] = 1;
            }
        }
        c.value = std::move(value);
        c.ok = std::move(ok);
        moved = true;
        ++moves;
        i = 0; // the later stretches, from their new places
    }
    return moved;
}

void split(const std::vector<BlockCopy>& copies, const BlockCopy*& first, const BlockCopy*& second) {
    first = second = nullptr;
    for (const BlockCopy& c : copies) {
        if (c.second && !second)
            second = &c;
        else if (!c.second && !first)
            first = &c;
    }
}

} // namespace

std::uint8_t xorOf(const std::uint8_t* bytes, std::size_t count) {
    std::uint8_t x = 0;
    for (std::size_t i = 0; i < count; ++i)
        x ^= bytes[i];
    return x;
}

std::string tapeName(const std::uint8_t* bytes, std::size_t size) {
    std::string name(reinterpret_cast<const char*>(bytes), size);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

std::size_t lengthBetween(std::uint16_t load, std::uint16_t end) {
    if (end > load)
        return end - load;
    if (end == 0 && load > 0)
        return 0x10000 - load;
    return 0;
}

FileHeader readHeader(const std::vector<BlockCopy>& copies) {
    FileHeader h;
    const BlockCopy *first, *second;
    split(copies, first, second);
    std::vector<std::uint8_t> bytes, known;
    if (complete(first, kHeaderPayload) || complete(second, kHeaderPayload)) {
        const BlockCopy* c = complete(first, kHeaderPayload) ? first : second;
        bytes.assign(c->value.begin(), c->value.begin() + kHeaderPayload);
        known.assign(kHeaderPayload, 1);
        h.good = true;
    } else {
        Merged m = merge(first, second, kHeaderPayload);
        h.good = m.unknown == 0 && checksumAgrees(m.value);
        bytes = std::move(m.value);
        known = std::move(m.known);
    }
    h.known = std::all_of(known.begin(), known.begin() + 21, [](std::uint8_t k) { return k != 0; });
    h.type = bytes[0];
    h.load = static_cast<std::uint16_t>(bytes[1] | bytes[2] << 8);
    h.end = static_cast<std::uint16_t>(bytes[3] | bytes[4] << 8);
    h.name = tapeName(bytes.data() + 5, 16);
    h.dataLength = lengthBetween(h.load, h.end);
    return h;
}

DataOutcome evaluateData(const std::vector<BlockCopy>& copies, std::size_t length) {
    DataOutcome out;
    const BlockCopy *first, *second;
    split(copies, first, second);
    const std::size_t need = length + 1;
    if (complete(first, need)) {
        out.data.assign(first->value.begin(), first->value.begin() + length);
        if (second && !complete(second, need)) {
            out.detail.kind = FileDetailKind::SecondCopyBad;
            out.detail.trouble = copyTrouble(*second, need, out.detail.bytes);
        }
        return out;
    }
    if (complete(second, need)) {
        out.state = FileState::Repaired;
        out.data.assign(second->value.begin(), second->value.begin() + length);
        if (first) {
            out.detail.kind = FileDetailKind::FirstCopyBad;
            out.detail.trouble = copyTrouble(*first, need, out.detail.bytes);
        } else {
            out.detail.kind = FileDetailKind::FirstCopyMissing;
        }
        return out;
    }
    // Byte by byte, each copy taking the lead once; then with the bytes after each damaged
    // place of one copy moved to where they agree with the other.
    for (int pass = 0; pass < 2 && first && second; ++pass) {
        BlockCopy a = *first, b = *second;
        if (pass == 1 && !(realign(a, b) | realign(b, a)))
            break;
        for (int lead = 0; lead < 2; ++lead) {
            const Merged m = lead == 0 ? merge(&a, &b, need) : merge(&b, &a, need);
            if (m.unknown == 0 && checksumAgrees(m.value)) {
                out.state = FileState::Repaired;
                out.data.assign(m.value.begin(), m.value.begin() + length);
                out.detail = {FileDetailKind::BytesFromOtherCopy, CopyTrouble::None, m.fromOther};
                return out;
            }
        }
    }
    const Merged m = merge(first, second, need);
    // Cut off: a copy ended early and nothing was read past the first byte missing.
    const auto firstUnknown = std::find(m.known.begin(), m.known.end(), 0) - m.known.begin();
    bool endedEarly = false;
    for (const BlockCopy* c : {first, second})
        endedEarly |= c && c->value.size() < need && !c->endMarker;
    if (m.unknown > 0 && endedEarly &&
        std::find(m.known.begin() + firstUnknown, m.known.end(), 1) == m.known.end()) {
        out.state = FileState::CutOff;
        out.data.assign(m.value.begin(), m.value.begin() + std::min<std::size_t>(firstUnknown, length));
        out.detail = {FileDetailKind::TapeEnds, CopyTrouble::None, out.data.size(), length};
        return out;
    }
    out.state = FileState::ChecksumWrong;
    out.data.assign(m.value.begin(), m.value.begin() + length);
    out.detail.kind = m.unknown > 0 ? FileDetailKind::BytesUnreadable : FileDetailKind::ChecksumWrong;
    out.detail.bytes = m.unknown;
    out.detail.bothCopies = second && first;
    return out;
}

std::optional<FoundFile> assembleRomFile(const std::vector<BlockCopy>& header,
                                         const std::vector<BlockCopy>& data,
                                         std::vector<std::string>& notes) {
    FoundFile f;
    f.loader = "rom";
    FileHeader h;
    if (!header.empty())
        h = readHeader(header);
    if (!header.empty() && h.known) {
        if (h.type == 5) {
            notes.push_back("an end-of-tape mark was passed over");
            return std::nullopt;
        }
        if (h.type == 2 || h.type == 4) {
            notes.push_back("a data file \"" + h.name + "\" (not a program) was passed over");
            return std::nullopt;
        }
        f.headerType = h.type;
        f.name = h.name;
        f.load = h.load;
        f.end = h.end;
        f.startSeconds = header.front().start / kPalClock;
        if (data.empty()) {
            f.state = FileState::CutOff;
            f.detail.kind = FileDetailKind::NoDataBlock;
            return f;
        }
    } else {
        if (data.empty())
            return std::nullopt; // an unreadable header alone: nothing to report
        f.startSeconds = (header.empty() ? data.front().start : header.front().start) / kPalClock;
    }
    std::size_t length = h.known ? h.dataLength : 0;
    if (length == 0) {
        for (const BlockCopy& c : data)
            length = std::max(length, c.value.size());
        length = length > 0 ? length - 1 : 0;
    }
    // The C64 loads a data block up to its end mark: a copy that ends there before the
    // header's end address, whole and with its checksum, is the program as it loads.
    std::size_t named = 0;
    if (h.known &&
        std::none_of(data.begin(), data.end(), [&](const BlockCopy& c) { return complete(&c, length + 1); }))
        for (const BlockCopy& c : data)
            if (c.endMarker && c.value.size() > 1 && c.value.size() <= length &&
                complete(&c, c.value.size())) {
                named = length;
                length = c.value.size() - 1;
                break;
            }
    DataOutcome d = evaluateData(data, length);
    f.data = std::move(d.data);
    f.state = d.state;
    f.detail = std::move(d.detail);
    f.detail.headerNamed = named;
    if (!h.known) {
        // Without a header nothing says where the data belongs.
        f.state = FileState::CutOff;
        f.detail = {header.empty() ? FileDetailKind::NoHeader : FileDetailKind::HeaderUnreadable};
        if (f.end == 0)
            f.end = static_cast<std::uint16_t>(f.data.size());
    } else if (!h.good) {
        // The name and addresses read well; the fault is in the header's filler.
        f.detail.headerChecksumWrong = true;
    }
    return f;
}

} // namespace vornix::tape
