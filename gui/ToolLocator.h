#pragma once
#include <QString>

namespace vornix {

// Finds an external tool the way every window and the runner do: in the program folder
// NAME.exe, then NAME (names compared without case, so PUCRUNCH.EXE and pucrunch both
// count), then NAME and NAME.exe on PATH. A trailing ".exe" in name is ignored.
// Returns the absolute path of an executable file, or an empty string.
QString findTool(const QString& programFolder, const QString& name);

// The file in folder named name, compared without case; with runnableOnly, only an
// executable file counts. Returns its absolute path, or an empty string.
QString findFileNoCase(const QString& folder, const QString& name, bool runnableOnly = false);

} // namespace vornix
