#include "tape/TapeWriter.h"

#include "core/FileIO.h"
#include "tape/PulseStream.h"
#include "tape/TapFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vornix::tape {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
// Output of a conversion is kept in memory up to this size, else the input is read twice:
// once to count the bytes the TAP header states, once to write them a chunk at a time. Small
// enough that a long tape costs no more memory than reading it.
constexpr std::size_t kInMemory = 1024 * 1024;

void appendPulse(std::vector<std::uint8_t>& out, std::uint32_t c) {
    const std::uint32_t units = (c + 4) / 8;
    if (units >= 1 && units <= 255) {
        out.push_back(static_cast<std::uint8_t>(units));
        return;
    }
    while (c > 0xFFFFFF) {
        out.insert(out.end(), {0, 0xFF, 0xFF, 0xFF});
        c -= 0xFFFFFF;
    }
    out.insert(out.end(), {0, static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                           static_cast<std::uint8_t>(c >> 16)});
}

TapeWriteResult failed(TapeWriteFailure f, std::string path, std::string detail) {
    TapeWriteResult r;
    r.failure = f;
    r.path = std::move(path);
    r.detail = std::move(detail);
    return r;
}

TapeWriteResult readFailure(TapeFailure f, const std::string& path, const std::string& detail) {
    switch (f) {
    case TapeFailure::NotTape: return failed(TapeWriteFailure::NotTape, path, detail);
    case TapeFailure::UnsupportedWav: return failed(TapeWriteFailure::UnsupportedWav, path, detail);
    case TapeFailure::UnsupportedTap: return failed(TapeWriteFailure::UnsupportedTap, path, detail);
    default: return failed(TapeWriteFailure::CannotRead, path, detail);
    }
}

TapeWriteResult writeFailure(const AtomicFile& file, const std::string& out) {
    return failed(TapeWriteFailure::CannotWrite, out, file.error());
}

// Writes bytes to the file a chunk at a time.
class ChunkWriter {
  public:
    explicit ChunkWriter(AtomicFile& file) : file_(file) { buffer_.reserve(kChunk + 64); }
    std::vector<std::uint8_t>& buffer() { return buffer_; }
    void maybeFlush() {
        if (buffer_.size() >= kChunk)
            flush();
    }
    bool flush() {
        if (ok_ && !buffer_.empty())
            ok_ = file_.write(buffer_.data(), buffer_.size());
        buffer_.clear();
        return ok_;
    }
    bool ok() const { return ok_; }

  private:
    AtomicFile& file_;
    std::vector<std::uint8_t> buffer_;
    bool ok_ = true;
};

// Version 1 TAP bytes of the pulses, kept while they fit in memory, then only counted; or,
// given a writer, written out.
class TapV1Sink : public PulseSink {
  public:
    explicit TapV1Sink(ChunkWriter* writer = nullptr) : writer_(writer) {
        if (!writer_)
            bytes_.reserve(kInMemory + kChunk); // never doubled past the limit
    }
    void pulses(const std::uint32_t* p, std::size_t n, std::uint64_t) override {
        std::vector<std::uint8_t>& out = writer_ ? writer_->buffer() : spilled_ ? scratch_ : bytes_;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t before = out.size();
            appendPulse(out, p[i]);
            total_ += out.size() - before;
            if (writer_)
                writer_->maybeFlush();
        }
        scratch_.clear();
        if (!writer_ && bytes_.size() > kInMemory) {
            spilled_ = true;
            bytes_ = {};
        }
        count_ += n;
    }
    std::uint64_t total() const { return total_; }
    std::uint64_t count() const { return count_; }
    bool spilled() const { return spilled_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    ChunkWriter* writer_;
    std::vector<std::uint8_t> bytes_, scratch_;
    std::uint64_t total_ = 0, count_ = 0;
    bool spilled_ = false;
};

// Sums the cycles of a stream.
class CycleCounter : public PulseSink {
  public:
    void pulses(const std::uint32_t* p, std::size_t n, std::uint64_t) override {
        for (std::size_t i = 0; i < n; ++i)
            cycles += p[i];
        count += n;
    }
    std::uint64_t cycles = 0, count = 0;
};

