#pragma once
// Texts the design fixes word for word whatever the interface language: Polish ones that the
// English interface shows too, and ones that carry both languages. Nothing translates them, so
// they stand here, in UTF-8, and never inside tr(); a two-language text that names a tool
// takes the tool's name in each half's language (ToolWindow::toolName).
namespace vornix::fixedtexts {

// The main window: an open that is not a T64 image.
inline constexpr char kNotT64Caption[] = "O kurcze...!";
inline constexpr char kNotT64Text[] = "To nie jest poprawny plik T64.";
// The main window: the Polish flag, which takes effect at the next start.
inline constexpr char kRestartCaption[] = "Uwaga";
inline constexpr char kRestartText[] = "Musisz zrestartować program / You need to restart program.";
// The TAP linker without the tape tool: %1 the tool in English, %2 in Polish.
inline constexpr char kLinkerToolMissing[] =
    "NO %1 IN THE PROGRAM FOLDER OR ON THE PATH! Only version 1 TAP files can be joined. / "
    "BRAK PLIKU %2 W KATALOGU PROGRAMU ANI W PATH! Można łączyć tylko pliki TAP w wersji 1.";
// The tape conversion window started without an input file.
inline constexpr char kNoInputFile[] = "No input file!\nBrak pliku wejściowego!";

} // namespace vornix::fixedtexts
