#include "game/dialogs/TranslateWidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>
#include <optional>

#include "game/dialogs/CommandBar.h"
#include "game/dialogs/DialogFrame.h"
#include "game/dialogs/TranslationTable.h"

namespace {

// The platform reads window and menu texts into 4096-character buffers and menu-bar labels
// into 255 characters, terminators included; longer texts are looked up as cut there.
constexpr qsizetype kTextBuffer = 4096;
constexpr qsizetype kLabelBuffer = 255;
constexpr int kFirstMenuButtonId = 0xF000;

// The first `count` UTF-16 units of `text`, one fewer where the last would be the first half
// of a surrogate pair: a cut label never ends in half a character.
QString LeftWhole(const QString& text, qsizetype count) {
    if (text.size() > count && count > 0 && text[count - 1].isHighSurrogate()) --count;
    return text.left(count);
}

std::optional<QString> Translation(const QString& text) {
    const std::u16string found =
        TranslationTable::Instance().Lookup(text.left(kTextBuffer - 1).toStdU16String());
    if (found.empty()) return std::nullopt;
    return QString::fromStdU16String(found);
}

void TranslateComboItems(QComboBox* combo) {
    const int current = combo->currentIndex();
    for (int i = 0; i < combo->count(); ++i) {
        if (auto translated = Translation(combo->itemText(i))) {
            combo->removeItem(i);
            combo->insertItem(i, *translated);
        }
    }
    if (current >= 0 && current < combo->count()) combo->setCurrentIndex(current);
}

void TranslateControl(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (auto t = Translation(label->text())) label->setText(*t);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        if (auto t = Translation(button->text())) button->setText(*t);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (auto t = Translation(edit->text())) edit->setText(*t);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->isEditable()) {
            if (auto t = Translation(combo->currentText())) combo->setEditText(*t);
        }
        TranslateComboItems(combo);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        if (auto t = Translation(group->title())) group->setTitle(*t);
    } else if (auto t = Translation(control->windowTitle())) {
        control->setWindowTitle(*t);
    }
}

QString WithoutAmpersands(QString text) {
    return text.remove(QLatin1Char('&'));
}

void BuildItems(QMenu* menu, std::span<const MenuItemResource> items) {
    for (const MenuItemResource& item : items) {
        const QString text = QString::fromUtf16(item.text ? item.text : u"");
        switch (item.kind) {
            case MenuItemResource::Kind::Separator:
                menu->addSeparator();
                break;
            case MenuItemResource::Kind::String:
                menu->addAction(text)->setData(item.id);
                break;
            case MenuItemResource::Kind::Popup: {
                auto* sub = new QMenu(text, menu);
                BuildItems(sub, item.items);
                menu->addMenu(sub);
                break;
            }
        }
    }
}

}  // namespace

void TranslateDialog(QWidget* window) {
    if (!window) return;
    if (auto t = Translation(window->windowTitle())) window->setWindowTitle(*t);
    for (QObject* child : window->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        // Only the window's own controls: popups and dialogs it parents are windows of their own.
        if (control && !control->isWindow()) TranslateControl(control);
    }
}

void TranslateMenu(QMenu* menu) {
    if (!menu) return;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        if (auto t = Translation(action->text())) action->setText(*t);
        if (QMenu* sub = action->menu()) TranslateMenu(sub);
    }
}

QMenu* LoadMenu(const MenuResource& resource, QWidget* parent) {
    auto* menu = new QMenu(parent);
    BuildItems(menu, resource.items);
    return menu;
}

QMenu* LoadMenu(int menuId, QWidget* parent) {
    const MenuResource* resource = FindMenuResource(menuId);
    return resource ? LoadMenu(*resource, parent) : nullptr;
}

QMenu* BuildMenuBar(CommandBar* bar, int menuId, int position) {
    const MenuResource* resource = FindMenuResource(menuId);
    if (!bar || !resource) return nullptr;
    return BuildMenuBar(bar, *resource, position);
}

QMenu* BuildMenuBar(CommandBar* bar, const MenuResource& resource, int position) {
    if (!bar) return nullptr;
    if (position == bar->ButtonCount()) position = CommandBar::kAppend;
    QMenu* menu = LoadMenu(resource, bar);
    TranslateMenu(menu);

    const QList<QAction*> top = menu->actions();
    for (qsizetype i = 0; i < top.size() && top[i]->menu(); ++i) {
        QMenu* sub = top[i]->menu();
        const QString label = WithoutAmpersands(LeftWhole(top[i]->text(), kLabelBuffer - 1));
        bar->InsertMenuButton(position, kFirstMenuButtonId + static_cast<UINT>(i), label, sub);
        // Accelerator hints after a tab have no place on a handheld's drop-down menus.
        for (QAction* item : sub->actions()) {
            if (item->isSeparator()) continue;
            QString text = WithoutAmpersands(LeftWhole(item->text(), kTextBuffer - 1));
            const qsizetype tab = text.indexOf(QLatin1Char('\t'));
            if (tab >= 0) text.truncate(tab);
            item->setText(text);
        }
        if (bar->Owner()) TrackPopupMenus(bar->Owner(), sub);
        if (position != CommandBar::kAppend) ++position;
    }
    if (!bar->Menu()) bar->SetMenu(menu);
    return menu;
}