void put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(std::uint8_t* p, std::uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

// Pulses as a square wave: high for the first half, low for the second; a pause swings once
// and then is silent. Levels are integrated over each sample, so an edge between two samples
// shows in the sample it falls in.
class WavSynth : public PulseSink {
  public:
    WavSynth(ChunkWriter& writer, int rate, int bits, std::uint64_t samples)
        : writer_(writer), samplesPerCycle_(rate / kPalClock), bits_(bits), samples_(samples) {}

    void pulses(const std::uint32_t* p, std::size_t n, std::uint64_t) override {
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t c = p[i];
            if (c > kPause) {
                segment(cycles_ + kSwing / 2, 1.0);
                segment(cycles_ + kSwing / 2 + kSwing / 2, -1.0);
                segment(start_ + c, 0.0);
            } else {
                segment(cycles_ + c / 2, 1.0);
                segment(start_ + c, -1.0);
            }
            start_ += c;
            cycles_ = start_;
        }
    }
    void finish() {
        if (pos_ > std::floor(pos_) && written_ < samples_)
            emit(acc_);
        while (written_ < samples_)
            emit(0.0);
        writer_.flush();
    }

  private:
    static constexpr std::uint64_t kPause = 19705; // 20 ms
    static constexpr std::uint64_t kSwing = 0x30 * 8;

    // The level holds from the current point to the cycle `until`.
    void segment(std::uint64_t until, double level) {
        const double end = until * samplesPerCycle_;
        cycles_ = until;
        if (end <= pos_)
            return;
        const double boundary = std::floor(pos_) + 1;
        if (end < boundary) {
            acc_ += (end - pos_) * level;
            pos_ = end;
            return;
        }
        emit(acc_ + (boundary - pos_) * level);
        pos_ = boundary;
        const double whole = std::floor(end - pos_);
        fill(level, static_cast<std::uint64_t>(whole));
        pos_ += whole;
        acc_ = (end - pos_) * level;
        pos_ = end;
    }
    void emit(double v) {
        if (written_ >= samples_)
            return;
        std::vector<std::uint8_t>& out = writer_.buffer();
        if (bits_ == 8) {
            out.push_back(static_cast<std::uint8_t>(128 + std::lround(v * 96)));
        } else {
            const auto s = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 24576)));
            out.push_back(static_cast<std::uint8_t>(s));
            out.push_back(static_cast<std::uint8_t>(s >> 8));
        }
        ++written_;
        writer_.maybeFlush();
    }
    // n samples of one of the three levels, a chunk at a time.
    void fill(double level, std::uint64_t n) {
        n = std::min(n, samples_ - written_);
        written_ += n;
        const std::uint8_t byte = static_cast<std::uint8_t>(128 + std::lround(level * 96));
        const auto word = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(level * 24576)));
        std::vector<std::uint8_t>& out = writer_.buffer();
        while (n > 0) {
            const std::size_t room = kChunk / 2;
            const std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(n, room));
            const std::size_t at = out.size();
            if (bits_ == 8) {
                out.resize(at + k, byte);
            } else {
                out.resize(at + 2 * k);
                for (std::size_t i = 0; i < k; ++i) {
                    out[at + 2 * i] = static_cast<std::uint8_t>(word);
                    out[at + 2 * i + 1] = static_cast<std::uint8_t>(word >> 8);
                }
            }
            n -= k;
            writer_.maybeFlush();
        }
    }

    ChunkWriter& writer_;
    double samplesPerCycle_;
    int bits_;
    std::uint64_t samples_;
    std::uint64_t written_ = 0;
    std::uint64_t start_ = 0, cycles_ = 0; // the pulse's start, and the point reached within it
    double pos_ = 0, acc_ = 0;             // in samples; the share of the current sample so far
};

bool openInput(const std::string& in, const std::string& out, FileSource& source, TapeWriteResult& failure) {
    if (vornix::sameFile(in, out)) {
        failure = failed(TapeWriteFailure::SameAsInput, out, "the output is the input");
        return false;
    }
    if (!source.open(in)) {
        failure = failed(TapeWriteFailure::CannotRead, in, source.error());
        return false;
    }
    return true;
}

} // namespace

std::vector<std::uint8_t> tapV1Bytes(const std::vector<std::uint32_t>& pulses) {
    std::vector<std::uint8_t> data;
    data.reserve(pulses.size() + 64);
    for (std::uint32_t c : pulses)
        appendPulse(data, c);
    const tap::Header h = tap::makeHeader(static_cast<std::uint32_t>(data.size()));
    data.insert(data.begin(), h.begin(), h.end());
    return data;
}

TapeWriteResult encodeRomTap(const std::vector<ProgramToEncode>& programs, const std::string& out) {
    if (programs.empty())
        return failed(TapeWriteFailure::Empty, out, "no programs to put on the tape");
    for (const ProgramToEncode& p : programs)
        if (!fitsInMemory(p))
            return failed(TapeWriteFailure::TooLarge, out,
                          "\"" + p.name + "\" would end past the top of memory ($FFFF)");
    const std::vector<std::uint8_t> bytes = tapV1Bytes(romLoaderPulses(programs));
    AtomicFile file;
    if (!file.open(out) || !file.write(bytes.data(), bytes.size()) || !file.commit())
        return writeFailure(file, out);
    TapeWriteResult r;
    r.path = out;
    r.bytesWritten = bytes.size();
    return r;
}

