#pragma once
// The small dialog of "Add from D64": the PRG files of one disk image, several of which may
// be chosen. Damaged files are listed but cannot be chosen; a file never closed is greyed with
// the reason and taken only when picked itself (selecting all leaves it out).
#include <QDialog>
#include <QList>
#include <QString>

class QListWidget;
class QPushButton;
class QLabel;

namespace vornix {

struct DiskFileChoice {
    QString name; // as on disk, trailing shifted spaces trimmed
    int blocks = 0;
    QString damage;         // why the file cannot be read; empty when it can
    bool notClosed = false; // the writer never closed it (*PRG): it may end early
    QString badBlocks;      // the blocks the disk's error table marks bad; empty when none
};

class DiskImportDialog : public QDialog {
    Q_OBJECT
  public:
    DiskImportDialog(QWidget* parent, const QString& diskName, const QList<DiskFileChoice>& files,
                     bool english);
    // Positions in `files` of the chosen files, ascending.
    QList<int> chosen() const;

  private:
    QLabel* captionLabel_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* okButton_ = nullptr;     // OK
    QPushButton* cancelButton_ = nullptr; // Cancel
};

} // namespace vornix
