#include "tests/support/WindowTexts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>

namespace vornix::test {

const QStringList kSameInBothLanguages = {
    // The main window's captions are the same in both languages: a name and the version.
    QStringLiteral("VORN: Orvendal"), QStringLiteral("start.t64 - VORN 0.11"), QStringLiteral("Vornix"),
    QStringLiteral("VORN 0.11"),
    // The four tool items are named alike in both.
    QStringLiteral("&WAV/TAP->T64/P00/TAP"), QStringLiteral("Koa&la->PRG..."), QStringLiteral("&FLI->PRG..."),
    QStringLiteral("&TAP Linker"),
    // The English button's tool tip names its language in both.
    QStringLiteral("English"),
    // The same words in Polish.
    QStringLiteral("OK"), QStringLiteral("Start"), QStringLiteral("           Start"),
    // Names of machines and formats, and button symbols.
    QStringLiteral("C64"), QStringLiteral("C128"), QStringLiteral("VIC20"), QStringLiteral("C16/+4"),
    QStringLiteral("T64"), QStringLiteral("P00"), QStringLiteral("WAV/TAP v.0->TAP v.1"),
    QStringLiteral("WAV/TAP->T64/P00"), QStringLiteral("V"),
    // Seconds are written "s" in Polish as well.
    QStringLiteral("1s"), QStringLiteral("2s"), QStringLiteral("4s"), QStringLiteral("5s"),
    QStringLiteral("10s"), QStringLiteral("20s"), QStringLiteral("40s")};

namespace {

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

void add(WindowTexts& texts, const QString& where, const QString& text) {
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
        texts[where] = text;
}

void addMenu(WindowTexts& texts, QMenu* menu, const QString& where) {
    add(texts, where + QStringLiteral("title"), menu->title());
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
        const QString at = where + (name.isEmpty() ? a->text() : name) + QLatin1Char('/');
        if (a->menu()) {
            addMenu(texts, a->menu(), at);
            continue;
        }
        add(texts, at + QStringLiteral("text"), a->text());
        // Without a tool tip of its own an item shows its text as one, "&" and "..." removed.
        const QString plain = QString(a->text()).remove(QStringLiteral("...")).remove('&').trimmed();
        add(texts, at + QStringLiteral("toolTip"), a->toolTip() == plain ? QString() : a->toolTip());
    }
}

} // namespace

WindowTexts windowTexts(QWidget* window, Shown shown) {
    WindowTexts texts;
    add(texts, QStringLiteral("windowTitle"), window->windowTitle());
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (shown == Shown::VisibleOnly && w != window && !w->isVisibleTo(window))
            continue;
        const QString at = pathOf(w, window);
        add(texts, at + QStringLiteral("toolTip"), w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w))
            add(texts, at + QStringLiteral("text"), label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            add(texts, at + QStringLiteral("text"), button->text());
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            add(texts, at + QStringLiteral("title"), group->title());
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                add(texts, at + QString::number(i), combo->itemText(i));
        else if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                add(texts, at + QStringLiteral("tab%1").arg(i), tabs->tabText(i));
        else if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i) {
                add(texts, at + QString::number(i), list->item(i)->text());
                add(texts, at + QStringLiteral("tip%1").arg(i), list->item(i)->toolTip());
            }
        else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            if (!tree->isHeaderHidden())
                for (int c = 0; c < tree->columnCount(); ++c)
                    add(texts, at + QStringLiteral("header%1").arg(c), tree->headerItem()->text(c));
        } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < table->columnCount(); ++c)
                if (QTableWidgetItem* header = table->horizontalHeaderItem(c))
                    add(texts, at + QStringLiteral("header%1").arg(c), header->text());
        } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : bar->actions())
                if (a->menu())
                    addMenu(texts, a->menu(), at + a->menu()->objectName() + QLatin1Char('/'));
        }
    }
    // Hidden too: every action, also those of pop-up menus no menu bar shows.
    if (shown == Shown::AlsoHidden)
        for (QAction* a : window->findChildren<QAction*>())
            add(texts, pathOf(a, window) + QStringLiteral("action"), a->text());
    return texts;
}

QStringList leftInEnglish(const WindowTexts& polish, const WindowTexts& english) {
    QStringList left;
    for (const auto& [where, text] : polish) {
        const auto other = english.find(where);
        if (other != english.end() && other->second == text && !kSameInBothLanguages.contains(text))
            left << QStringLiteral("%1: \"%2\"").arg(where, text);
    }
    return left;
}

} // namespace vornix::test
