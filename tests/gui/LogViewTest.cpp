#include "gui/LogView.h"
#include "gui/Language.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace vornix;

// A window whose class has a language of its own.
class SomeToolWindow : public QWidget {
    Q_OBJECT
};

class LogViewTest : public QObject {
    Q_OBJECT
  private slots:
    void linesAndJoins();
    void manyLinesKeepOrder();
    void followsTheEndUnlessScrolledAway();
    void editing();
    void mouseAndKeyboardSelectionCopies();
    void contextMenuSpeaksItsWindowsLanguage_data();
    void contextMenuSpeaksItsWindowsLanguage();
};

namespace {
void join(LogView& log, const QString& text) {
    log.replaceLastLine(log.lastLine() + QStringLiteral("..") + text);
}

// A point inside the given row of the view, at the left edge or far to the right of the text.
QPoint rowPoint(LogView& view, int row, bool right) {
    const int h = view.fontMetrics().lineSpacing();
    return QPoint(right ? view.viewport()->width() - 4 : 1, 3 + row * h + h / 2);
}
} // namespace

void LogViewTest::linesAndJoins() {
    struct Step {
        char op; // a: append, j: join to the last line, c: clear, s: set text, e: extend the last line,
                 // t: cut the last line to the length given, r: remove the last line
        QString text;
    };
    struct Case {
        const char* name;
        QList<Step> steps;
        QString expected;
    };
    const QList<Case> cases = {
        {"appends", {{'a', "one"}, {'a', ""}, {'a', "three"}}, "one\n\nthree"},
        {"empty line then more on an empty log", {{'a', ""}, {'a', "x"}}, "x"},
        {"join on an empty log", {{'j', "x"}}, "..x"},
        {"join twice", {{'a', "long line"}, {'j', "1"}, {'j', "2"}}, "long line..1..2"},
        {"join to an empty last line",
         {{'a', "first"}, {'a', "second"}, {'a', ""}, {'j', ""}},
         "first\nsecond\n.."},
        {"join then append", {{'a', "a line"}, {'j', "5%"}, {'a', "next one"}}, "a line..5%\nnext one"},
        {"clear drops lines", {{'a', "gone"}, {'c', {}}, {'a', "kept"}}, "kept"},
        {"join to a typed W", {{'s', "W"}, {'j', "ok"}}, "W..ok"},
        {"set text keeps empty lines", {{'s', "a\r\n\nb\n"}, {'a', "c"}}, "a\n\nb\n\nc"},
        {"extend, cut and remove the last line",
         {{'a', "one"}, {'a', "two"}, {'e', "-more"}, {'t', "5"}, {'a', "three"}, {'r', {}}, {'e', "!"}},
         "one\ntwo-m!"},
        {"removing the only line empties it", {{'a', "x"}, {'r', {}}, {'a', "y"}}, "y"},
        {"extend a line that moved", {{'s', "a\nb"}, {'a', "c"}, {'r', {}}, {'r', {}}, {'e', "2"}}, "a2"},
    };
    for (const auto& c : cases) {
        LogView log;
        for (const auto& step : c.steps) {
            switch (step.op) {
            case 'a': log.appendLine(step.text); break;
            case 'j': join(log, step.text); break;
            case 'c': log.clear(); break;
            case 's': log.setPlainText(step.text); break;
            case 'e': log.extendLastLine(step.text); break;
            case 't': log.truncateLastLine(step.text.toInt()); break;
            case 'r': log.removeLastLine(); break;
            }
        }
        QVERIFY2(log.toPlainText() == c.expected, c.name);
    }
}

void LogViewTest::manyLinesKeepOrder() {
    LogView log;
    log.appendLine("start");
    join(log, "1%");
    QStringList expected{"start..1%"};
    for (int i = 0; i < 9000; ++i) {
        log.appendLine(QStringLiteral("line %1").arg(i));
        expected << QStringLiteral("line %1").arg(i);
    }
    join(log, "end");
    expected.last() += "..end";
    QCOMPARE(log.toPlainText(), expected.join('\n'));
    QCOMPARE(log.lineCount(), expected.size());
}

void LogViewTest::followsTheEndUnlessScrolledAway() {
    LogView view;
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QScrollBar* bar = view.verticalScrollBar();
    for (int i = 0; i < 10000; ++i)
        view.appendLine(QString::number(i));
    QTRY_VERIFY(bar->maximum() > 9900);
    QCOMPARE(bar->value(), bar->maximum());

    bar->setValue(100); // the user reads something further up
    QVERIFY(!view.isFollowingEnd());
    const int before = bar->maximum();
    for (int i = 0; i < 100; ++i)
        view.appendLine(QStringLiteral("more"));
    QTRY_COMPARE(bar->maximum(), before + 100);
    QCOMPARE(bar->value(), 100);

    bar->setValue(bar->maximum()); // back at the end: new lines scroll again
    view.appendLine(QStringLiteral("last"));
    QTRY_COMPARE(bar->maximum(), before + 101);
    QCOMPARE(bar->value(), bar->maximum());

    // A long line brings the horizontal bar; clearing takes it away again.
    view.appendLine(QString(500, QLatin1Char('x')));
    QTRY_VERIFY(view.horizontalScrollBar()->maximum() > 0);
    view.clear();
    QTRY_COMPARE(view.horizontalScrollBar()->maximum(), 0);
    QCOMPARE(bar->maximum(), 0);
}

