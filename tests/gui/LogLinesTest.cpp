#include "gui/LogLines.h"

#include <QStringList>
#include <QTest>

using namespace vornix;

class LogLinesTest : public QObject {
    Q_OBJECT
  private slots:
    void rewrittenLinesKeepTheirNeighbours();
    void floodOfLinesAcrossBlocks();
};

void LogLinesTest::rewrittenLinesKeepTheirNeighbours() {
    // Lines rewritten away from the end of the buffer move; the space they leave is reclaimed.
    LogLines lines;
    QStringList expected{QString()};
    for (int i = 0; i < 200; ++i) {
        lines.append(QStringLiteral("line %1").arg(i));
        expected << QStringLiteral("line %1").arg(i);
    }
    for (int round = 0; round < 300; ++round) {
        const int i = (round * 37) % 200;
        const QString text = QStringLiteral("rewritten %1 in round %2").arg(i).arg(round);
        lines.set(i, text);
        expected[i] = text;
        lines.extend((i + 50) % 200, QStringLiteral("+"));
        expected[(i + 50) % 200] += '+';
        lines.set(199, lines.at(3));
        expected[199] = expected[3];
        if (round % 50 == 0) { // beyond Latin-1, widened where it grows
            lines.extend(i, QStringLiteral("\u017c\u00f3\u0142w"));
            expected[i] += QStringLiteral("\u017c\u00f3\u0142w");
        }
    }
    lines.remove(10, 5);
    expected.remove(10, 5);
    QStringList got;
    for (qsizetype i = 0; i < lines.size(); ++i)
        got << lines.at(i);
    QCOMPARE(got, expected);
}

void LogLinesTest::floodOfLinesAcrossBlocks() {
    // More lines than the first blocks and index chunks hold, a line longer than any block,
    // then edits in the middle and enough rewriting to reclaim space.
    LogLines lines;
    QStringList expected{QString()};
    for (int i = 0; i < 140000; ++i) {
        const QString text = QStringLiteral("%1 of the flood").arg(i);
        lines.append(text);
        expected << text;
    }
    const QString huge(3 * 1024 * 1024 + 7, QChar(0x17C));
    lines.append(huge);
    expected << huge;
    lines.extend(lines.size() - 1, u"end");
    expected.last() += QStringLiteral("end");
    lines.append(QStringLiteral("after the long line"));
    expected << QStringLiteral("after the long line");
    for (const int at : {0, 511, 512, 1024, 131071, 131072, 140001}) {
        lines.insert(at, QStringLiteral("inserted at %1").arg(at));
        expected.insert(at, QStringLiteral("inserted at %1").arg(at));
    }
    lines.remove(100, 131000);
    expected.remove(100, 131000);
    for (int i = 0; i < 2000; ++i) {
        lines.set(i % 150, QStringLiteral("rewritten %1").arg(i));
        expected[i % 150] = QStringLiteral("rewritten %1").arg(i);
    }
    QCOMPARE(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        QCOMPARE(lines.at(i), expected.at(i));
}

QTEST_APPLESS_MAIN(LogLinesTest)
#include "LogLinesTest.moc"
