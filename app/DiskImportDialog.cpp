#include "app/DiskImportDialog.h"

#include "app/Texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vornix {

DiskImportDialog::DiskImportDialog(QWidget* parent, const QString& diskName,
                                   const QList<DiskFileChoice>& files, bool english)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DiskImportDialog"));
    setWindowTitle(messageText(Msg::DiskAddTitle, english));
    captionLabel_ = new QLabel(messageText(Msg::DiskProgramsOf, english).arg(diskName), this);
    captionLabel_->setObjectName(QStringLiteral("Label1"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const DiskFileChoice& f : files) {
        QString text = QStringLiteral("%1  %2").arg(f.blocks, -4).arg(f.name);
        auto* item = new QListWidgetItem(list_);
        if (!f.damage.isEmpty()) {
            text += messageText(Msg::DiskFileDamagedMark, english);
            item->setToolTip(f.damage);
            item->setFlags(Qt::NoItemFlags);
        }
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