TapeWriteResult toTapV1(const std::string& in, const std::string& out, const PulseOptions& options) {
    TapeWriteResult r;
    FileSource source;
    if (!openInput(in, out, source, r))
        return r;
    TapV1Sink first;
    SourceInfo info;
    if (const StreamFailure f = streamPulses(source, options, first, info))
        return readFailure(f.failure, in, f.detail);
    if (first.count() == 0)
        return failed(TapeWriteFailure::Empty, in, "the input holds no pulses");
    if (first.total() > tap::kMaxDataLength)
        return failed(TapeWriteFailure::TooLarge, out, "the pulses take more than a TAP file's 4 GiB");
    AtomicFile file;
    const tap::Header h = tap::makeHeader(static_cast<std::uint32_t>(first.total()));
    if (!file.open(out) || !file.reserve(h.size() + first.total()) || !file.write(h.data(), h.size()))
        return writeFailure(file, out);
    if (!first.spilled()) {
        if (!file.write(first.bytes().data(), first.bytes().size()))
            return writeFailure(file, out);
    } else {
        ChunkWriter writer(file);
        TapV1Sink second(&writer);
        SourceInfo again;
        if (const StreamFailure f = streamPulses(source, options, second, again))
            return readFailure(f.failure, in, f.detail);
        if (!writer.flush() || second.total() != first.total())
            return writer.ok()
                       ? failed(TapeWriteFailure::CannotRead, in, "the input changed while it was read")
                       : writeFailure(file, out);
    }
    if (!file.commit())
        return writeFailure(file, out);
    r.path = out;
    r.bytesWritten = h.size() + first.total();
    return r;
}

TapeWriteResult tapToWav(const std::string& in, const std::string& out, int sampleRate, int bits,
                         const PulseOptions& options) {
    TapeWriteResult r;
    if (bits != 8 && bits != 16)
        return failed(TapeWriteFailure::CannotWrite, out, "a WAV is written with 8 or 16 bits a sample");
    if (sampleRate < 4000 || sampleRate > 384000)
        return failed(TapeWriteFailure::CannotWrite, out, "the sample rate must be 4000 to 384000 Hz");
    FileSource source;
    if (!openInput(in, out, source, r))
        return r;
    CycleCounter counter;
    SourceInfo info;
    if (const StreamFailure f = streamPulses(source, options, counter, info))
        return readFailure(f.failure, in, f.detail);
    if (counter.count == 0)
        return failed(TapeWriteFailure::Empty, in, "the input holds no pulses");
    const std::uint64_t samples =
        static_cast<std::uint64_t>(std::ceil(counter.cycles * (sampleRate / kPalClock)));
    const std::uint64_t dataBytes = samples * (bits / 8);
    if (dataBytes + 36 > 0xFFFFFFFFu)
        return failed(TapeWriteFailure::TooLarge, out, "the recording would pass a WAV file's 4 GiB");

    std::uint8_t h[44];
    std::memcpy(h, "RIFF", 4);
    put32(h + 4, static_cast<std::uint32_t>(36 + dataBytes));
    std::memcpy(h + 8, "WAVEfmt ", 8);
    put32(h + 16, 16);
    put16(h + 20, 1);
    put16(h + 22, 1);
    put32(h + 24, static_cast<std::uint32_t>(sampleRate));
    put32(h + 28, static_cast<std::uint32_t>(sampleRate * (bits / 8)));
    put16(h + 32, static_cast<std::uint32_t>(bits / 8));
    put16(h + 34, static_cast<std::uint32_t>(bits));
    std::memcpy(h + 36, "data", 4);
    put32(h + 40, static_cast<std::uint32_t>(dataBytes));

    AtomicFile file;
    if (!file.open(out) || !file.reserve(sizeof h + dataBytes) || !file.write(h, sizeof h))
        return writeFailure(file, out);
    ChunkWriter writer(file);
    WavSynth synth(writer, sampleRate, bits, samples);
    if (const StreamFailure f = streamPulses(source, options, synth, info))
        return readFailure(f.failure, in, f.detail);
    synth.finish();
    if (!writer.ok() || !file.commit())
        return writeFailure(file, out);
    r.path = out;
    r.bytesWritten = sizeof h + dataBytes;
    return r;
}

std::vector<std::uint8_t> p00Bytes(const std::string& name, const std::vector<std::uint8_t>& prg) {
    std::vector<std::uint8_t> out(26, 0);
    std::memcpy(out.data(), "C64File", 7);
    for (std::size_t i = 0; i < 16 && i < name.size(); ++i)
        out[8 + i] = static_cast<std::uint8_t>(name[i]);
    out.insert(out.end(), prg.begin(), prg.end());
    return out;
}

} // namespace vornix::tape
