#pragma once
// The main window's commands between the open tape image and tapes as sound: "Import tape
// (TAP/WAV)" (Edit menu), "Export to TAP" (File menu), and a TAP or WAV file named at
// start-up. Created once by the main window.
#include "gui/Dialogs.h"
#include "tape/TapeReader.h"

#include <QObject>

#include <memory>
#include <vector>

class QAction;

namespace vornix {

class DocumentCommandHost;

class TapeCommands : public QObject {
    Q_OBJECT
  public:
    TapeCommands(DocumentCommandHost& host, QObject* parent);
    // The menu items' texts in the language of this class's texts.
    void retranslate();

    // True when path is a TAP file or a WAV recording (by its first bytes).
    static bool isTape(const QString& path);
    // A tape named on the command line: a new image holding its sound programs. False when
    // path is no tape (the caller opens it as an image).
    bool startWithTape(const QString& path);
    // A program's state on the tape, in the language of this class's texts.
    static QString stateText(vornix::tape::FileState state);
    // What was wrong with a program, or a bad copy a good one did without; empty for none.
    static QString detailText(const vornix::tape::FileDetail& detail);

  public slots:
    void importTape();
    void exportToTap();

  private:
    bool analyse(const QString& path, vornix::tape::TapeAnalysis& analysis);
    void addChosen(const QList<int>& chosen, const std::vector<vornix::tape::FoundFile>& files,
                   const QString& tapePath);
    void tell(const QString& text, MsgIcon icon = MsgIcon::Error);

    DocumentCommandHost& host_;
    FileDialogSetup importDialog_;
    FileDialogSetup exportDialog_;
    QAction* importAction_ = nullptr;
    QAction* exportAction_ = nullptr;
};

} // namespace vornix
