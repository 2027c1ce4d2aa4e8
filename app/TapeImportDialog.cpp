#include "app/TapeImportDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vornix {

TapeImportDialog::TapeImportDialog(QWidget* parent, const QString& tapeName,
                                   const QList<TapeFileChoice>& files, bool english)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TapeImportDialog"));
    setWindowTitle(english ? QStringLiteral("Import tape") : QStringLiteral("Import z taśmy"));
    auto* caption = new QLabel((english ? QStringLiteral("Programs on the tape \"%1\":")
                                        : QStringLiteral("Programy na taśmie \"%1\":"))
                                   .arg(tapeName),
                               this);
    caption->setObjectName(QStringLiteral("Label1"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const TapeFileChoice& f : files) {
        auto* item = new QListWidgetItem(list_);
        QString text =
            QStringLiteral("%1  $%2  %3").arg(f.name, -16).arg(f.load, 4, 16, QLatin1Char('0')).arg(f.size);
        text += english ? QStringLiteral(" bytes") : QStringLiteral(" bajtów");
        if (!f.damage.isEmpty()) {
            text += QStringLiteral("  (%1)").arg(f.damage);
            item->setToolTip(f.damage);
            item->setFlags(Qt::NoItemFlags);
        }
        item->setText(text);
    }
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setDefault(true);
    auto* cancelButton = new QPushButton(english ? QStringLiteral("Cancel") : QStringLiteral("Anuluj"), this);
    cancelButton->setObjectName(QStringLiteral("Button2"));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto update = [this] { okButton_->setEnabled(!list_->selectedItems().isEmpty()); };
    connect(list_, &QListWidget::itemSelectionChanged, this, update);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (item->flags() & Qt::ItemIsSelectable)
            accept();
    });
    // The sound programs are chosen to begin with: taking the whole tape is one click.
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->flags() & Qt::ItemIsSelectable)
            list_->item(i)->setSelected(true);
    update();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(440, 320);
}

QList<int> TapeImportDialog::chosen() const {
    QList<int> rows;
    for (const QListWidgetItem* item : list_->selectedItems())
        rows << list_->row(item);
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace vornix
