#pragma once
// The drag source of the entry list: an ordered list of full file paths offered to drop
// targets as a file list, copy only. The drag itself is one virtual call so that tests can
// look at what would be offered without the platform's modal drag loop.
#include <QObject>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace vornix {

class DropFileSource : public QObject {
    Q_OBJECT
  public:
    explicit DropFileSource(QObject* parent = nullptr);

    void clear() { urls_.clear(); }
    void addUrl(const QUrl& url) { urls_ << url; }
    const QList<QUrl>& urls() const { return urls_; }
    // The offered files as local paths, in order.
    QStringList files() const;

    // Runs the drag from source and returns only when it has ended, whatever the result.
    virtual void execute(QWidget* source);

  private:
    QList<QUrl> urls_;
};

} // namespace vornix
