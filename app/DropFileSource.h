#pragma once
// The drag source of the entry list: an ordered list of full file paths offered to drop
// targets as a file list, copy only. The drag itself is one virtual call so that tests can
// look at what would be offered without the platform's modal drag loop.
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include <memory>

class QDrag;
class QWidget;

namespace vornix {

class XdndFileOffer;

class DropFileSource : public QObject {
    Q_OBJECT
  public:
    explicit DropFileSource(QObject* parent = nullptr);
    ~DropFileSource() override;

    void clear() { urls_.clear(); }
    void addUrl(const QUrl& url) { urls_ << url; }
    const QList<QUrl>& urls() const { return urls_; }
    // The offered files as local paths, in order.
    QStringList files() const;

    // Runs the drag from source and returns only when it has ended, whatever the result.
    // The files stay on offer after it has ended: a target may ask for them only once the
    // drop has been made, and does on X11.
    virtual void execute(QWidget* source);

  private:
    QList<QUrl> urls_;
    // The drag of the last run, with its data, until the next run replaces it.
    QPointer<QDrag> lastDrag_;
    std::unique_ptr<XdndFileOffer> x11_;
    bool x11Checked_ = false;
};

} // namespace vornix
