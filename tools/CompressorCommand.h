#pragma once
// The pucrunch command line of the compression window, built from its options.
#include <string>
#include <string_view>

namespace vornix {

enum class Machine { C64 = 0, C128 = 1, VIC20 = 2, C16 = 3, StandAlone = 4 };
enum class Decompressor { Basic = 0, Fast = 1, Short = 2, Medium = 3 };

struct CompressorOptions {
    Machine machine = Machine::C64;
    bool avoidVideoMatrix = false;
    bool defaultLoadAddress = true;
    std::string loadAddress = "0x258";
    bool defaultExecAddress = true;
    std::string execAddress;
    bool disableFastMode = false; // 2 MHz on the C128, 2X on the C16/+4
    Decompressor decompressor = Decompressor::Short;
    bool deltaMatching = false;
    int maxLenOption = 5; // 5, 6 or 7
    bool pOption = false;
    std::string pValue;
};

// "pucrunch.exe -c64 -fshort -m5 "IN" "OUT"" for the defaults; field texts go in as typed.
std::string compressorCommandLine(const CompressorOptions& options, std::string_view input,
                                  std::string_view output);

} // namespace vornix
