// Every window the editor shows, once started in Polish and once in English: no text a user
// sees in the Polish run may be the English one, except the few the design keeps the same.
#include "app/AboutWindow.h"
#include "app/DiskImportDialog.h"
#include "app/TapeImportDialog.h"
#include "tape/ui/TapLinkerWindow.h"
#include "tape/ui/TapeConversionWindow.h"
#include "tests/app/MainWindowHarness.h"
#include "tools/ui/CartridgeWindow.h"
#include "tools/ui/CompressionWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableWidget>

#include <map>

using namespace apptest;

namespace {

// Texts the Polish interface shows in English on purpose, and why.
const QStringList kSameInBothLanguages = {
    QStringLiteral("VORN: Orvendal"),        // the window captions are the same in both languages
    QStringLiteral("start.t64 - VORN 0.11"), // (the caption is the file's name and the version)
    QStringLiteral("&WAV/TAP->T64/P00/TAP"), // the four tool items are named alike in both
    QStringLiteral("Koa&la->PRG"),
    QStringLiteral("&FLI->PRG"),
    QStringLiteral("&TAP Linker"),
    QStringLiteral("English"), // the English button's tooltip names its language in both
    QStringLiteral("OK"),      // the same word in Polish
    QStringLiteral("Vornix"),  // the program's name and version on the About window
    QStringLiteral("VORN 0.11"),
    QStringLiteral("Start"), // the same word in Polish
    QStringLiteral("           Start"),
    QStringLiteral("C64"), // machine and format names
    QStringLiteral("C128"),
    QStringLiteral("VIC20"),
    QStringLiteral("C16/+4"),
    QStringLiteral("T64"),
    QStringLiteral("P00"),
    QStringLiteral("WAV/TAP v.0->TAP v.1"),
    QStringLiteral("WAV/TAP->T64/P00"),
    QStringLiteral("V"), // a button symbol: the tape options' drop-down
};

using Texts = std::map<QString, QString>; // where a text is shown -> the text

QString pathOf(const QObject* o, const QObject* top) {
    QString path;
    for (; o && o != top; o = o->parent()) {
        QString step = o->objectName();
        if (step.isEmpty() && o->parent())
            step = QStringLiteral("%1#%2")
                       .arg(QLatin1String(o->metaObject()->className()))
                       .arg(o->parent()->children().indexOf(const_cast<QObject*>(o)));
        path.prepend(step + QLatin1Char('/'));
    }
    return path;
}

void addText(Texts& texts, const QString& where, const QString& text) {
    // Texts without a letter (numbers, "/", "---") are the same in every language.
    const bool hasLetter = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
    if (hasLetter)
        texts[where] = text;
}

void collectMenu(Texts& texts, QMenu* menu, const QString& where) {
    addText(texts, where + QStringLiteral("title"), menu->title());
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
        const QString at = where + (name.isEmpty() ? a->text() : name) + QLatin1Char('/');
        if (a->menu()) {
            collectMenu(texts, a->menu(), at);
            continue;
        }
        addText(texts, at + QStringLiteral("text"), a->text());
        // Without a tooltip of its own an item shows its text as one, "&" and "..." removed.
        const QString ownTip =
            a->toolTip() == QString(a->text()).remove(QStringLiteral("...")).remove('&').trimmed()
                ? QString()
                : a->toolTip();
        addText(texts, at + QStringLiteral("toolTip"), ownTip);
    }
}

// Every text the window shows: its title, labels, buttons, group titles, tooltips, list and
// combo entries, headers, tabs and menus. What the user typed or opened (text boxes, the
// entries of the image, the recent files) is data, not interface.
Texts collect(QWidget* window) {
    Texts texts;
    addText(texts, QStringLiteral("windowTitle"), window->windowTitle());
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(window) && w != window)
            continue;
        const QString at = pathOf(w, window);
        addText(texts, at + QStringLiteral("toolTip"), w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w))
            addText(texts, at + QStringLiteral("text"), label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            addText(texts, at + QStringLiteral("text"), button->text());
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            addText(texts, at + QStringLiteral("title"), group->title());
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                addText(texts, at + QString::number(i), combo->itemText(i));
        else if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                addText(texts, at + QStringLiteral("tab%1").arg(i), tabs->tabText(i));
        else if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i) {
                addText(texts, at + QString::number(i), list->item(i)->text());
                addText(texts, at + QStringLiteral("tip%1").arg(i), list->item(i)->toolTip());
            }
        else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            if (!tree->isHeaderHidden())
                for (int c = 0; c < tree->columnCount(); ++c)
                    addText(texts, at + QStringLiteral("header%1").arg(c), tree->headerItem()->text(c));
        } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < table->columnCount(); ++c)
                if (QTableWidgetItem* header = table->horizontalHeaderItem(c))
                    addText(texts, at + QStringLiteral("header%1").arg(c), header->text());
        } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : bar->actions())
                if (a->menu())
                    collectMenu(texts, a->menu(), at + a->menu()->objectName() + QLatin1Char('/'));
        }
    }
    return texts;
}

