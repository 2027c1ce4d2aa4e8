#pragma once
// A tool window's log with the line operations the windows use. Lines are collected and
// written to the text box in batches, so a tool that prints thousands of lines costs a
// handful of repaints instead of one per line.
#include <QObject>
#include <QStringList>

class QPlainTextEdit;
class QTimer;

class BatchedLog : public QObject {
    Q_OBJECT
public:
    explicit BatchedLog(QPlainTextEdit* edit, int flushIntervalMs = 40);

    // Adds text as a new last line.
    void appendLine(const QString& text);
    // Replaces the last line by itself, then "..", then text (an empty log has an empty last line).
    void joinToLast(const QString& text);
    // Writes what is collected into the text box now.
    void flush();
    // The timed write: at most a few thousand lines, so that a flood of output still leaves
    // the window time to repaint between batches.
    void flushSome();
    // The whole text, everything collected included.
    QString text();
    void setText(const QString& text);
    void clear();

private:
    QPlainTextEdit* edit_;
    QTimer* timer_;
    int interval_;
    void write(qsizetype count);

    QStringList pending_;      // lines not yet in the box, from head_ on
    qsizetype head_ = 0;
    bool replaceLast_ = false; // pending_[head_] takes the place of the box's last line
};
