#pragma once
// The files of a drag-out as the X11 drag selection, answered by the program itself.
//
// Qt answers a drop target's request for the drag data only while the request's timestamp
// matches the drag it is running, and it moves its own clock to any timestamp a requestor
// sends. A target with a clock of its own (GTK file managers) therefore gets nothing at the
// drop, and leaves Qt's clock ahead of the server's, so that every later drag fails to take
// the selection and targets ask the program that dragged last. Here the selection is owned
// by a window of our own, taken at the server's time, and every request is answered with
// the current file list until the next drag-out replaces it or another program takes the
// selection: before the drop, at the drop and after it.
#include <QByteArray>
#include <QList>
#include <QUrl>

#include <memory>
#include <optional>

namespace vornix {

// The file list in the form a target asks for by type name ("text/uri-list", "text/plain",
// "UTF8_STRING", "text/x-moz-url" …); nothing for a type that is not offered.
std::optional<QByteArray> fileListAs(const QByteArray& type, const QList<QUrl>& urls);

class XdndFileOffer {
  public:
    // Null when the program does not run on X11.
    static std::unique_ptr<XdndFileOffer> create();
    virtual ~XdndFileOffer() = default;

    // Takes the drag selection and answers every request for it with these files.
    virtual void offer(const QList<QUrl>& urls) = 0;
    // Takes the selection again, once the toolkit has started its drag and taken it for itself.
    virtual void retake() = 0;
};

} // namespace vornix
