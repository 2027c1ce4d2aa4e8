#include "tests/support/ScriptedDialogs.h"

#include <QTest>

namespace vornix {

static const char* kindName(ScriptedDialogs::Kind k) {
    switch (k) {
    case ScriptedDialogs::Kind::Message: return "message";
    case ScriptedDialogs::Kind::Open: return "open dialog";
    case ScriptedDialogs::Kind::Save: return "save dialog";
    case ScriptedDialogs::Kind::Folder: return "folder dialog";
    }
    return "?";
}

void ScriptedDialogs::answerMessage(MsgAnswer answer) {
    answers_.enqueue({Kind::Message, QVariant::fromValue(static_cast<int>(answer))});
}
void ScriptedDialogs::answerOpen(const QStringList& paths) { answers_.enqueue({Kind::Open, paths}); }
void ScriptedDialogs::answerSave(const QString& path) { answers_.enqueue({Kind::Save, path}); }
void ScriptedDialogs::answerFolder(const QString& path) { answers_.enqueue({Kind::Folder, path}); }
void ScriptedDialogs::onNextQuestion(std::function<void(const Question&)> hook) { hook_ = std::move(hook); }

void ScriptedDialogs::clear() {
    asked.clear();
    unexpected.clear();
    answers_.clear();
    hook_ = nullptr;
}

QVariant ScriptedDialogs::take(const Question& q) {
    asked.append(q);
    // Every file and folder dialog says what it is for.
    if (q.kind != Kind::Message && q.caption.isEmpty()) {
        unexpected.append(
            QStringLiteral("a %1 dialog without a title").arg(QString::fromLatin1(kindName(q.kind))));
        QTest::qFail(qPrintable(unexpected.last()), __FILE__, __LINE__);
    }
    if (hook_) {
        auto hook = std::move(hook_);
        hook_ = nullptr;
        hook(q);
    }
    if (answers_.isEmpty() || answers_.head().kind != q.kind) {
        const QString what = QStringLiteral("unexpected %1: \"%2\" %3")
                                 .arg(QString::fromLatin1(kindName(q.kind)), q.caption, q.text);
        unexpected.append(what);
        QTest::qFail(qPrintable(what), __FILE__, __LINE__);
        return {};
    }
    return answers_.dequeue().value;
}

MsgAnswer ScriptedDialogs::message(QWidget* parent, const QString& caption, const QString& text,
                                   MsgButtons buttons, MsgIcon icon) {
    Question q{Kind::Message, caption, text, buttons, icon, {}, false};
    if (realMessages) {
        asked.append(q);
        return realMessages->message(parent, caption, text, buttons, icon);
    }
    const QVariant v = take(q);
    if (!v.isValid())
        return buttons == MsgButtons::Ok      ? MsgAnswer::Ok
               : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                              : MsgAnswer::Cancel;
    return static_cast<MsgAnswer>(v.toInt());
}

QStringList ScriptedDialogs::openFiles(QWidget*, const FileDialogSetup& setup, bool multiple) {
    Question q{Kind::Open, setup.title, {}, MsgButtons::Ok, MsgIcon::None, setup, multiple};
    return take(q).toStringList();
}

QString ScriptedDialogs::saveFile(QWidget*, const FileDialogSetup& setup) {
    Question q{Kind::Save, setup.title, {}, MsgButtons::Ok, MsgIcon::None, setup, false};
    return take(q).toString();
}

QString ScriptedDialogs::folder(QWidget*, const QString& title, const QString& start) {
    Question q{Kind::Folder, title, start, MsgButtons::Ok, MsgIcon::None, {}, false};
    return take(q).toString();
}

} // namespace vornix
