#include "app/ProgramChoiceDialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace vornix {

namespace {

// Rows a user must pick one by one: selecting all leaves them out.
constexpr int kPickedAlone = Qt::UserRole + 1;
// A program row's position among the rows that are no headings.
constexpr int kChoice = Qt::UserRole + 2;

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

} // namespace

ProgramChoiceDialog::ProgramChoiceDialog(QWidget* parent, const ProgramChoiceSetup& setup,
                                         const QList<ProgramChoiceRow>& rows)
    : QDialog(parent) {
    setObjectName(setup.objectName);
    setWindowTitle(setup.title);
    auto* caption = new QLabel(setup.caption, this);
    caption->setObjectName(QStringLiteral("Label1"));
    list_ = new ChoiceList(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    int choice = 0;
    for (const ProgramChoiceRow& row : rows) {
        auto* item = new QListWidgetItem(row.text, list_);
        item->setToolTip(row.tip);
        if (row.kind == ProgramChoiceRow::Kind::Heading) {
            item->setFlags(Qt::ItemIsEnabled);
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
            continue;
        }
        item->setData(kChoice, choice++);
        if (row.kind == ProgramChoiceRow::Kind::Unavailable) {
            item->setFlags(Qt::NoItemFlags);
        } else if (row.kind == ProgramChoiceRow::Kind::PickedAlone) {
            item->setData(kPickedAlone, true);
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        }
    }
    okButton_ = new QPushButton(tr("OK"), this);
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setDefault(true);
    auto* cancelButton = new QPushButton(setup.cancelText, this);
    cancelButton->setObjectName(QStringLiteral("Button2"));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // OK only with something chosen.
    auto update = [this] { okButton_->setEnabled(!list_->selectedItems().isEmpty()); };
    connect(list_, &QListWidget::itemSelectionChanged, this, update);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (item->flags() & Qt::ItemIsSelectable)
            accept();
    });
    if (setup.soundChosenAtStart)
        for (int i = 0; i < list_->count(); ++i)
            if (rows[i].kind == ProgramChoiceRow::Kind::Sound)
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
    // Wide enough for the longest row (a damaged program's reason) without scrolling sideways,
    // as far as the screen allows.
    const QMargins margins = layout->contentsMargins();
    QSize size = setup.size;
    size.setWidth(std::max(size.width(), list_->sizeHintForColumn(0) + 2 * list_->frameWidth() +
                                             style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                             margins.left() + margins.right()));
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size.setWidth(std::min(size.width(), screen->availableGeometry().width()));
    resize(size);
}

QList<int> ProgramChoiceDialog::chosen() const {
    QList<int> rows;
    for (const QListWidgetItem* item : list_->selectedItems())
        rows << item->data(kChoice).toInt();
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace vornix
