#pragma once
// The editor's words for what the core and the converters return, in the language of the
// window that shows them (the window passes it: the same result can reach windows that are
// in different languages).
#include "convert/InPlaceCompression.h"
#include "gui/Language.h"

#include <QObject>
#include <QString>

namespace vornix {

struct ConversionResult;
struct FileReading;
struct BrokenLink;

class ResultTexts : public QObject {
    Q_OBJECT

  public:
    // Why a picture was not converted, as one or two sentences.
    // Why a file operation failed: the system's own text, or ours.
    static QString fileFailure(const FileError& failure, gui::Language language);
    static QString conversionFailure(const ConversionResult& result, gui::Language language);
    // Why the compressed program could not replace the converted one.
    static QString replaceFailure(const InPlaceCompression& step, const InPlaceCompression::Result& result,
                                  gui::Language language);
    // Why a file of a disk cannot be read (its chain of blocks breaks), or empty.
    static QString unreadableFile(const FileReading& reading, gui::Language language);
    // The blocks of a file the disk's error table marks bad, or empty.
    static QString badBlocks(const FileReading& reading, gui::Language language);
    // The image was full: the files not added, by name, in one message however many they are
    // (a turbo tape's blocks can run to hundreds).
    static QString imageFull(const QStringList& refused, gui::Language language);

  private:
    static QString brokenLink(const BrokenLink& link);
};

} // namespace vornix
