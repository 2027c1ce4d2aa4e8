#include "tools/BatchedLog.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

class BatchedLogTest : public QObject {
    Q_OBJECT
private slots:
    void linesAndJoins();
    void batchesKeepOrderAcrossPartialWrites();
    void waitingLinesReachTheBoxByThemselves();
};

void BatchedLogTest::linesAndJoins() {
    struct Step {
        char op; // a: append, j: join, f: flush, c: clear, s: set text
        QString text;
    };
    struct Case {
        const char* name;
        QList<Step> steps;
        QString expected;
    };
    const QList<Case> cases = {
        {"appends", {{'a', "one"}, {'a', ""}, {'a', "three"}}, "one\n\nthree"},
        {"join on an empty log", {{'j', "x"}}, "..x"},
        {"join to a line already shown", {{'a', "long line"}, {'f', {}}, {'j', "1"}, {'j', "2"}}, "long line..1..2"},
        {"join to a waiting line", {{'a', "first"}, {'a', "second"}, {'j', ""}}, "first\nsecond.."},
        {"join then append", {{'a', "a line"}, {'f', {}}, {'j', "5%"}, {'a', "next one"}}, "a line..5%\nnext one"},
        {"clear drops waiting lines", {{'a', "gone"}, {'c', {}}, {'a', "kept"}}, "kept"},
        {"join to a typed W", {{'s', "W"}, {'j', "ok"}}, "W..ok"},
        {"join to the last of several lines shown",
         {{'a', "l1"}, {'a', "l2"}, {'f', {}}, {'j', "z"}},
         "l1\nl2..z"},
    };
    for (const auto& c : cases) {
        QPlainTextEdit edit;
        BatchedLog log(&edit);
        for (const auto& step : c.steps) {
            switch (step.op) {
            case 'a': log.appendLine(step.text); break;
            case 'j': log.joinToLast(step.text); break;
            case 'f': log.flush(); break;
            case 'c': log.clear(); break;
            case 's': log.setText(step.text); break;
            }
        }
        QCOMPARE(log.text(), c.expected);
        QCOMPARE(edit.toPlainText(), c.expected);
    }
}

void BatchedLogTest::batchesKeepOrderAcrossPartialWrites() {
    QPlainTextEdit edit;
    BatchedLog log(&edit);
    log.appendLine("start");
    log.flush();
    log.joinToLast("1%");
    QStringList expected{"start..1%"};
    for (int i = 0; i < 9000; ++i) {
        log.appendLine(QStringLiteral("line %1").arg(i));
        expected << QStringLiteral("line %1").arg(i);
    }
    log.flushSome(); // the replaced line and part of the rest
    QVERIFY(edit.blockCount() > 1);
    QVERIFY(edit.blockCount() < expected.size());
    QCOMPARE(edit.document()->firstBlock().text(), QStringLiteral("start..1%"));
    log.joinToLast("end");
    expected.last() += "..end";
    log.flushSome();
    QCOMPARE(log.text(), expected.join('\n'));
    QCOMPARE(edit.blockCount(), expected.size());
}

void BatchedLogTest::waitingLinesReachTheBoxByThemselves() {
    QPlainTextEdit edit;
    BatchedLog log(&edit, 5);
    for (int i = 0; i < 10000; ++i)
        log.appendLine(QString::number(i));
    QVERIFY(edit.toPlainText().isEmpty());
    QTRY_COMPARE(edit.blockCount(), 10000);
    QCOMPARE(edit.document()->lastBlock().text(), QStringLiteral("9999"));
}

QTEST_MAIN(BatchedLogTest)
#include "batched_log_test.moc"
