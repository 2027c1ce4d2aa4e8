#pragma once
// The dialog seam for tests: answers come from a script queued in advance; every question is
// recorded. A question with no queued answer of its kind fails the running test and is
// answered Cancel (or an empty path).
#include "gui/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QVariant>

#include <functional>

namespace vornix {

class ScriptedDialogs final : public Dialogs {
  public:
    enum class Kind { Message, Open, Save, Folder };
    struct Question {
        Kind kind;
        QString caption; // message caption or dialog title
        QString text;    // message text
        MsgButtons buttons = MsgButtons::Ok;
        MsgIcon icon = MsgIcon::None;
        FileDialogSetup setup; // open and save dialogs
        bool multiple = false;
    };

    // Queue the next answers, in the order the questions will come.
    void answerMessage(MsgAnswer answer);
    void answerOpen(const QStringList& paths); // empty list: cancel
    void answerSave(const QString& path);      // empty: cancel
    void answerFolder(const QString& path);    // empty: cancel
    // Runs when the next question of any kind arrives, before it is answered (e.g. to
    // check the window state while the question is shown).
    void onNextQuestion(std::function<void(const Question&)> hook);

    // When set, message boxes are shown there (the real boxes, for the user's hands) and only
    // recorded here.
    Dialogs* realMessages = nullptr;

    QList<Question> asked;  // every question, in order
    QStringList unexpected; // questions that had no queued answer
    int pendingAnswers() const { return answers_.size(); }
    const Question* last() const { return asked.isEmpty() ? nullptr : &asked.last(); }
    void clear();

    MsgAnswer message(QWidget* parent, const QString& caption, const QString& text, MsgButtons buttons,
                      MsgIcon icon) override;
    QStringList openFiles(QWidget* parent, const FileDialogSetup& setup, bool multiple) override;
    QString saveFile(QWidget* parent, const FileDialogSetup& setup) override;
    QString folder(QWidget* parent, const QString& title, const QString& start) override;

  private:
    struct Answer {
        Kind kind;
        QVariant value;
    };
    QVariant take(const Question& q);
    QQueue<Answer> answers_;
    std::function<void(const Question&)> hook_;
};

} // namespace vornix
