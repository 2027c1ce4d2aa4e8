#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Messages.h"

#include "convert/EmbeddedResources.h"
#include "convert/PictureConverters.h"
#include "core/FileIO.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>

namespace {

using Converter =
    std::function<vornix::ConversionResult(const std::filesystem::path&, const std::filesystem::path&)>;

int runConversion(const vornix::cli::CommandLine& cl, const Converter& convert) {
    const char* name = cl.command->name;
    const vornix::cli::Args& operands = cl.operands;
    const std::filesystem::path input = vornix::platform::pathFromName(operands[0]);
    const std::filesystem::path output = vornix::platform::pathFromName(operands[1]);
    const vornix::ConversionResult result = convert(input, output);
    if (!result.written) {
        std::cerr << "vornix-cli " << name << ": " << vornix::cli::describe(result) << "\n";
        return 1;
    }
    if (const std::string warning = vornix::cli::describeUnusualLoad(result, operands[0]); !warning.empty())
        std::cerr << "vornix-cli " << name << ": warning: " << warning << "\n";
    return 0;
}

vornix::cli::Command conversion(const char* name, const char* summary, const char* what, const char* least,
                                const char* load, std::uint64_t maxPicture, Converter convert) {
    using namespace vornix::cli;
    return {name,
            summary,
            std::string("Writes OUT, a C64 program that shows ") + what + " IN when loaded and run.\n" +
                "OUT may not be IN itself (the same path, a link to it or a hard link).\n" +
                "The program loads at $0801 and must end by $CFFF: a picture of more than " +
                std::to_string(maxPicture) +
                " bytes\nis refused, as is one that cannot be read or is too short to be one\n(" + least +
                ").\nA picture that does not load at " + load + " is converted with a warning.\n",
            {operand("IN", "the picture"), operand("OUT", "the program to write")},
            "",
            [convert](const CommandLine& cl) { return runConversion(cl, convert); }};
}

} // namespace

std::vector<vornix::cli::Command> vornix::cli::pictureCommands() {
    const auto* viewer = vornix::findResource("fliview");
    return {conversion("koala", "Koala picture to runnable PRG", "the Koala Paint picture",
                       "a Koala picture is 10003 bytes", "$6000", vornix::kMaxKoalaPictureSize,
                       [](const auto& in, const auto& out) { return vornix::convertKoala(in, out); }),
            conversion("fli", "FLI picture to runnable PRG", "the FLI picture",
                       "its data must reach the bitmap at $6000", "$3B00 or $3C00",
                       vornix::maxFliPictureSize(viewer ? viewer->size() : 0),
                       [](const auto& in, const auto& out) { return vornix::convertFli(in, out); })};
}
