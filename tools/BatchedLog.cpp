#include "tools/BatchedLog.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

BatchedLog::BatchedLog(QPlainTextEdit* edit, int flushIntervalMs)
    : QObject(edit), edit_(edit), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    timer_->setInterval(flushIntervalMs);
    connect(timer_, &QTimer::timeout, this, &BatchedLog::flush);
}

void BatchedLog::appendLine(const QString& text) {
    pending_.append(text);
    if (!timer_->isActive())
        timer_->start();
}

void BatchedLog::joinToLast(const QString& text) {
    if (pending_.isEmpty()) {
        pending_.append(edit_->document()->lastBlock().text());
        replaceLast_ = true;
    }
    QString& last = pending_.last();
    last += QStringLiteral("..");
    last += text;
    if (!timer_->isActive())
        timer_->start();
}

void BatchedLog::flush() {
    timer_->stop();
    if (pending_.isEmpty())
        return;
    if (replaceLast_) {
        replaceLast_ = false;
        QScrollBar* bar = edit_->verticalScrollBar();
        const bool atBottom = bar->value() == bar->maximum();
        QTextCursor cursor(edit_->document());
        cursor.movePosition(QTextCursor::End);
        cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(pending_.takeFirst());
        if (atBottom)
            bar->setValue(bar->maximum());
    }
    if (!pending_.isEmpty())
        edit_->appendPlainText(pending_.join(QLatin1Char('\n')));
    pending_.clear();
}

QString BatchedLog::text() {
    flush();
    return edit_->toPlainText();
}

void BatchedLog::setText(const QString& text) {
    clear();
    edit_->setPlainText(text);
}

void BatchedLog::clear() {
    timer_->stop();
    pending_.clear();
    replaceLast_ = false;
    edit_->clear();
}
