#include "game/dialogs/CommandBar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QProxyStyle>
#include <QToolButton>
#include <vector>

#include "tests/game/dialogs/KitTestSupport.h"

namespace {

// The bar's buttons from left to right, each as its action's text ("-" when hidden).
QStringList ButtonsLeftToRight(CommandBar& bar) {
    bar.adjustSize();
    std::vector<std::pair<int, QString>> placed;
    for (QAction* action : bar.actions()) {
        QToolButton* button = bar.widgetForAction(action);
        if (!button) {
            placed.emplace_back(-1, "?" + action->text());
            continue;
        }
        placed.emplace_back(button->x(), button->isHidden() ? "-" : action->text());
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList texts;
    for (const auto& [x, text] : placed) texts << text;
    return texts;
}

TEST(CommandBarTest, EachActionHasItsButtonInTheActionsOrder) {
    KitApp();
    QWidget window;
    auto* bar = new CommandBar(nullptr, &window);
    auto* undo = bar->AddCommandButton(7, QIcon(), "Undo");
    auto* first = new QAction("First", bar);
    auto* middle = new QAction("Middle", bar);
    bar->insertAction(undo, first);
    bar->insertAction(undo, middle);
    window.show();
    EXPECT_EQ(ButtonsLeftToRight(*bar), (QStringList{"First", "Middle", ""}));
    EXPECT_EQ(bar->widgetForAction(undo)->defaultAction(), undo);

    // A hidden action hides its button; a disabled one disables it; a removed one loses it.
    middle->setVisible(false);
    undo->setEnabled(false);
    EXPECT_EQ(ButtonsLeftToRight(*bar), (QStringList{"First", "-", ""}));
    EXPECT_FALSE(bar->widgetForAction(undo)->isEnabled());
    middle->setVisible(true);
    bar->removeAction(first);
    EXPECT_EQ(bar->widgetForAction(first), nullptr);
    EXPECT_EQ(ButtonsLeftToRight(*bar), (QStringList{"Middle", ""}));
    EXPECT_EQ(bar->findChildren<QToolButton*>().size(), 2);
}

TEST(CommandBarTest, ADeletedActionTakesItsButtonAlong) {
    KitApp();
    QWidget window;
    auto* bar = new CommandBar(nullptr, &window);
    auto* first = new QAction("First", bar);
    auto* gone = new QAction("Gone", bar);
    bar->addAction(first);
    bar->addAction(gone);
    window.show();
    delete gone;
    EXPECT_EQ(bar->findChildren<QToolButton*>().size(), 1);
    // The buttons still follow the actions' order after the next one.
    bar->addAction(new QAction("Last", bar));
    bar->insertAction(first, new QAction("Front", bar));
    EXPECT_EQ(ButtonsLeftToRight(*bar), (QStringList{"Front", "First", "Last"}));
}

// A style whose tool bars use larger icons.
class LargeIconStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ToolBarIconSize) return 40;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

TEST(CommandBarTest, ButtonsFollowAChangeOfStyle) {
    KitApp();
    CommandBar bar(nullptr);
    QAction* undo = bar.AddCommandButton(7, QIcon(), "Undo");
    LargeIconStyle style;
    bar.setStyle(&style);
    EXPECT_EQ(bar.widgetForAction(undo)->iconSize(), QSize(40, 40));
    bar.setStyle(nullptr);
}

TEST(CommandBarTest, CommandButtonsSendTheirCommand) {
    KitApp();
    CommandBar bar(nullptr);
    std::vector<UINT> sent;
    bar.SetCommandHandler([&](UINT id) { sent.push_back(id); });
    bar.AddCommandButton(7, QIcon(), "Undo");
    bar.AddCommandButton(9, QIcon(), "Other");
    bar.widgetForAction(bar.actions()[1])->click();
    bar.widgetForAction(bar.actions()[0])->click();
    EXPECT_EQ(sent, (std::vector<UINT>{9, 7}));
    EXPECT_EQ(bar.widgetForAction(nullptr), nullptr);
}

}  // namespace
