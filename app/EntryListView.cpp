#include "app/EntryListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>

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

void EntryListView::setRows(const QList<QStringList>& rows, bool keepSelection) {
    if (!keepSelection) {
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
        bool changed = false;
        for (int r = 0; r < kept; ++r) {
            QTreeWidgetItem* item = topLevelItem(r);
            for (int c = 0; c < rows[r].size(); ++c)
                if (item->text(c) != rows[r][c]) {
                    item->setText(c, rows[r][c]);
                    changed = true;
                }
        }
        if (changed)
            viewport()->update();
    }
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

bool GridLineDelegate::paintText(QPainter* painter, const QStyleOptionViewItem& option) const {
    if (option.features & ~(QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::WrapText |
                            QStyleOptionViewItem::Alternate))
        return false; // a check box or an icon: the style's
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (option.font != textFont_ || texts_.size() > 4096) {
        texts_.clear();
        textFont_ = option.font;
    }
    auto it = texts_.find(option.text);
    if (it == texts_.end()) {
        QStaticText text(option.text);
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), option.font);
        it = texts_.insert(option.text, text);
    }
    // The style's own margin for item text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = option.rect.adjusted(margin, 0, -margin, 0);
    const QSizeF size = it->size();
    if (size.width() > area.width())
        return false; // cut with an ellipsis by the style
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, widget);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                                               : QPalette::Inactive;
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect placed = QStyle::alignedRect(option.direction, option.displayAlignment, size.toSize(), area);
    painter->drawStaticText(placed.topLeft(), *it);
    painter->restore();
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor =
            option.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    return true;
}

void GridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (!paintText(painter, cell))
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
