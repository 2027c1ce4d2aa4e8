#include "preview/Petscii.h"

#include <array>
#include <cstdio>

namespace vornix::petscii {

namespace {

// Block and line graphics as the nearest characters that common fonts have: the exact
// ones (Symbols for Legacy Computing) show as empty boxes almost everywhere.

// $A0-$BF: shifted space, then block and line graphics.
constexpr std::array<const char*, 32> kA0 = {
    "\u00A0", "\u258C", "\u2584", "\u2594", "\u2581", "\u258F", "\u2592", "\u2595",
    "\u2592", "\u25E4", "\u2590", "\u251C", "\u2597", "\u2514", "\u2510", "\u2582",
    "\u250C", "\u2534", "\u252C", "\u2524", "\u258E", "\u258D", "\u2590", "\u2580",
    "\u2580", "\u2583", "\u2518", "\u2596", "\u259D", "\u2518", "\u2598", "\u259A",
};

// $C0-$DF (and $60-$7F, which show the same): lines, suits, arcs, pi.
constexpr std::array<const char*, 32> kC0 = {
    "\u2500", "\u2660", "\u2502", "\u2500", "\u2500", "\u2594", "\u2500", "\u2502",
    "\u2502", "\u256E", "\u2570", "\u256F", "\u2514", "\u2572", "\u2571", "\u250C",
    "\u2510", "\u25CF", "\u2581", "\u2665", "\u258F", "\u256D", "\u2573", "\u25CB",
    "\u2663", "\u2595", "\u2666", "\u253C", "\u2592", "\u2502", "\u03C0", "\u25E5",
};

// ASCII from $20 to $5F, except where the machine has its own signs.
constexpr std::array<const char*, 64> kAscii = {
    " ", "!", "\"", "#", "$", "%", "&", "'", "(", ")", "*", "+", ",",      "-", ".",      "/",
    "0", "1", "2",  "3", "4", "5", "6", "7", "8", "9", ":", ";", "<",      "=", ">",      "?",
    "@", "A", "B",  "C", "D", "E", "F", "G", "H", "I", "J", "K", "L",      "M", "N",      "O",
    "P", "Q", "R",  "S", "T", "U", "V", "W", "X", "Y", "Z", "[", "\u00A3", "]", "\u2191", "\u2190",
};

const char* controlName(std::uint8_t c) {
    switch (c) {
    case 0x05: return "wht";
    case 0x08: return "dish";
    case 0x09: return "ensh";
    case 0x0E: return "swlc";
    case 0x11: return "down";
    case 0x12: return "rvon";
    case 0x13: return "home";
    case 0x14: return "del";
    case 0x1C: return "red";
    case 0x1D: return "rght";
    case 0x1E: return "grn";
    case 0x1F: return "blu";
    case 0x81: return "orng";
    case 0x85: return "f1";
    case 0x86: return "f3";
    case 0x87: return "f5";
    case 0x88: return "f7";
    case 0x89: return "f2";
    case 0x8A: return "f4";
    case 0x8B: return "f6";
    case 0x8C: return "f8";
    case 0x8D: return "sret";
    case 0x8E: return "swuc";
    case 0x90: return "blk";
    case 0x91: return "up";
    case 0x92: return "rvof";
    case 0x93: return "clr";
    case 0x94: return "inst";
    case 0x95: return "brn";
    case 0x96: return "lred";
    case 0x97: return "gry1";
    case 0x98: return "gry2";
    case 0x99: return "lgrn";
    case 0x9A: return "lblu";
    case 0x9B: return "gry3";
    case 0x9C: return "pur";
    case 0x9D: return "left";
    case 0x9E: return "yel";
    case 0x9F: return "cyn";
    default: return nullptr;
    }
}

} // namespace

std::string_view glyph(std::uint8_t c) {
    if (isControl(c))
        return {};
    if (c < 0x60)
        return kAscii[c - 0x20];
    if (c < 0x80)
        return kC0[c - 0x60];
    if (c == 0xFF)
        return "\u03C0";
    if (c < 0xC0)
        return kA0[c - 0xA0];
    if (c < 0xE0)
        return kC0[c - 0xC0];
    return kA0[c - 0xE0];
}

std::string braced(std::uint8_t c) {
    if (const char* name = controlName(c))
        return std::string("{") + name + "}";
    char text[8];
    std::snprintf(text, sizeof text, "{$%02x}", c);
    return text;
}

} // namespace vornix::petscii
