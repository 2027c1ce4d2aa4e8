#include "app/DropFileSource.h"

#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace vornix {

DropFileSource::DropFileSource(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("DropFileSource1"));
}

QStringList DropFileSource::files() const {
    QStringList out;
    for (const QUrl& url : urls_)
        out << url.toLocalFile();
    return out;
}

void DropFileSource::execute(QWidget* source) {
    auto* mime = new QMimeData;
    mime->setUrls(urls_);
    QDrag drag(source);
    drag.setMimeData(mime);
    drag.exec(Qt::CopyAction, Qt::CopyAction);
}

} // namespace vornix
