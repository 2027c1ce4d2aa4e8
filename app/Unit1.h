#pragma once
// The main window: the one open tape image in a list, the toolbar and menus that start
// every command, the save prompt and the close sequence.
#include "app/AppContext.h"
#include "app/Dialogs.h"
#include "app/DragGesture.h"
#include "app/Texts.h"
#include "convert/PictureCommands.h"
#include "core/TapeDocument.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>

#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QSpinBox;
class QToolBar;
class QToolButton;
class TDropFileSource;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TListView;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // arguments: the command line without the program name; the first names an image to open.
    // The start-up sequence runs here, before any tool window exists.
    explicit TForm1(const AppContext& context, const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // The windows the menu shows; created after this one.
    void setToolWindows(TForm3* compression, TForm2* about, TForm4* cartridge, TForm5* tape, TForm6* linker);
    // Replaces the drag source (tests look at the offered files there); takes ownership.
    void setDropFileSource(TDropFileSource* source);
    TDropFileSource* dropFileSource() const { return dropSource_; }

    const vornix::TapeDocument& document() const { return doc_; }
    bool english() const { return english_; }
    bool imageOpen() const { return imageOpen_; }
    bool extracting() const { return extracting_; }
    // The add-PRG dialog, which the FLI command shares.
    FileDialogSetup& addPrgDialog() { return addPrgDialog_; }

    // Files dropped from the shell, in the order they arrive.
    void FormDropFiles(const QStringList& paths);

signals:
    // The close sequence has run; the program ends.
    void programEnds();

public slots:
    void SpeedButton10Click(); // New
    void SpeedButton1Click();  // Open
    void SpeedButton8Click();  // Save as
    void SpeedButton7Click();  // Delete
    void SpeedButton9Click();  // Add programs
    void SpeedButton2Click();  // Extract selected
    void SpeedButton3Click();  // Move to top
    void SpeedButton6Click();  // Move up
    void SpeedButton5Click();  // Move down
    void SpeedButton4Click();  // Move to bottom
    void SpeedButton11Click(); // English
    void SpeedButton12Click(); // Polish
    void Wyj1Click();          // Exit: the close sequence
    void Wypakujwszystkie1Click();
    void KompresjaPRG1Click();
    void Konwersjacartridge1Click();
    void WAVTAPT64P00TAP1Click();
    void KoalaPRG1Click();
    void FLIPRG1Click();
    void TAPLinker1Click();
    void Oprogramie1Click();
    void Kompresujplikiwynikowe1Click();
    void Oznaczenieprogramu0x011Click();
    void Szybszakompresjawikszyplik1Click();
    void ListView1DblClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void buildToolbar();
    void buildMenus();
    QToolButton* addToolButton(QToolBar* bar, const QString& name, const QString& icon, void (TForm1::*handler)());
    QAction* addMenuItem(QMenu* menu, const QString& name, const QString& text, void (TForm1::*handler)());
    void applyTexts(bool english);
    void applyEnglish();

    void FormCreate(const QStringList& arguments);
    // false when the window must stay (a save asked for at close failed)
    bool FormClose();

    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome saveAs();
    // true when the document may be replaced (no Cancel, and no save that failed)
    bool savePrompt(MsgButtons buttons);
    bool loadImage(const QString& path);
    void redisplay();
    void showLabel();
    void setImageOpen();
    void setCaptionFor(const QString& path);
    void showSelection(const std::optional<vornix::Selection>& selection);
    vornix::Selection selection() const;
    bool refuseWhileBusy();
    void reportRefused(const vornix::AddResult& result);
    void storeSetting(const QString& key, bool value);
    void showMessage(Msg id, const QString& arg, const QString& reason = QString());
    void showToolWindow(QWidget* window);
    CompressionOptions pictureOptions();
    bool extractRows(const QList<int>& rows, const QString& folder, bool unselect);

    void ListView1MouseDown(QPoint pos, Qt::MouseButton button);
    bool ListView1KeyDown(QKeyEvent* event);
    bool ListView1MouseMove(QPoint pos);
    void cancelDragTest();
    void dragHoldElapsed();
    void startDragOut();

    void beginRename();
    void commitRename();
    void cancelRename();
    void hideRenameBox();

    void Edit2Change(const QString& text);
    void SpinEdit1Change(int value);

    AppContext ctx_;
    vornix::TapeDocument doc_;

    bool imageOpen_ = false;
    bool english_ = false;
    bool extracting_ = false;
    bool dragOutRunning_ = false;
    bool dropsRegistered_ = false;
    bool closePending_ = false;
    bool updating_ = false;
    int renamePos_ = -1;
    QString promptText_;
    QString promptCaption_;

    FileDialogSetup openDialog_;
    FileDialogSetup saveDialog_;
    FileDialogSetup addPrgDialog_;
    QString lastExtractFolder_;

    TForm3* compression_ = nullptr;
    TForm2* about_ = nullptr;
    TForm4* cartridge_ = nullptr;
    TForm5* tape_ = nullptr;
    TForm6* linker_ = nullptr;

    TDropFileSource* dropSource_ = nullptr;
    DragGesture gesture_;
    QTimer holdTimer_;
    QElapsedTimer clock_;

    // Controls, named as the window design names them.
    QToolButton* SpeedButton10 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton8 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QToolButton* SpeedButton9 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton11 = nullptr;
    QToolButton* SpeedButton12 = nullptr;
    QAction* englishButtonSlot_ = nullptr; // toolbar slots: their visibility shows or hides the button
    QAction* polishButtonSlot_ = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    TListView* ListView1 = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QLabel* statusPanel2_ = nullptr;

    QMenu* Plik1 = nullptr;
    QMenu* Edycja1 = nullptr;
    QMenu* Pomoc1 = nullptr;
    QAction* Nowy1 = nullptr;
    QAction* Otwrz1 = nullptr;
    QAction* Zapiszjako1 = nullptr;
    QAction* Wyj1 = nullptr;
    QAction* Wypakujwszystkie1 = nullptr;
    QAction* Dodaj1 = nullptr;
    QAction* Usu1 = nullptr;
    QAction* Przesuwyej1 = nullptr;
    QAction* Przesunagr1 = nullptr;
    QAction* Przesunizj1 = nullptr;
    QAction* Przesunad1 = nullptr;
    QAction* KompresjaPRG1 = nullptr;
    QAction* Konwersjacartridge1 = nullptr;
    QAction* WAVTAPT64P00TAP1 = nullptr;
    QAction* KoalaPRG1 = nullptr;
    QAction* FLIPRG1 = nullptr;
    QAction* TAPLinker1 = nullptr;
    QAction* Kompresujplikiwynikowe1 = nullptr;
    QAction* Szybszakompresjawikszyplik1 = nullptr;
    QAction* Oznaczenieprogramu0x011 = nullptr;
    QAction* Oprogramie1 = nullptr;
};