// One start of the editor in one language, with every window it can show shown.
std::map<QString, Texts> walk(bool english) {
    Harness h;
    if (english)
        writeFile(h.file("settings.ini"), "[M]\nEng=1\n");
    h.folder.installTool("pucrunch");
    h.folder.installTool("cartconv");
    h.folder.installTool("tape64");
    MainWindow* w = h.startWith({"ONE", "TWO"});
    AboutWindow about(h.ctx);
    CompressionWindow compression(h.ctx);
    CartridgeWindow cartridge(h.ctx);
    TapeConversionWindow tape(h.ctx);
    TapLinkerWindow linker(h.ctx);
    w->setToolWindows(&compression, &about, &cartridge, &tape, &linker);

    h.trigger(kPreviewItem); // the preview pane's title
    std::map<QString, Texts> shown;
    shown[QStringLiteral("main")] = collect(w);
    h.trigger(kAboutItem);
    shown[QStringLiteral("about")] = collect(&about);
    h.trigger(kCompressionWindowItem);
    shown[QStringLiteral("compression")] = collect(&compression);
    h.trigger(kCartridgeWindowItem);
    shown[QStringLiteral("cartridge")] = collect(&cartridge);
    h.trigger(kTapeConversionItem);
    shown[QStringLiteral("tapeConversion")] = collect(&tape);
    h.trigger(kTapLinkerItem);
    shown[QStringLiteral("tapLinker")] = collect(&linker);

    // The choice dialogs as their commands show them; the rows carry the dialogs' own marks.
    DiskImportDialog disk(w, QStringLiteral("GAMES"), {{QStringLiteral("SPLAT"), 3, {}, true, {}}});
    disk.show();
    shown[QStringLiteral("diskImport")] = collect(&disk);
    TapeImportDialog tapeChoice(w, QStringLiteral("tape.tap"), {{QStringLiteral("GAME"), 10, 0x0801, {}}});
    tapeChoice.show();
    shown[QStringLiteral("tapeImport")] = collect(&tapeChoice);

    // What was opened is data in both runs.
    for (auto& [window, texts] : shown)
        std::erase_if(texts, [&](const auto& text) { return text.second.contains(h.folder.path()); });
    if (!h.questionsDone())
        qWarning("the walk was asked: %s", qPrintable(h.dialogs.unexpected.join(QLatin1Char('\n'))));
    return shown;
}

} // namespace

class LanguageWalkTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        polish_ = walk(false);
        english_ = walk(true);
    }

    void noEnglishTextInThePolishInterface_data() {
        QTest::addColumn<QString>("window");
        for (const auto& [window, texts] : polish_)
            QTest::newRow(qPrintable(window)) << window;
    }

    void noEnglishTextInThePolishInterface() {
        QFETCH(QString, window);
        const Texts& polish = polish_[window];
        const Texts& english = english_[window];
        QVERIFY2(!polish.empty() && !english.empty(), "the window showed no text");
        QStringList untranslated;
        for (const auto& [where, text] : polish) {
            const auto other = english.find(where);
            if (other != english.end() && other->second == text && !kSameInBothLanguages.contains(text))
                untranslated << QStringLiteral("%1: \"%2\"").arg(where, text);
        }
        QVERIFY2(untranslated.isEmpty(),
                 qPrintable(QLatin1Char('\n') + untranslated.join(QLatin1Char('\n'))));
    }

  private:
    std::map<QString, Texts> polish_;
    std::map<QString, Texts> english_;
};

QTEST_MAIN(LanguageWalkTest)
#include "LanguageWalkTest.moc"
