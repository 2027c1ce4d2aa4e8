#include "app/EntryListView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <algorithm>

namespace vornix {

EntryListView::EntryListView(QWidget* parent) : QTreeWidget(parent) {
    setItemDelegate(new GridLineDelegate(this));
}

QList<int> EntryListView::selectedRows() const {
    QList<int> rows;
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->isSelected())
            rows << i;
    return rows;
}

void EntryListView::selectRows(const QList<int>& rows) {
    clearSelection();
    if (rows.isEmpty())
        return;
    // The current row first, without touching the selection, so a key pressed next starts there.
    selectionModel()->setCurrentIndex(model()->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
    for (int r : rows)
        if (auto* item = topLevelItem(r))
            item->setSelected(true);
}

void EntryListView::setRows(const QList<QStringList>& rows) {
    {
        // The list is being refilled: its selection signals would tell of a passing state.
        const QSignalBlocker quiet(this);
        clearSelection();
        selectionModel()->clearCurrentIndex();
    }
    const int kept = std::min(topLevelItemCount(), static_cast<int>(rows.size()));
    if (kept == 0)
        clear();
    {
        // One repaint for all changed texts instead of a change signal for each (a deletion
        // near the top renumbers every row below it). Rows all have one height and the
        // columns fixed widths, so no text change alters the layout.
        const QSignalBlocker quiet(model());
        for (int r = 0; r < kept; ++r) {
            QTreeWidgetItem* item = topLevelItem(r);
            for (int c = 0; c < rows[r].size(); ++c)
                if (item->text(c) != rows[r][c])
                    item->setText(c, rows[r][c]);
        }
    }
    viewport()->update();
    if (topLevelItemCount() > kept) {
        QList<QTreeWidgetItem*> gone;
        while (topLevelItemCount() > kept)
            gone << takeTopLevelItem(topLevelItemCount() - 1);
        qDeleteAll(gone);
    }
    QList<QTreeWidgetItem*> added;
    for (qsizetype r = kept; r < rows.size(); ++r) {
        auto* item = new QTreeWidgetItem(rows[r]);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        added << item;
    }
    addTopLevelItems(added);
}

void EntryListView::mousePressEvent(QMouseEvent* e) {
    if (onPressBefore)
        onPressBefore();
    QTreeWidget::mousePressEvent(e);
    if (onPress)
        onPress(e->position().toPoint(), e->button());
}

void EntryListView::mouseMoveEvent(QMouseEvent* e) {
    // While the drag test watches, a move must not stretch the selection.
    if (onMove && onMove(e->position().toPoint()))
        return;
    QTreeWidget::mouseMoveEvent(e);
}

void EntryListView::mouseReleaseEvent(QMouseEvent* e) {
    if (onRelease)
        onRelease();
    QTreeWidget::mouseReleaseEvent(e);
}

void EntryListView::mouseDoubleClickEvent(QMouseEvent* e) {
    QTreeWidget::mouseDoubleClickEvent(e);
    if (onDoubleClick)
        onDoubleClick();
}

void EntryListView::keyPressEvent(QKeyEvent* e) {
    if (onKey && onKey(e))
        return;
    QTreeWidget::keyPressEvent(e);
}

void EntryListView::focusOutEvent(QFocusEvent* e) {
    if (onFocusLost)
        onFocusLost();
    QTreeWidget::focusOutEvent(e);
}

void GridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(option.palette.color(QPalette::Midlight).darker(115));
    const QRect r = option.rect;
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->restore();
}

QSize GridLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 3);
}

} // namespace vornix