void LogViewTest::editing() {
    struct Case {
        const char* name;
        QString text;
        LogView::Pos anchor, caret;
        QList<QPair<int, Qt::KeyboardModifiers>> keys; // 0 stands for typing "X"
        QString expected;
        bool readOnly = false;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const QList<Case> cases = {
        {"type into an empty log", "", {}, {}, {{0, none}}, "X"},
        {"backspace", "abc", {0, 3}, {0, 3}, {{Qt::Key_Backspace, none}}, "ab"},
        {"backspace joins lines", "ab\ncd", {1, 0}, {1, 0}, {{Qt::Key_Backspace, none}}, "abcd"},
        {"delete joins lines", "ab\ncd", {0, 2}, {0, 2}, {{Qt::Key_Delete, none}}, "abcd"},
        {"backspace at the start does nothing", "ab", {}, {}, {{Qt::Key_Backspace, none}}, "ab"},
        {"typing replaces a selection over lines", "ab\ncd\nef", {0, 1}, {2, 1}, {{0, none}}, "aXf"},
        {"enter splits a line", "ab", {0, 1}, {0, 1}, {{Qt::Key_Return, none}, {0, none}}, "a\nXb"},
        {"shift+left selects",
         "abcd",
         {0, 4},
         {0, 4},
         {{Qt::Key_Left, Qt::ShiftModifier}, {Qt::Key_Left, Qt::ShiftModifier}, {0, none}},
         "abX"},
        {"home then type", "abc", {0, 2}, {0, 2}, {{Qt::Key_Home, none}, {0, none}}, "Xabc"},
        {"ctrl+end", "ab\ncd", {}, {}, {{Qt::Key_End, Qt::ControlModifier}, {0, none}}, "ab\ncdX"},
        {"right wraps to the next line",
         "ab\ncd",
         {0, 2},
         {0, 2},
         {{Qt::Key_Right, none}, {0, none}},
         "ab\nXcd"},
        {"up and down keep the column",
         "abcdef\nab\nabcdef",
         {0, 5},
         {0, 5},
         {{Qt::Key_Down, none}, {Qt::Key_Down, none}, {0, none}},
         "abcdef\nab\nabcdeXf"},
        {"read-only ignores typing",
         "ab",
         {0, 2},
         {0, 2},
         {{0, none}, {Qt::Key_Backspace, none}, {Qt::Key_Return, none}},
         "ab",
         true},
    };
    for (const auto& c : cases) {
        LogView view;
        view.setReadOnly(c.readOnly);
        view.setPlainText(c.text);
        view.select(c.anchor, c.caret);
        for (const auto& [key, mods] : c.keys) {
            if (key == 0)
                QTest::keyClicks(&view, "X");
            else
                QTest::keyClick(&view, static_cast<Qt::Key>(key), mods);
        }
        QVERIFY2(view.toPlainText() == c.expected,
                 qPrintable(QString::fromUtf8(c.name) + ": " + view.toPlainText()));
    }

    // Pasting several lines into the middle of one, in place of the selection.
    LogView view;
    view.setPlainText("a--b");
    view.select({0, 1}, {0, 3});
    QGuiApplication::clipboard()->setText("1\r\n2");
    QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(view.toPlainText(), QStringLiteral("a1\n2b"));
    QCOMPARE(view.caretPosition(), (LogView::Pos{1, 1}));
}

void LogViewTest::mouseAndKeyboardSelectionCopies() {
    LogView view;
    view.setReadOnly(true);
    view.resize(300, 200);
    view.setPlainText("first\nsecond\nthird");
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QWidget* port = view.viewport();

    QGuiApplication::clipboard()->setText("untouched");
    QTest::mouseClick(port, Qt::LeftButton, {}, rowPoint(view, 0, false));
    QVERIFY(!view.hasSelection());
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier); // nothing selected: clipboard kept
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));

    QTest::mouseClick(port, Qt::LeftButton, Qt::ShiftModifier, rowPoint(view, 1, true));
    QCOMPARE(view.selectedText(), QStringLiteral("first\nsecond"));

    // Dragging from the end of the last line up to the start of the second.
    QTest::mousePress(port, Qt::LeftButton, {}, rowPoint(view, 2, true));
    QTest::mouseMove(port, rowPoint(view, 1, false));
    QTest::mouseRelease(port, Qt::LeftButton, {}, rowPoint(view, 1, false));
    QCOMPARE(view.selectedText(), QStringLiteral("second\nthird"));
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("second\nthird"));

    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier); // the caret end moves, the anchor stays
    QCOMPARE(view.selectedText(), QStringLiteral("econd\nthird"));
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
    QVERIFY(!view.hasSelection());

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(view.selectedText(), view.toPlainText());
}

void LogViewTest::contextMenuSpeaksItsWindowsLanguage_data() {
    QTest::addColumn<gui::Language>("language");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("English") << gui::Language::English << QStringList{"&Copy", "&Paste", "", "Select &all"};
    QTest::newRow("Polish") << gui::Language::Polish
                            << QStringList{"&Kopiuj", "&Wklej", "", "Zaznacz &wszystko"};
}

void LogViewTest::contextMenuSpeaksItsWindowsLanguage() {
    QFETCH(gui::Language, language);
    QFETCH(QStringList, items);
    SomeToolWindow window;
    gui::setContextLanguage(SomeToolWindow::staticMetaObject.className(), language);
    auto* view = new LogView(&window);
    window.show();
    QStringList shown;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (const QAction* action : menu->actions())
                shown << action->text();
            menu->close();
        }
    });
    reader.start(10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            view->viewport()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(view->viewport(), &event);
    QCOMPARE(shown, items);
}

QTEST_MAIN(LogViewTest)
#include "LogViewTest.moc"
