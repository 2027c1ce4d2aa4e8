// The other side of a real X11 drag and drop with the editor: one window with a drop zone
// that writes down the file list it is offered at every enter, move and drop, and a drag
// zone that drags the files named on the command line out of this process.
// Usage: dnd_peer LOG FILE...   Lines in LOG:
//   zones DROP_X DROP_Y DROP_W DROP_H DRAG_X DRAG_Y DRAG_W DRAG_H   (global, after each move)
//   enter|move|drop URI-LIST   (the text/uri-list data read in that event, lines joined by spaces)
//   file PATH SIZE             (each local file named at the drop, -1 when it cannot be read)
//   dragged ACTION             (what the drag out of here ended with, as a Qt::DropAction)
#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QUrl>

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

class DropZone : public QLabel {
  public:
    DropZone() : QLabel(QStringLiteral("drop here")) {
        setAcceptDrops(true);
        setAlignment(Qt::AlignCenter);
        setStyleSheet(QStringLiteral("background: #cde"));
    }

  protected:
    void dragEnterEvent(QDragEnterEvent* e) override {
        note(QStringLiteral("enter ") + uriList(e->mimeData()));
        e->setDropAction(Qt::CopyAction);
        e->accept();
    }
    void dragMoveEvent(QDragMoveEvent* e) override {
        note(QStringLiteral("move ") + uriList(e->mimeData()));
        e->setDropAction(Qt::CopyAction);
        e->accept();
    }
    void dropEvent(QDropEvent* e) override {
        const QString list = uriList(e->mimeData());
        note(QStringLiteral("drop ") + list);
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
