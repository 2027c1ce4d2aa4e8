#include "app/DiskImportDialog.h"

#include "app/Texts.h"

#include <QHBoxLayout>
#include <QItemSelection>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vornix {

namespace {

// Rows a user must pick one by one: selecting all leaves them out.
constexpr int kPickedAlone = Qt::UserRole + 1;

class ChoiceList : public QListWidget {
  public:
    using QListWidget::QListWidget;
    void selectAll() override {
        QItemSelection all;
        for (int row = 0; row < count(); ++row) {
            const QListWidgetItem* it = item(row);
            if ((it->flags() & Qt::ItemIsSelectable) && !it->data(kPickedAlone).toBool())
                all.select(indexFromItem(it), indexFromItem(it));
        }
        selectionModel()->select(all, QItemSelectionModel::ClearAndSelect);
    }
};

QString notClosedText(bool english) {
    return english ? QStringLiteral("  (not closed)") : QStringLiteral("  (niezamknięty)");
}

QString notClosedReason(bool english) {
    return english ? QStringLiteral("The file was never closed (*PRG): it may end early or hold rubbish. "
                                    "It is added only when chosen by itself.")
                   : QStringLiteral("Plik nie został zamknięty (*PRG): może być urwany lub zawierać śmieci. "
                                    "Zostanie dodany tylko wtedy, gdy wybierzesz go osobno.");
}

} // namespace

DiskImportDialog::DiskImportDialog(QWidget* parent, const QString& diskName,
                                   const QList<DiskFileChoice>& files, bool english)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DiskImportDialog"));
    setWindowTitle(messageText(Msg::DiskAddTitle, english));
    captionLabel_ = new QLabel(messageText(Msg::DiskProgramsOf, english).arg(diskName), this);
    captionLabel_->setObjectName(QStringLiteral("Label1"));
    list_ = new ChoiceList(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const DiskFileChoice& f : files) {
        QString text = QStringLiteral("%1  %2").arg(f.blocks, -4).arg(f.name);
        auto* item = new QListWidgetItem(list_);
        QStringList tips;
        if (!f.damage.isEmpty()) {
            text += messageText(Msg::DiskFileDamagedMark, english);
            tips << f.damage;
            item->setFlags(Qt::NoItemFlags);
        } else if (f.notClosed) {
            text += notClosedText(english);
            tips << notClosedReason(english);
            item->setData(kPickedAlone, true);
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        }
        if (!f.badBlocks.isEmpty())
            tips << f.badBlocks;
        item->setToolTip(tips.join(QLatin1Char('\n')));
        item->setText(text);
    }
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(messageText(Msg::DiskCancel, english), this);
    cancelButton_->setObjectName(QStringLiteral("Button2"));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    // OK only with something chosen.
    auto update = [this] { okButton_->setEnabled(!list_->selectedItems().isEmpty()); };
    connect(list_, &QListWidget::itemSelectionChanged, this, update);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (item->flags() & Qt::ItemIsSelectable)
            accept();
    });
    update();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(captionLabel_);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(360, 320);
}

QList<int> DiskImportDialog::chosen() const {
    QList<int> rows;
    for (const QListWidgetItem* item : list_->selectedItems())
        rows << list_->row(item);
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace vornix
