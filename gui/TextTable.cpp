#include "gui/TextTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>

namespace vornix::gui {

namespace {

template <typename T> T* named(QObject* root, const QString& name) {
    if (root->objectName() == name)
        if (auto* self = qobject_cast<T*>(root))
            return self;
    return root->findChild<T*>(name);
}

} // namespace

void applyTexts(QObject* root, const std::vector<TextRow>& rows, bool english) {
    for (const TextRow& row : rows) {
        const QString text = QString::fromUtf8(english ? row.english : row.polish);
        const QString name = QString::fromLatin1(row.control);
        switch (row.role) {
        case TextRole::Menu:
            if (auto* m = named<QMenu>(root, name))
                m->setTitle(text);
            break;
        case TextRole::Action:
            if (auto* a = named<QAction>(root, name))
                a->setText(text);
            break;
        case TextRole::Label:
            if (auto* l = named<QLabel>(root, name))
                l->setText(text);
            break;
        case TextRole::Button:
            if (auto* b = named<QAbstractButton>(root, name))
                b->setText(text);
            break;
        case TextRole::Group:
            if (auto* g = named<QGroupBox>(root, name))
                g->setTitle(text);
            break;
        case TextRole::Header:
            if (auto* t = named<QTreeWidget>(root, name))
                t->headerItem()->setText(row.column, text);
            break;
        case TextRole::ToolTip:
            if (auto* w = named<QWidget>(root, name))
                w->setToolTip(text);
            break;
        case TextRole::PromptText:
        case TextRole::PromptCaption: break;
        }
    }
}

QString textOf(const std::vector<TextRow>& rows, TextRole role, bool english) {
    for (const TextRow& row : rows)
        if (row.role == role)
            return QString::fromUtf8(english ? row.english : row.polish);
    return {};
}

} // namespace vornix::gui
