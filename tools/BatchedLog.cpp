#include "tools/BatchedLog.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace {
// About a frame's worth of text-document work on an ordinary machine.
constexpr qsizetype kLinesPerBatch = 4000;
} // namespace

BatchedLog::BatchedLog(QPlainTextEdit* edit, int flushIntervalMs)
    : QObject(edit), edit_(edit), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    interval_ = flushIntervalMs;
    connect(timer_, &QTimer::timeout, this, &BatchedLog::flushSome);
}

void BatchedLog::appendLine(const QString& text) {
    pending_.append(text);
    if (!timer_->isActive())
        timer_->start(interval_);
}

void BatchedLog::joinToLast(const QString& text) {
    if (head_ == pending_.size()) {
        pending_.append(edit_->document()->lastBlock().text());
        replaceLast_ = true;
    }
    QString& last = pending_.last();
    last += QStringLiteral("..");
    last += text;
    if (!timer_->isActive())
        timer_->start(interval_);
}

void BatchedLog::flush() {
    timer_->stop();
    write(pending_.size() - head_);
}

void BatchedLog::flushSome() {
    write(std::min(kLinesPerBatch, pending_.size() - head_));
    if (head_ < pending_.size())
        timer_->start(0); // the rest after the window had its turn
}

void BatchedLog::write(qsizetype count) {
    if (count <= 0)
        return;
    const qsizetype end = head_ + count;
    if (replaceLast_) {
        replaceLast_ = false;
        QScrollBar* bar = edit_->verticalScrollBar();
        const bool atBottom = bar->value() == bar->maximum();
        QTextCursor cursor(edit_->document());
        cursor.movePosition(QTextCursor::End);
        cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(pending_.at(head_++));
        if (atBottom)
            bar->setValue(bar->maximum());
    }
    if (head_ < end) {
        QString text;
        qsizetype size = 0;
        for (qsizetype i = head_; i < end; ++i)
            size += pending_.at(i).size() + 1;
        text.reserve(size);
        for (qsizetype i = head_; i < end; ++i) {
            if (i > head_)
                text += QLatin1Char('\n');
            text += pending_.at(i);
        }
        edit_->appendPlainText(text);
    }
    head_ = end;
    if (head_ == pending_.size()) {
        pending_.clear();
        head_ = 0;
    }
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
    head_ = 0;
    replaceLast_ = false;
    edit_->clear();
}
