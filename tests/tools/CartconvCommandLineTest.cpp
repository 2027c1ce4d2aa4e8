#include "tools/CartconvCommandLine.h"
#include "tools/CommandLineQuoting.h"

#include <gtest/gtest.h>

using namespace vornix::cartconv;

TEST(CartconvDestinations, TypeArgumentsInListOrder) {
    const char* expected[] = {"bin",   "prg",   "normal", "ulti",  "ar", "kcs",  "fc3",
                              "simon", "ocean", "expert", "fp",    "sg", "ap",   "epyx",
                              "wl",    "ru",    "fc1",    "mf",    "gs", "ws",   "din",
                              "zax",   "md",    "ss5",    "comal", "sb", "ross", "mikro"};
    ASSERT_EQ(destinations().size(), std::size(expected));
    ASSERT_EQ(static_cast<int>(destinations().size()), destinationCount);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(destinations()[i].type, expected[i]) << i;
        EXPECT_EQ(typeArgument(static_cast<int>(i), {}), expected[i]) << i;
        // Every list text finds its own row back, whatever its case.
        std::string upper(destinations()[i].text);
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(findDestination(upper), static_cast<int>(i));
    }
    EXPECT_EQ(destinations()[defaultDestination].text, "Binary C64 .PRG file with load-address");
    EXPECT_EQ(destinations()[27].text, "Mikro Assembler .crt file");
    EXPECT_EQ(findDestination("Generic 8kb .crt"), -1);
    EXPECT_EQ(findDestination(""), -1);
}

TEST(CartconvCommandLine, DefaultsAndOptions) {
    Request r;
    r.type = "prg";
    r.input = "/in/game.crt";
    r.output = "/out/game";
    r.suffix = ".PRG";
    EXPECT_EQ(buildCommandLine(r), R"(cartconv -t prg  -i "/in/game.crt" -o "/out/game.PRG")");

    r.loadAddress = true;
    r.loadAddressText = "0801";
    EXPECT_EQ(buildCommandLine(r), R"(cartconv -t prg -l 0801 -i "/in/game.crt" -o "/out/game.PRG")");

    Request c;
    c.type = "normal";
    c.cartName = true;
    c.cartNameText = "CARTRIDGE";
    c.input = "a b.bin";
    c.output = "game.crt";
    c.suffix = ".CRT";
    EXPECT_EQ(buildCommandLine(c), R"(cartconv -t normal -n "CARTRIDGE" -i "a b.bin" -o "game.crt")");

    // A type nothing matched: -t followed by blanks, as the window would have sent it.
    Request none;
    none.input = "i";
    none.output = "o";
    EXPECT_EQ(buildCommandLine(none), R"(cartconv -t   -i "i" -o "o")");
}

TEST(CartconvCommandLine, SuffixIsAppendedUnlessTheNameEndsWithIt) {
    const struct {
        const char* chosen;
        const char* suffix;
        const char* written;
    } cases[] = {
        {"red8k.crt", ".CRT", "red8k.crt"},   {"RED8K.CRT", ".CRT", "RED8K.CRT"},
        {"game.Prg", ".PRG", "game.Prg"},     {"game", ".CRT", "game.CRT"},
        {"game.bin", ".CRT", "game.bin.CRT"}, {"dir.crt/game", ".CRT", "dir.crt/game.CRT"},
        {"gamecrt", ".CRT", "gamecrt.CRT"},   {".crt", ".CRT", ".crt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outputPath(c.chosen, c.suffix), c.written) << c.chosen;
}

TEST(CartconvCommandLine, QuotesInsideValuesCannotBreakTheLine) {
    Request r;
    r.type = "normal";
    r.cartName = true;
    r.cartNameText = R"(MY "BEST" CART)";
    r.input = R"(a" -o "/etc/x)";
    r.output = "out";
    r.suffix = ".CRT";
    EXPECT_EQ(buildCommandLine(r),
              R"(cartconv -t normal -n "MY """BEST""" CART" -i "a""" -o """/etc/x" -o "out.CRT")");
    EXPECT_EQ(vornix::quotedArgument(""), R"("")");
    EXPECT_EQ(vornix::escapedQuotes(R"(08"01)"), R"(08"""01)");
}

TEST(CartconvTypes, RenamedNamesFollowTheToolsList) {
    const std::string current = "Supported cartridge types:\n\n"
                                "bin      Binary .bin file\r\n"
                                "  ar2    Action Replay 2\n"
                                "ar5      Action Replay V5\n"
                                "zaxxon:  Zaxxon\n";
    const auto known = parseTypeList(current);
    EXPECT_EQ(known, (std::vector<std::string>{"Supported", "bin", "ar2", "ar5", "zaxxon"}));
    const int ar = 4, zax = 21;
    EXPECT_EQ(typeArgument(ar, known), "ar5");
    EXPECT_EQ(typeArgument(zax, known), "zaxxon");
    EXPECT_EQ(typeArgument(2, known), "normal"); // names the list lacks but never renamed stay

    // An older tool knows the table's names; one that knows both keeps the table's.
    const auto old = parseTypeList("ar Action Replay\nzax Zaxxon\n");
    EXPECT_EQ(typeArgument(ar, old), "ar");
    EXPECT_EQ(typeArgument(zax, old), "zax");
    const auto both = parseTypeList("ar\nar5\nzax\nzaxxon");
    EXPECT_EQ(typeArgument(ar, both), "ar");
    EXPECT_EQ(typeArgument(zax, both), "zax");

    // Nothing useful: unchanged.
    EXPECT_TRUE(parseTypeList("").empty());
    EXPECT_TRUE(parseTypeList(" \n\t\r\n").empty());
    EXPECT_EQ(typeArgument(ar, parseTypeList("error: unknown option --types")), "ar");
}
