#include "tools/CompressorCommand.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace vornix;

namespace {

const std::string kPaths = " \"in.prg\" \"out.prg\"";

std::string build(const std::function<void(CompressorOptions&)>& change) {
    CompressorOptions o;
    change(o);
    return compressorCommandLine(o, "in.prg", "out.prg");
}

struct Row {
    const char* name;
    std::function<void(CompressorOptions&)> change;
    std::string options; // what stands between "pucrunch.exe " and the paths
};

TEST(CompressorCommand, OptionMapping) {
    const std::vector<Row> rows = {
        {"defaults", [](CompressorOptions&) {}, "-c64 -fshort -m5"},
        {"C128", [](CompressorOptions& o) { o.machine = Machine::C128; }, "-c128 -fshort -m5"},
        {"VIC20", [](CompressorOptions& o) { o.machine = Machine::VIC20; }, "-c20 -fshort -m5"},
        {"C16", [](CompressorOptions& o) { o.machine = Machine::C16; }, "-c16 -fshort -m5"},
        {"stand-alone", [](CompressorOptions& o) { o.machine = Machine::StandAlone; }, "-c0 -fshort -m5"},
        {"video matrix on VIC20",
         [](CompressorOptions& o) {
             o.machine = Machine::VIC20;
             o.avoidVideoMatrix = true;
         },
         "-c20 -a -fshort -m5"},
        {"video matrix ignored on C64", [](CompressorOptions& o) { o.avoidVideoMatrix = true; },
         "-c64 -fshort -m5"},
        {"load address unchecked", [](CompressorOptions& o) { o.defaultLoadAddress = false; },
         "-c64 -l0x258 -fshort -m5"},
        {"load address unchecked but empty",
         [](CompressorOptions& o) {
             o.defaultLoadAddress = false;
             o.loadAddress.clear();
         },
         "-c64 -fshort -m5"},
        {"load address text ignored while default", [](CompressorOptions& o) { o.loadAddress = "0x1000"; },
         "-c64 -fshort -m5"},
        {"exec address unchecked but empty", [](CompressorOptions& o) { o.defaultExecAddress = false; },
         "-c64 -fshort -m5"},
        {"exec address typed as is",
         [](CompressorOptions& o) {
             o.defaultExecAddress = false;
             o.execAddress = "$080d";
         },
         "-c64 -x$080d -fshort -m5"},
        {"2MHz off on C128",
         [](CompressorOptions& o) {
             o.machine = Machine::C128;
             o.disableFastMode = true;
         },
         "-c128 +f -fshort -m5"},
        {"2X off on C16",
         [](CompressorOptions& o) {
             o.machine = Machine::C16;
             o.disableFastMode = true;
         },
         "-c16 +f -fshort -m5"},
        {"fast mode box ignored on C64", [](CompressorOptions& o) { o.disableFastMode = true; },
         "-c64 -fshort -m5"},
        {"fast mode box ignored on VIC20",
         [](CompressorOptions& o) {
             o.machine = Machine::VIC20;
             o.disableFastMode = true;
         },
         "-c20 -fshort -m5"},
        {"basic decompressor", [](CompressorOptions& o) { o.decompressor = Decompressor::Basic; },
         "-c64 -fbasic -m5"},
        {"fast decompressor", [](CompressorOptions& o) { o.decompressor = Decompressor::Fast; },
         "-c64 -ffast -m5"},
        {"medium adds nothing", [](CompressorOptions& o) { o.decompressor = Decompressor::Medium; },
         "-c64 -m5"},
        {"delta", [](CompressorOptions& o) { o.deltaMatching = true; }, "-c64 -fshort -fdelta -m5"},
        {"m6", [](CompressorOptions& o) { o.maxLenOption = 6; }, "-c64 -fshort -m6"},
        {"m7", [](CompressorOptions& o) { o.maxLenOption = 7; }, "-c64 -fshort -m7"},
        {"P checked but empty", [](CompressorOptions& o) { o.pOption = true; }, "-c64 -fshort -m5"},
        {"P value ignored while unchecked", [](CompressorOptions& o) { o.pValue = "2"; }, "-c64 -fshort -m5"},
        {"P",
         [](CompressorOptions& o) {
             o.pOption = true;
             o.pValue = "2";
         },
         "-c64 -fshort -m5 -p2"},
        {"everything, in order",
         [](CompressorOptions& o) {
             o.machine = Machine::C128;
             o.avoidVideoMatrix = true;
             o.defaultLoadAddress = false;
             o.defaultExecAddress = false;
             o.execAddress = "2061";
             o.disableFastMode = true;
             o.decompressor = Decompressor::Fast;
             o.deltaMatching = true;
             o.maxLenOption = 7;
             o.pOption = true;
             o.pValue = "1";
         },
         "-c128 -l0x258 -x2061 +f -ffast -fdelta -m7 -p1"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(build(row.change), "pucrunch.exe " + row.options + kPaths) << row.name;
}

TEST(CompressorCommand, PathsAreQuotedWithQuotesTripled) {
    CompressorOptions o;
    EXPECT_EQ(compressorCommandLine(o, "/a b/x.prg", "say \"hi\".prg"),
              "pucrunch.exe -c64 -fshort -m5 \"/a b/x.prg\" \"say \"\"\"hi\"\"\".prg\"");
    // A quote typed into a field stays a literal quote instead of opening a quoted part.
    o.pOption = true;
    o.pValue = "1\"";
    EXPECT_EQ(compressorCommandLine(o, "in", "out"),
              "pucrunch.exe -c64 -fshort -m5 -p1\"\"\" \"in\" \"out\"");
}

} // namespace
