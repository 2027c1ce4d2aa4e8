// The other side of a real X11 drag and drop with the editor: one window with a drop zone
// that writes down the file list it is offered at every enter, move and drop, and a drag
// zone that drags the files named on the command line out of this process.
// Usage: dnd_peer LOG FILE...   Lines in LOG:
//   zones DROP_X DROP_Y DROP_W DROP_H DRAG_X DRAG_Y DRAG_W DRAG_H   (global, after each move)
//   enter|move|drop qt|x URI-LIST   (the text/uri-list data read in that event, lines joined
//                                    by spaces; qt: through Qt, x: as a GTK file manager reads)
//   file PATH SIZE             (each local file named at the drop, -1 when it cannot be read)
//   dragged ACTION             (what the drag out of here ended with, as a Qt::DropAction)
#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QUrl>

#include <poll.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

QFile logFile;

void note(const QString& line) {
    logFile.write(line.toUtf8() + '\n');
    logFile.flush();
}

QString uriList(const QMimeData* mime) {
    const QString text = QString::fromUtf8(mime->data(QStringLiteral("text/uri-list")));
    return text.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts).join(u' ');
}

// Waits for the next event of a type on the connection, dropping others; null after timeoutMs.
xcb_generic_event_t* waitFor(xcb_connection_t* c, uint8_t type, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            if ((e->response_type & 0x7f) == type)
                return e;
            std::free(e);
        }
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || xcb_connection_has_error(c))
            return nullptr;
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        ::poll(&fd, 1, int(left));
    }
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, false, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

// Reads the drag's file list as a GTK file manager does: on a connection of its own, with a
// timestamp from a clock of its own rather than one the source sent, here far ahead of the
// server's.
QString uriListAsGtk() {
    static xcb_connection_t* c = nullptr;
    static xcb_window_t window = 0;
    static xcb_atom_t selection, type, property;
    if (!c) {
        c = xcb_connect(nullptr, nullptr);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        window = xcb_generate_id(c);
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
        selection = atom(c, "XdndSelection");
        type = atom(c, "text/uri-list");
        property = atom(c, "VORNIX_PEER_DATA");
    }
    // The server's time now, from the notification of an empty change of a property.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, window, property, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(c);
    xcb_generic_event_t* changed = waitFor(c, XCB_PROPERTY_NOTIFY, 3000);
    if (!changed)
        return QStringLiteral("<no server time>");
    const xcb_timestamp_t now = reinterpret_cast<xcb_property_notify_event_t*>(changed)->time;
    std::free(changed);
    xcb_convert_selection(c, window, selection, type, property, now + 0x40000000u);
    xcb_flush(c);
    xcb_generic_event_t* notified = waitFor(c, XCB_SELECTION_NOTIFY, 3000);
    if (!notified)
        return QStringLiteral("<no answer>");
    const bool given = reinterpret_cast<xcb_selection_notify_event_t*>(notified)->property != XCB_ATOM_NONE;
    std::free(notified);
    QByteArray data;
    if (given) {
        auto* reply = xcb_get_property_reply(
            c, xcb_get_property(c, true, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20), nullptr);
        if (reply) {
            data = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                              xcb_get_property_value_length(reply));
            std::free(reply);
        }
    }
    return QString::fromUtf8(data)
        .split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts)
        .join(u' ');
}

// Both readings of the offered list in one event.
void noteBoth(const QString& event, const QMimeData* mime) {
    note(event + QStringLiteral(" qt ") + uriList(mime));
    note(event + QStringLiteral(" x ") + uriListAsGtk());
}

class DropZone : public QLabel {
  public:
    DropZone() : QLabel(QStringLiteral("drop here")) {
        setAcceptDrops(true);
        setAlignment(Qt::AlignCenter);
        setStyleSheet(QStringLiteral("background: #cde"));
    }

  protected:
    void dragEnterEvent(QDragEnterEvent* e) override {
        if (e->source()) { // this program's own drag, on its way to the editor
            e->ignore();
            return;
        }
        noteBoth(QStringLiteral("enter"), e->mimeData());
        e->setDropAction(Qt::CopyAction);
        e->accept();
    }
    void dragMoveEvent(QDragMoveEvent* e) override {
        noteBoth(QStringLiteral("move"), e->mimeData());
        e->setDropAction(Qt::CopyAction);
        e->accept();
    }
    void dropEvent(QDropEvent* e) override {
        const QString list = uriList(e->mimeData());
        note(QStringLiteral("drop qt ") + list);
        note(QStringLiteral("drop x ") + uriListAsGtk());
        for (const QString& uri : list.split(u' ', Qt::SkipEmptyParts)) {
            const QString path = QUrl(uri).toLocalFile();
            QFile f(path);
            note(QStringLiteral("file %1 %2").arg(path).arg(f.open(QIODevice::ReadOnly) ? f.size() : -1));
        }
        e->setDropAction(Qt::CopyAction);
        e->accept();
    }
};

class DragZone : public QLabel {
  public:
    explicit DragZone(QList<QUrl> urls) : QLabel(QStringLiteral("drag from here")), urls_(std::move(urls)) {
        setAlignment(Qt::AlignCenter);
        setStyleSheet(QStringLiteral("background: #edc"));
    }

  protected:
    void mousePressEvent(QMouseEvent* e) override { pressedAt_ = e->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton) ||
            (e->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
            return;
        auto* mime = new QMimeData;
        mime->setUrls(urls_);
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        note(QStringLiteral("dragged %1").arg(int(drag->exec(Qt::CopyAction, Qt::CopyAction))));
    }

  private:
    QList<QUrl> urls_;
    QPoint pressedAt_;
};

class PeerWindow : public QWidget {
  public:
    explicit PeerWindow(const QList<QUrl>& urls) {
        setWindowTitle(QStringLiteral("vornix-dnd-peer"));
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(drop_ = new DropZone);
        layout->addWidget(drag_ = new DragZone(urls));
        resize(400, 200);
    }

  protected:
    void moveEvent(QMoveEvent*) override { tellZones(); }
    void resizeEvent(QResizeEvent*) override { tellZones(); }
    void showEvent(QShowEvent*) override { tellZones(); }

  private:
    void tellZones() {
        auto rect = [](QWidget* w) {
            const QPoint at = w->mapToGlobal(QPoint(0, 0));
            return QStringLiteral("%1 %2 %3 %4").arg(at.x()).arg(at.y()).arg(w->width()).arg(w->height());
        };
        if (isVisible())
            note(QStringLiteral("zones ") + rect(drop_) + u' ' + rect(drag_));
    }
    DropZone* drop_;
    DragZone* drag_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    logFile.setFileName(QString::fromLocal8Bit(argv[1]));
    if (!logFile.open(QIODevice::WriteOnly | QIODevice::Append))
        return 2;
    QList<QUrl> urls;
    for (int i = 2; i < argc; ++i)
        urls << QUrl::fromLocalFile(QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath());
    PeerWindow window(urls);
    window.show();
    return app.exec();
}
