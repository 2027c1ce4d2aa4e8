#include "app/DropFileSource.h"

#include "app/XdndFileOffer.h"

#include <QDrag>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace vornix {

DropFileSource::DropFileSource(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("DropFileSource1"));
}

DropFileSource::~DropFileSource() = default;

QStringList DropFileSource::files() const {
    QStringList out;
    for (const QUrl& url : urls_)
        out << url.toLocalFile();
    return out;
}

void DropFileSource::execute(QWidget* source) {
    if (!x11Checked_) {
        x11_ = XdndFileOffer::create();
        x11Checked_ = true;
    }
    delete lastDrag_;
    auto* mime = new QMimeData;
    mime->setUrls(urls_);
    // On the heap: the platform may still read the data, or delete the drag itself, after exec.
    auto* drag = new QDrag(source);
    lastDrag_ = drag;
    drag->setMimeData(mime);
    if (x11_) {
        x11_->offer(urls_);
        // The toolkit takes the selection as its drag starts, inside exec; take it back then.
        QTimer::singleShot(0, this, [this] {
            if (x11_)
                x11_->retake();
        });
    }
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

} // namespace vornix
