#pragma once
// The main window: the one open tape image in a list, the toolbar and menus that start
// every command, the save prompt and the close sequence.
#include "app/DocumentCommandHost.h"
#include "app/DragGesture.h"
#include "app/PictureCommands.h"
#include "core/EditHistory.h"
#include "core/FileStamp.h"
#include "core/TapeDocument.h"
#include "gui/AppContext.h"
#include "gui/Dialogs.h"
#include "gui/Language.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>

#include <optional>

class QAction;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QSpinBox;
class QToolBar;
class QToolButton;

namespace vornix {

class Latin1Validator;
class RenameBox;
class DropFileSource;
class AboutWindow;
class CompressionWindow;
class CartridgeWindow;
class TapeConversionWindow;
class TapLinkerWindow;
class EntryListView;
class PreviewPane;

class MainWindow : public QMainWindow, private DocumentCommandHost {
    Q_OBJECT
  public:
    // arguments: the command line without the program name; the first names an image to open.
    // The start-up sequence runs here, before any tool window exists.
    explicit MainWindow(const AppContext& context, const QStringList& arguments = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // The windows the menu shows; created after this one.
    void setToolWindows(CompressionWindow* compression, AboutWindow* about, CartridgeWindow* cartridge,
                        TapeConversionWindow* tape, TapLinkerWindow* linker);
    // Replaces the drag source (tests look at the offered files there); takes ownership.
    void setDropFileSource(DropFileSource* source);

    const vornix::TapeDocument& document() const override { return doc_; }
    const EditHistory& history() const { return history_; }
    // The language flag (stored as Eng): the language of the window's messages and of the
    // windows it shows. Its own captions turn English at once but Polish only at the next
    // start (see switchToPolish).
    gui::Language language() const { return language_; }
    bool imageOpen() const override { return imageOpen_; }
    bool extracting() const { return extracting_; }
    // The add-PRG dialog, which the FLI command shares.
    FileDialogSetup& addPrgDialog() { return addPrgDialog_; }

    // Files dropped from the shell, in the order they arrive.
    void dropFiles(const QStringList& paths);
    // The status bar's line saying what a command did, until the next one or a new image.
    void showStatus(const QString& text) override;

    // Names this window's texts (and those of its dialogs and commands) in language and
    // writes them over every control; Qt's own texts follow.
    void setLanguage(gui::Language language);
    // "3 programs" in the window's language, with the noun form the number takes.
    static QString programCount(int count);
    // Why a file operation failed: the system's own words, or ours in the window's language.

  signals:
    // The close sequence has run; the program ends.
    void programEnds();

  public slots:
    void newImage();
    void openImage();
    void saveImage(); // to the file last opened or saved; Save as when there is none
    void saveImageAs();
    void deleteSelected();
    void addPrograms();
    void extractSelected();
    void moveToTop();
    void moveUp();
    void moveDown();
    void moveToBottom();
    void switchToEnglish();
    void switchToPolish();
    void exitProgram(); // the close sequence
    void extractAll();
    void showCompressionWindow();
    void showCartridgeWindow();
    void showTapeConversionWindow();
    void convertKoala();
    void convertFli();
    void showTapLinkerWindow();
    void showAboutWindow();
    void compressOutputToggled();
    void type01Toggled();
    void renameSelected();
    void undo();
    void redo();
    void previewToggled(); // the View menu's tick
    void selectAll();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildWindow();
    void buildToolbar();
    QHBoxLayout* buildHeader(QWidget* parent);
    void buildList(QWidget* parent);
    void buildStatusBar();
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildExtrasMenu();
    void retranslate();
    // The language flag and the language of every dynamic text, captions left as they are.
    void useLanguage(gui::Language language);
    QToolButton* addToolButton(QToolBar* bar, const QString& name, const QString& icon,
                               void (MainWindow::*handler)());
    QAction* addMenuItem(QMenu* menu, const QString& name, const QString& text,
                         void (MainWindow::*handler)());

    void startUp(const QStringList& arguments);
    // false when the window must stay (Cancel, or a save asked for at close did not happen)
    bool closeSequence();

    // Declined: the user would not replace a file changed on disk since it was read.
    enum class SaveOutcome { Saved, Cancelled, Failed, Declined };
    SaveOutcome saveAs();
    SaveOutcome saveTo(const QString& path);
    bool changedSinceOpened(const QString& path) const;
    // true when the document may be replaced: No, or Yes and the changes were saved
    bool savePrompt(MsgButtons buttons);
    bool loadImage(const QString& path);
    void redisplay(bool keepSelection = false);
    void showLabel();
    void setImageOpen();
    void setCaptionFor(const QString& path);
    void showSelection(const std::optional<vornix::Selection>& selection);
    vornix::Selection selection() const;
    // The entries an export writes: those the user selected, or all of them when the user
    // selected none (the row that opening an image selects does not count).
    vornix::Selection exportSelection() const override;
    bool refuseWhileBusy() override;
    // The rest of what the disk and tape commands may do.
    QWidget* hostWindow() override { return this; }
    Dialogs& dialogs() override { return *ctx_.dialogs; }
    QString imagePath() const override { return imagePath_; }
    void changeDocument(const std::function<void(TapeDocument&)>& change) override;
    void startNewImage() override { newImage(); }
    void setNewImageLabel(const std::string& label) override;
    void selectFirstEntry() override;
    void addFileMenuItem(QAction* item) override;
    void addEditMenuItem(QAction* item) override;
    void reportRefused(const vornix::AddResult& result);
    void storeSetting(const char* key, bool value);
    void showError(const QString& text);
    void showToolWindow(QWidget* window);
    CompressionOptions pictureOptions();
    // writtenFiles: the files written, in order.
    bool extractRows(const QList<int>& rows, const QString& folder, bool unselect,
                     QStringList* writtenFiles = nullptr);

    void listPressed(QPoint pos, Qt::MouseButton button);
    bool listKeyPressed(QKeyEvent* event);
    bool listMoved(QPoint pos);
    void cancelDragTest();
    void dragHoldElapsed();
    void startDragOut();

    void beginRename();
    void commitRename();
    void cancelRename();
    void hideRenameBox();

    // Runs an edit of the document (one that answers with the selection afterwards, or
    // nothing when it did not act) and keeps it for undo.
    template <typename Edit> std::optional<Selection> edit(Edit&& op, const std::string& mergeKey = {}) {
        DocumentState before = doc_.snapshot();
        const Selection selected = selection();
        std::optional<Selection> after = op();
        if (after)
            history_.record(std::move(before), selected, doc_, *after, mergeKey);
        updateEditActions();
        return after;
    }
    void resetHistory();
    void showHistoryStep(const std::optional<Selection>& selected);
    void updateEditActions();
    void showPreview(bool on, bool store);
    void updatePreview();
    void keepOnScreen();
    // The recent images: shown in their submenu, stored in settings.ini at each change.
    void rememberImage(const QString& path);
    void rebuildRecentMenu();
    void openRecent(const QString& path);

    void labelEdited(const QString& text);
    void capacityChanged(int value);

    AppContext ctx_;
    vornix::TapeDocument doc_;
    EditHistory history_;

    bool imageOpen_ = false;
    gui::Language language_ = gui::Language::Polish;
    bool extracting_ = false;
    bool dragOutRunning_ = false;
    bool dropsRegistered_ = false;
    bool closePending_ = false;
    bool updating_ = false;
    // The first entry is selected by the opening, not by the user: commands for "the selected
    // entries, or all" take all.
    bool selectedByOpening_ = false;
    int renamePos_ = -1;
    // The image file last opened or saved, and what it was on disk then.
    QString imagePath_;
    vornix::FileStamp imageStamp_;
    QStringList recent_;
    // Where the window stood after start-up: its place is stored only when the user moved it.
    QRect startGeometry_;
    bool startMaximized_ = false;
    // The save prompt is one of the window's captions: it changes language with them.
    QString promptText_;
    QString promptCaption_;

    FileDialogSetup openDialog_;
    FileDialogSetup saveDialog_;
    FileDialogSetup addPrgDialog_;
    QString lastExtractFolder_;

    CompressionWindow* compression_ = nullptr;
    AboutWindow* about_ = nullptr;
    CartridgeWindow* cartridge_ = nullptr;
    TapeConversionWindow* tape_ = nullptr;
    TapLinkerWindow* linker_ = nullptr;

    DropFileSource* dropSource_ = nullptr;
    DragGesture gesture_;
    QTimer holdTimer_;
    QElapsedTimer clock_;

    // Controls; each one's objectName, set where it is created, is the design's name for it.
    QToolButton* saveButton_ = nullptr;
    QToolButton* deleteButton_ = nullptr;
    QToolButton* addButton_ = nullptr;
    QToolButton* extractButton_ = nullptr;
    QToolButton* topButton_ = nullptr;
    QToolButton* upButton_ = nullptr;
    QToolButton* downButton_ = nullptr;
    QToolButton* bottomButton_ = nullptr;
    QToolButton* englishButton_ = nullptr;
    QToolButton* polishButton_ = nullptr;
    QAction* englishButtonSlot_ = nullptr; // toolbar slots: their visibility shows or hides the button
    QAction* polishButtonSlot_ = nullptr;
    QLabel* countCaption_ = nullptr;
    QLabel* labelCaption_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* slashLabel_ = nullptr;
    QSpinBox* capacitySpin_ = nullptr;
    QLineEdit* labelEdit_ = nullptr;
    Latin1Validator* labelValidator_ = nullptr;
    RenameBox* renameBox_ = nullptr;
    EntryListView* list_ = nullptr;
    QLabel* progressPanel_ = nullptr; // "written/last" while an entry is extracted
    QLabel* sparePanel_ = nullptr;    // shown empty, as the design has it
    PreviewPane* preview_ = nullptr;  // hidden until the View menu or Enter shows it

    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* extrasMenu_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* extractAllAction_ = nullptr;
    QAction* extractSelectedAction_ = nullptr;
    QAction* renameAction_ = nullptr;
    QAction* selectAllAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* addAction_ = nullptr;
    QAction* deleteAction_ = nullptr;
    QAction* topAction_ = nullptr;
    QAction* upAction_ = nullptr;
    QAction* downAction_ = nullptr;
    QAction* bottomAction_ = nullptr;
    QAction* compressOutputAction_ = nullptr;
    QAction* fastCompressionAction_ = nullptr;
    QAction* type01Action_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* previewAction_ = nullptr;
};

} // namespace vornix
