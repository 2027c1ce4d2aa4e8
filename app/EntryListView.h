#pragma once
// The entry list: a report-style list whose mouse and key events the main window sees
// around the list's own handling (the key still has its usual effect after its command).
#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <functional>

namespace vornix {

class EntryListView : public QTreeWidget {
    Q_OBJECT
  public:
    explicit EntryListView(QWidget* parent = nullptr);

    std::function<void()> onPressBefore;                  // before the list selects
    std::function<void(QPoint, Qt::MouseButton)> onPress; // after the list has selected
    std::function<bool(QPoint)> onMove;                   // true: the move is taken
    std::function<void()> onRelease;
    std::function<void()> onDoubleClick;
    std::function<bool(QKeyEvent*)> onKey; // true: the key is taken
    std::function<void()> onFocusLost;

    // Positions (from 0) of the selected rows, top to bottom.
    QList<int> selectedRows() const;
    void selectRows(const QList<int>& rows);
    // Shows these rows (the texts of each row's columns) with nothing selected and no current
    // row, as a list filled anew would; rows that are there already only get their changed
    // texts, so showing a long list again after a small change costs little. keepSelection
    // leaves the selection and the current row as they are (the caller knows they still hold).
    void setRows(const QList<QStringList>& rows, bool keepSelection = false);

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

// Grid lines between the cells of the list. A cell's text is laid out once and kept (the
// list shows up to 255 rows, and an edit near the top redraws every row in view); text that
// does not fit, or a cell with more than text, is drawn by the style.
class GridLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // A little air under the text, so the grid line never crosses an underscore.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    bool paintText(QPainter* painter, const QStyleOptionViewItem& option) const;

    mutable QHash<QString, QStaticText> texts_;
    mutable QFont textFont_;
};

} // namespace vornix
