#pragma once
#include "gui/AppContext.h"
#include "gui/Language.h"

#include <QTimer>
#include <QWidget>

class QPushButton;

namespace vornix {

// A line of text running from right to left across the window, over and over.
class ScrollingBanner : public QWidget {
    Q_OBJECT
  public:
    explicit ScrollingBanner(const QString& text, QWidget* parent = nullptr);
    QString text() const { return text_; }
    void setText(const QString& text);
    int offset() const { return offset_; }
    // One step of the banner (the timer's tick).
    void step();

  protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

  private:
    QString text_;
    int offset_ = 0;
    QTimer timer_;
};

// About Vornix: fixed size, black, the name and version, a banner and a picture. Starts in
// the default language; the main window gives it its own each time it shows it.
class AboutWindow : public QWidget {
    Q_OBJECT
  public:
    explicit AboutWindow(const AppContext& context, QWidget* parent = nullptr);
    void setLanguage(gui::Language language);

  private:
    void retranslate();

    AppContext ctx_;
    ScrollingBanner* banner_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace vornix
