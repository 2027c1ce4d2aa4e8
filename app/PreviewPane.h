#pragma once
// The preview pane beside the entry list: a BASIC listing, a picture at twice its size, or
// a hex dump of one entry. Built at once from the entry's bytes (a 64 KB entry takes a few
// milliseconds), so the window never waits.
#include <QWidget>

#include <optional>

class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QStackedWidget;

namespace vornix {

struct Entry;
enum class PreviewKind;

class PreviewPane : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewPane(QWidget* parent = nullptr);

    // The entry to show; nullptr shows that no entry is selected.
    void showEntry(const Entry* entry);
    void setEnglish(bool english);

    // What is shown: for tests and the status of the pane.
    std::optional<PreviewKind> kind() const { return kind_; }

  private:
    void showTitle();

    QLabel* title_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QScrollArea* pictureArea_ = nullptr;
    QLabel* picture_ = nullptr;
    std::optional<PreviewKind> kind_;
    bool fli_ = false; // the picture shown is an FLI picture
    QString note_;
    bool english_ = false;
};

} // namespace vornix
