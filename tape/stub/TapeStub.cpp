// Throwaway stand-in for the tape writers until they land.
#include "tape/TapeReader.h"
#include "tape/TapeWriter.h"

#include "core/FileIO.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace vornix::tape {

static std::vector<std::uint8_t> readAll(const std::string& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    ok = bool(in);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::uint32_t> romLoaderPulses(const std::vector<ProgramToEncode>&) { return {}; }

static TapeWriteResult writeBytes(const std::vector<std::uint8_t>& bytes, const std::string& out) {
    TapeWriteResult r;
    AtomicFile f;
    if (!f.open(out) || !f.write(bytes.data(), bytes.size()) || !f.commit()) {
        r.failure = TapeWriteFailure::CannotWrite;
        r.path = out;
        r.detail = f.error();
        return r;
    }
    r.bytesWritten = bytes.size();
    return r;
}

TapeWriteResult encodeRomTap(const std::vector<ProgramToEncode>& programs, const std::string& out) {
    if (programs.empty())
        return {TapeWriteFailure::Empty, out, "no programs", 0};
    std::vector<std::uint8_t> b{'C', '6', '4', '-', 'T', 'A', 'P', 'E', '-', 'R', 'A', 'W', 1, 0, 0, 0, 0, 0, 0, 0};
    b.insert(b.end(), {'S', 'T', 'U', 'B'});
    for (const auto& p : programs) {
        b.push_back(std::uint8_t(p.name.size()));
        b.insert(b.end(), p.name.begin(), p.name.end());
        b.push_back(p.load & 0xFF);
        b.push_back(p.load >> 8);
        b.push_back(p.data.size() & 0xFF);
        b.push_back((p.data.size() >> 8) & 0xFF);
        b.push_back((p.data.size() >> 16) & 0xFF);
        b.push_back(0);
        b.insert(b.end(), p.data.begin(), p.data.end());
    }
    const std::uint32_t n = std::uint32_t(b.size() - 20);
    std::memcpy(&b[16], &n, 4);
    return writeBytes(b, out);
}

TapeWriteResult tapToWav(const std::string& in, const std::string& out, int, int, const PulseOptions&) {
    bool ok = false;
    auto bytes = readAll(in, ok);
    if (!ok)
        return {TapeWriteFailure::CannotRead, in, "cannot open", 0};
    std::vector<std::uint8_t> w{'R', 'I', 'F', 'F'};
    w.insert(w.end(), bytes.begin(), bytes.end());
    return writeBytes(w, out);
}

TapeWriteResult toTapV1(const std::string& in, const std::string& out, const PulseOptions&) {
    bool ok = false;
    auto bytes = readAll(in, ok);
    if (!ok)
        return {TapeWriteFailure::CannotRead, in, "cannot open", 0};
    if (bytes.size() < 20 || std::memcmp(bytes.data(), "C64-TAPE-RAW", 12) != 0)
        return {TapeWriteFailure::NotTape, in, "not a tape", 0};
    bytes[12] = 1;
    return writeBytes(bytes, out);
}

std::vector<std::uint8_t> p00Bytes(const std::string& name, const std::vector<std::uint8_t>& prg) {
    std::vector<std::uint8_t> out{'C', '6', '4', 'F', 'i', 'l', 'e', 0};
    std::string n = name.substr(0, 16);
    n.resize(16, '\0');
    out.insert(out.end(), n.begin(), n.end());
    out.push_back(0);
    out.push_back(0);
    out.insert(out.end(), prg.begin(), prg.end());
    return out;
}

} // namespace vornix::tape
