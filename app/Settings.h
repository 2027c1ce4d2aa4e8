#pragma once
// The settings kept in settings.ini, section M: Eng, opc, wyn and pod.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vornix {

struct ProgramSettings {
    // The keys in the file, as the design names them.
    static constexpr char kEnglishInterfaceKey[] = "Eng";
    static constexpr char kMarkProgramsType01Key[] = "opc";
    static constexpr char kCompressConvertedKey[] = "wyn";
    static constexpr char kPreviewShownKey[] = "pod";

    bool englishInterface = false;
    bool markProgramsType01 = false; // file type 0x01 instead of 0x82 in the saved directory
    bool compressConverted = true;   // converted pictures go through the compressor
    bool previewShown = false;

    // Missing file, section or key, or a value that is not a number: the defaults above.
    static ProgramSettings read(const QString& iniPath);
    // Writes one key as "1" or "0", keeping every other line; false when it cannot be written.
    static bool store(const QString& iniPath, const QString& key, bool value);
};

// Beyond the design's three keys, in sections of their own so its section M stays as it was:
// the images opened last and the main window's place on screen.
namespace recentimages {

constexpr int kMax = 8;

// Most recent first; missing file or keys: an empty list.
QStringList read(const QString& iniPath);
// Stores the list, keeping every other line; false when it cannot be written.
bool store(const QString& iniPath, const QStringList& paths);
// path first, once, and at most kMax paths.
QStringList withFirst(QStringList paths, const QString& path);

} // namespace recentimages

namespace windowplace {

// What QWidget::saveGeometry gave at the last close; empty when none was stored.
QByteArray read(const QString& iniPath);
bool store(const QString& iniPath, const QByteArray& geometry);

} // namespace windowplace

} // namespace vornix
