#include "app/DropFileSource.h"

#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

TDropFileSource::TDropFileSource(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("DropFileSource1"));
}

void TDropFileSource::execute(QWidget* source) {
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString& f : files_)
        urls << QUrl::fromLocalFile(f);
    mime->setUrls(urls);
    QDrag drag(source);
    drag.setMimeData(mime);
    drag.exec(Qt::CopyAction, Qt::CopyAction);
}
