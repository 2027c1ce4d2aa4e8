#pragma once
// The interface texts of the main window and its messages. The window is designed in
// Polish; English is written over its controls from the table, keyed by objectName.
#include "core/PlatformFile.h"
#include "gui/TextTable.h"

#include <QString>

#include <vector>

namespace vornix {

using vornix::gui::TextRole;
using vornix::gui::TextRow;

const std::vector<TextRow>& mainWindowTexts();

// Messages of our own, in the interface language.
enum class Msg {
    PrgUnreadable,        // %1 file, %2 reason
    PrgTooShort,          // %1 file
    ImageFull,            // %1 file
    DirectoryRepaired,    // %1 file
    EntriesFromDirectory, // %1 file
    SaveFailed,           // %1 file, %2 reason
    ExtractFailed,        // %1 file, %2 reason
    WorkingFolderFailed,  // %1 folder
    SettingsUnwritable,   // %1 settings.ini
    RecentMissing,        // %1 file
    ChangedOnDisk,        // %1 file
    OpenTitle,
    SaveTitle,
    AddTitle,
    ExtractTitle,
    // Disk images
    DiskExportTitle,
    DiskAddTitle,
    DiskProgramsOf,      // %1 disk name
    DiskFileDamagedMark, // appended to a damaged file's row
    DiskCancel,
    DiskUnreadable,   // %1 file
    DiskNoPrograms,   // %1 file
    DiskDoesNotFit,   // %1 entry name, %2 blocks it needs, %3 blocks left
    DiskTooManyFiles, // %1 entry name
    DiskWriteFailed,  // %1 file
    // The status bar's account of what a command wrote
    StatusExtractedOne,   // %1 file
    StatusExtractedMany,  // %1 programCount, %2 folder
    StatusExtractStopped, // %1 programCount, %2 folder
    StatusDiskExported,   // %1 programCount, %2 file
    StatusDiskAdded,      // %1 programCount, %2 file
};

QString messageText(Msg id, bool english);
// "1 program", "3 programs"; in Polish with the noun form the number takes.
QString programCount(int count, bool english);
// Why a file operation failed: the system's own text, or our sentence in the interface language.
QString failureReason(const vornix::FileError& failure, bool english);

} // namespace vornix
