#include "tools/CompressorCommand.h"

#include "tools/CommandLineQuoting.h"

namespace vornix {

std::string compressorCommandLine(const CompressorOptions& o, std::string_view input,
                                  std::string_view output) {
    std::string cmd = "pucrunch.exe ";
    switch (o.machine) {
    case Machine::C64: cmd += "-c64"; break;
    case Machine::C128: cmd += "-c128"; break;
    case Machine::VIC20: cmd += "-c20"; break;
    case Machine::C16: cmd += "-c16"; break;
    case Machine::StandAlone: cmd += "-c0"; break;
    }
    if (o.avoidVideoMatrix && o.machine == Machine::VIC20)
        cmd += " -a";
    // Field texts go in as typed, but a typed double quote must not open a quoted part that
    // swallows the paths after it.
    if (!o.defaultLoadAddress && !o.loadAddress.empty())
        cmd += " -l" + escapedQuotes(o.loadAddress);
    if (!o.defaultExecAddress && !o.execAddress.empty())
        cmd += " -x" + escapedQuotes(o.execAddress);
    if (o.disableFastMode && (o.machine == Machine::C128 || o.machine == Machine::C16))
        cmd += " +f";
    switch (o.decompressor) {
    case Decompressor::Basic: cmd += " -fbasic"; break;
    case Decompressor::Fast: cmd += " -ffast"; break;
    case Decompressor::Short: cmd += " -fshort"; break;
    case Decompressor::Medium: break;
    }
    if (o.deltaMatching)
        cmd += " -fdelta";
    cmd += " -m" + std::to_string(o.maxLenOption);
    if (o.pOption && !o.pValue.empty())
        cmd += " -p" + escapedQuotes(o.pValue);
    // Paths are quoted so that blanks and quotation marks in them can neither split nor add arguments.
    cmd += ' ' + quotedArgument(input) + ' ' + quotedArgument(output);
    return cmd;
}

} // namespace vornix
