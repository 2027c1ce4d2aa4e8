#pragma once
// The preview pane beside the entry list: a BASIC listing, a picture at twice its size, or
// a hex dump of one entry. Built at once from the entry's bytes, so the window never waits;
// a hex dump builds only the lines in view, so moving through 64 KB entries stays quick.
#include "preview/PreviewNote.h"

#include <QAbstractScrollArea>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

namespace vornix::gui {
enum class Language;
}

class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QStackedWidget;

namespace vornix {

struct Entry;
enum class PreviewKind;

// A hex dump drawn a line at a time: only the lines in view are made and painted.
class HexDumpView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit HexDumpView(QWidget* parent = nullptr);

    void showBytes(std::uint16_t load, const std::uint8_t* data, std::size_t size);
    void clear() { showBytes(0, nullptr, 0); }

    std::size_t lineCount() const;
    QString line(std::size_t index) const;
    // The first line in view.
    std::size_t topLine() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void updateScrollBars();
    int lineHeight() const;

    std::uint16_t load_ = 0;
    std::vector<std::uint8_t> bytes_;
    int lineWidth_ = 0; // pixels of the longest line (every line has the same characters)
};

class PreviewPane : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewPane(QWidget* parent = nullptr);

    // The entry to show; nullptr shows that no entry is selected.
    void showEntry(const Entry* entry);
    void setLanguage(gui::Language language);

    // What is shown: for tests and the status of the pane.
    std::optional<PreviewKind> kind() const { return kind_; }

  private:
    void showTitle();
    void showListing();
    QString titleText() const;
    QString noteText() const;

    QLabel* title_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    HexDumpView* hex_ = nullptr;
    QScrollArea* pictureArea_ = nullptr;
    QLabel* picture_ = nullptr;
    std::optional<PreviewKind> kind_;
    bool fli_ = false; // the picture shown is an FLI picture
    PreviewNote note_;
    QString listing_;               // Basic: the lines, before the note
    std::size_t bytesAfterEnd_ = 0; // Basic
};

} // namespace vornix
