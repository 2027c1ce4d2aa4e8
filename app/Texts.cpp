#include "app/Texts.h"

namespace vornix {

const std::vector<TextRow>& mainWindowTexts() {
    static const std::vector<TextRow> rows = {
        {"Plik1", TextRole::Menu, "&Plik", "&File"},
        {"Edycja1", TextRole::Menu, "&Edycja", "&Edit"},
        {"Widok1", TextRole::Menu, "&Widok", "&View"},
        {"Pomoc1", TextRole::Menu, "&Dodatki", "&Options"},
        {"Label1", TextRole::Label, "Obiektów:", " Items:"},
        {"Label2", TextRole::Label, "  Etykieta  ", "   Label:"},
        {"ListView1", TextRole::Header, "Nr", "No.", 0},
        {"ListView1", TextRole::Header, "Nazwa", "Name", 1},
        {"ListView1", TextRole::Header, "Rozmiar", "Size", 2},
        {"Nowy1", TextRole::Action, "&Nowy", "&New"},
        {"Otwrz1", TextRole::Action, "&Otwórz", "&Open"},
        {"Zapisz1", TextRole::Action, "Zapi&sz", "&Save"},
        {"Zapiszjako1", TextRole::Action, "&Zapisz jako", "Save &as..."},
        {"Ostatnieobrazy1", TextRole::Menu, "Ostatnie o&brazy", "&Recent images"},
        {"Wyj1", TextRole::Action, "&Wyjscie", "E&xit"},
        {"Cofnij1", TextRole::Action, "&Cofnij", "Und&o"},
        {"Ponw1", TextRole::Action, "Pon&ów", "&Redo"},
        {"Podgld1", TextRole::Action, "&Podgląd", "&Preview"},
        {"EksportdoD641", TextRole::Action, "&Eksport do D64", "&Export to D64..."},
        {"DodajzD641", TextRole::Action, "Dodaj z D&64", "Add from &D64..."},
        {"EksportdoTAP1", TextRole::Action, "Eksport do &TAP...", "Export to &TAP..."},
        {"ImportztasmyTAPWAV1", TextRole::Action, "Import z &taśmy (TAP/WAV)...",
         "&Import tape (TAP/WAV)..."},
        {"Wypakujwszystkie1", TextRole::Action, "Wy&pakuj", "E&xtract..."},
        {"Wypakujzaznaczone1", TextRole::Action, "Wypakuj &zaznaczone", "Extract &selected..."},
        {"Dodaj1", TextRole::Action, "&Dodaj", "&Add..."},
        {"Usu1", TextRole::Action, "&Usuń", "D&elete"},
        {"Zmienazwe1", TextRole::Action, "Zmień n&azwę", "Re&name"},
        {"Zaznaczwszystko1", TextRole::Action, "Zaznacz wszystk&o", "Select a&ll"},
        {"Przesuwyej1", TextRole::Action, "Przesuń na &górę", "Move to &top"},
        {"Przesunagr1", TextRole::Action, "Przesuń &wyżej", "Move &up"},
        {"Przesunizj1", TextRole::Action, "Przesuń &niżej", "Move do&wn"},
        {"Przesunad1", TextRole::Action, "Przesuń na dó&l", "Move to &bottom"},
        {"Oprogramie1", TextRole::Action, "O p&rogramie", "A&bout..."},
        {"Oznaczenieprogramu0x011", TextRole::Action, "&Oznaczenie programu 0x01",
         "Mar&k T64 programs as 0x01"},
        {"Kompresujplikiwynikowe1", TextRole::Action, "Kom&presuj konwertowane", "Co&mpress converted files"},
        {"Szybszakompresjawikszyplik1", TextRole::Action, "&Szybsza kompresja/większy plik",
         "F&aster compression/bigger file"},
        {"KompresjaPRG1", TextRole::Action, "&Kompresja PRG...", "&PRG Compression frontend"},
        {"Konwersjacartridge1", TextRole::Action, "Konwersja &cartridge", "&Cartridge conversion frontend"},
        {"SpeedButton10", TextRole::ToolTip, "Nowy", "New"},
        {"SpeedButton1", TextRole::ToolTip, "Otwórz", "Open"},
        {"SpeedButton2", TextRole::ToolTip, "Wypakuj zaznaczone", "Extract..."},
        {"SpeedButton3", TextRole::ToolTip, "Przesuń na górę", "Move to top"},
        {"SpeedButton6", TextRole::ToolTip, "O jeden w górę", "Move up"},
        {"SpeedButton5", TextRole::ToolTip, "O jeden w dól", "Move down"},
        {"SpeedButton4", TextRole::ToolTip, "Przesuń na sam dól", "Move to bottom"},
        {"SpeedButton7", TextRole::ToolTip, "Kasuj program", "Remove program"},
        {"SpeedButton8", TextRole::ToolTip, "Zapisz jako", "Save as..."},
        {"SpeedButton9", TextRole::ToolTip, "Dodaj program", "Add program..."},
        {"SpeedButton11", TextRole::ToolTip, "English", "English"},
        {"SpeedButton12", TextRole::ToolTip, "Polish/Polski", "Polski/Polish"},
        {"", TextRole::PromptText, "Dokonano zmian. Czy zapisać?", "Do you want to save your modified file?"},
        {"", TextRole::PromptCaption, "Zmieniono plik", "Question"},
    };
    return rows;
}

QString messageText(Msg id, bool english) {
    auto pick = [english](const char* pl, const char* en) { return QString::fromUtf8(english ? en : pl); };
    switch (id) {
    case Msg::PrgUnreadable:
        return pick("Nie można odczytać pliku %1:\n%2.\nProgram nie został dodany.",
                    "Cannot read the file %1:\n%2.\nThe program was not added.");
    case Msg::PrgTooShort:
        return pick(
            "Plik %1 ma mniej niż 2 bajty, więc nie jest programem PRG.\nProgram nie został dodany.",
            "The file %1 is shorter than 2 bytes, so it is not a PRG program.\nThe program was not added.");
    case Msg::ImageFull:
        return pick("Obraz T64 mieści najwyżej 255 programów.\nPlik %1 nie został dodany.",
                    "A T64 image holds at most 255 programs.\nThe file %1 was not added.");
    case Msg::DirectoryRepaired:
        return pick("Katalog pliku %1 był uszkodzony: rozmiary programów zostały naprawione.\n"
                    "Sprawdź programy przed zapisem.",
                    "The directory of %1 was damaged: the sizes of its programs have been repaired.\n"
                    "Check the programs before saving.");
    case Msg::EntriesFromDirectory:
        return pick("Nagłówek pliku %1 podawał 0 programów: programy zostały odczytane z katalogu.\n"
                    "Sprawdź programy przed zapisem.",
                    "The header of %1 said it held 0 programs: the programs were taken from its directory.\n"
                    "Check the programs before saving.");
    case Msg::SaveFailed:
        return pick("Nie można zapisać pliku %1:\n%2.\nPlik nie został zmieniony.",
                    "Unable to save the file %1:\n%2.\nThe file was left as it was.");
    case Msg::ExtractFailed:
        return pick("Nie można zapisać pliku %1:\n%2.\nWypakowywanie przerwane.",
                    "Unable to write the file %1:\n%2.\nExtraction stopped.");
    case Msg::WorkingFolderFailed:
        return pick("Nie można utworzyć folderu roboczego %1.", "Unable to create the working folder %1.");
    case Msg::SettingsUnwritable: return pick("Nie można zapisać pliku %1.", "Unable to write to %1.");
    case Msg::RecentMissing:
        return pick("Plik %1 już nie istnieje; usunięto go z listy ostatnich obrazów.",
                    "The file %1 no longer exists; it was taken off the recent images.");
    case Msg::ChangedOnDisk:
        return pick(
            "Plik %1 został zmieniony na dysku (przez inny program?) od otwarcia lub ostatniego zapisu.\n"
            "Zastąpić go i utracić tamte zmiany?",
            "The file %1 has been changed on disk (by another program?) since it was opened or last saved.\n"
            "Replace it and lose those changes?");
    case Msg::OpenTitle: return pick("Otwórz", "Open");
    case Msg::SaveTitle: return pick("Zapisz jako", "Save as");
    case Msg::AddTitle: return pick("Dodaj program", "Add program");
    case Msg::ExtractTitle: return pick("Wypakuj do folderu", "Extract to folder");
    case Msg::DiskExportTitle: return pick("Eksport do D64", "Export to D64");
    case Msg::DiskAddTitle: return pick("Dodaj z D64", "Add from D64");
    case Msg::DiskProgramsOf: return pick("Programy na dysku \"%1\":", "Programs on the disk \"%1\":");
    case Msg::DiskFileDamagedMark: return pick("  (uszkodzony)", "  (damaged)");
    case Msg::DiskCancel: return pick("Anuluj", "Cancel");
    case Msg::DiskUnreadable:
        return pick("Plik %1 nie jest poprawnym obrazem dysku D64.",
                    "The file %1 is not a valid D64 disk image.");
    case Msg::DiskNoPrograms:
        return pick("Na dysku %1 nie ma programów PRG.", "The disk %1 holds no PRG programs.");
    case Msg::DiskDoesNotFit:
        return pick("Program %1 nie mieści się na dysku: potrzebuje %2 bloków, wolnych zostało %3.\n"
                    "Nic nie zostało zapisane.",
                    "The program %1 does not fit on the disk: it needs %2 blocks, %3 are left.\n"
                    "Nothing was written.");
    case Msg::DiskTooManyFiles:
        return pick("Program %1 nie mieści się na dysku: katalog dysku mieści najwyżej 144 pliki.\n"
                    "Nic nie zostało zapisane.",
                    "The program %1 does not fit on the disk: its directory holds at most 144 files.\n"
                    "Nothing was written.");
    case Msg::DiskWriteFailed:
        return pick("Nie można zapisać pliku %1.\nPlik nie został zmieniony.",
                    "Unable to save the file %1.\nThe file was left as it was.");
    case Msg::StatusExtractedOne: return pick("Wypakowano %1", "Extracted %1");
    case Msg::StatusExtractedMany: return pick("Wypakowano %1 do folderu %2", "Extracted %1 to %2");
    case Msg::StatusExtractStopped:
        return pick("Wypakowywanie przerwane: %1 w folderze %2", "Extraction stopped: %1 written to %2");
    case Msg::StatusDiskExported: return pick("Zapisano %1 na dysku %2", "Wrote %1 to the disk %2");
    case Msg::StatusDiskAdded: return pick("Dodano %1 z dysku %2", "Added %1 from the disk %2");
    }
    return {};
}

QString programCount(int count, bool english) {
    if (english)
        return count == 1 ? QStringLiteral("1 program") : QStringLiteral("%1 programs").arg(count);
    const int tens = count % 100, ones = count % 10;
    if (count == 1)
        return QStringLiteral("1 program");
    if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("%1 programy").arg(count);
    return QStringLiteral("%1 programów").arg(count);
}

QString failureReason(const vornix::FileError& failure, bool english) {
    auto pick = [english](const char* pl, const char* en) { return QString::fromUtf8(english ? en : pl); };
    switch (failure.problem) {
    case vornix::FileProblem::None: break;
    case vornix::FileProblem::System:
        // The system's own words (its language follows the system's settings).
        return QString::fromLocal8Bit(vornix::platform::systemMessage(failure.code));
    case vornix::FileProblem::IsFolder:
        return pick("to jest folder, a nie plik", "it is a folder, not a file");
    case vornix::FileProblem::NotRegular:
        return pick("to nie jest zwykły plik (potok, urządzenie lub gniazdo)",
                    "it is not a regular file (a pipe, device or socket)");
    case vornix::FileProblem::ReadOnly: return pick("plik jest tylko do odczytu", "the file is read-only");
    case vornix::FileProblem::NoFolder: return pick("folder nie istnieje", "its folder does not exist");
    case vornix::FileProblem::TooLarge: return pick("plik jest za duży", "the file is too large");
    case vornix::FileProblem::Changed:
        return pick("plik zmienił się podczas odczytu", "the file changed while it was read");
    }
    return pick("nieznany błąd", "unknown error");
}

} // namespace vornix
