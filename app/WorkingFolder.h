#pragma once
// The working folder `temp` beside the program: the files of a drag-out live there until
// the next drag-out, the next close or the next start.
#include <QList>
#include <QString>
#include <QUrl>

namespace vornix {

struct AppContext;

namespace workingfolder {

// True when settings.ini and the working folder belong beside the program: its folder is
// writable and is not the bin folder of an installed tree (one whose share/applications
// holds our desktop entry), which even a user who may write there must not litter.
bool besideProgram(const QString& programFolder);

// Points an installed program at the user's folders: settings.ini in the configuration
// folder, the working folder in the session's runtime folder (in the cache folder when the
// session has none). Leaves a program whose files belong beside it as it is.
void chooseFolders(AppContext& ctx);

// Creates the folder (one level) when it does not exist. False with a reason when it
// cannot be created, or when something that is not a folder stands in its place.
bool ensure(const QString& folder, QString* error);

// Deletes every file in the folder; folders, their contents and files that cannot be
// deleted stay. Never reports anything.
void empty(const QString& folder);

// The "*.prg" files in the folder (any case), in name order, as file URLs. Names are
// taken byte for byte: an entry name with bytes that are not UTF-8 still gives a URL that
// names its file exactly.
QList<QUrl> prgFileUrls(const QString& folder);

} // namespace workingfolder

} // namespace vornix
