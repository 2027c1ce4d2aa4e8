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
    // The whole text, everything collected included.
    QString text();
    void setText(const QString& text);
    void clear();

private:
    QPlainTextEdit* edit_;
    QTimer* timer_;
    QStringList pending_;
    bool replaceLast_ = false; // pending_.first() takes the place of the box's last line
};
