#include "app/DiskImportDialog.h"

#include "app/Texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

DiskImportDialog::DiskImportDialog(QWidget* parent, const QString& diskName,
                                   const QList<DiskFileChoice>& files, bool english)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DiskImportDialog"));
    setWindowTitle(messageText(Msg::DiskAddTitle, english));
    Label1 = new QLabel(messageText(Msg::DiskProgramsOf, english).arg(diskName), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const DiskFileChoice& f : files) {
        QString text = QStringLiteral("%1  %2").arg(f.blocks, -4).arg(f.name);
        auto* item = new QListWidgetItem(ListBox1);
        if (!f.damage.isEmpty()) {
            text += messageText(Msg::DiskFileDamagedMark, english);
            item->setToolTip(f.damage);
            item->setFlags(Qt::NoItemFlags);
        }
        item->setText(text);
    }
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(messageText(Msg::DiskCancel, english), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    // OK only with something chosen.
    auto update = [this] { Button1->setEnabled(!ListBox1->selectedItems().isEmpty()); };
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, update);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (item->flags() & Qt::ItemIsSelectable)
            accept();
    });
    update();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    resize(360, 320);
}

QList<int> DiskImportDialog::chosen() const {
    QList<int> rows;
    for (const QListWidgetItem* item : ListBox1->selectedItems())
        rows << ListBox1->row(item);
    std::sort(rows.begin(), rows.end());
    return rows;
}
