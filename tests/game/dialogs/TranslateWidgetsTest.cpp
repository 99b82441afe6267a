#include "game/dialogs/TranslateWidgets.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "game/dialogs/CommandBar.h"
#include "game/dialogs/DialogBuilder.h"
#include "game/dialogs/DialogFrame.h"
#include "game/dialogs/TranslationTable.h"
#include "game/resources/resource.h"
#include "platform/gui/ShellRequests.h"
#include "tests/game/dialogs/KitTestSupport.h"

namespace {

// The translation file of these tests, loaded once into the process-wide table.
const char kTranslations[] =
    "Korvel Tessamo|Korvel Tessamo (T)\n"
    "Show status bar|Statusleiste zeigen\n"
    "Won:|Gewonnen:\n"
    "Clear|Leeren\n"
    "List1|Liste 1\n"
    "select a game number from 1 to 32000|lower case\n"
    "Alpha|Alpha (T)\n"
    "Gamma|Gamma (T)\n"
    "Game|&Spiel\n"
    "Tools|\n"
    "New Game|&Neues Spiel\tStrg+N\n"
    "Options...|Einstellungen...\n"
    "Inner|Innen\n"
    "Deep|&Tief\tX\n"
    "untouched|\n";

void LoadTranslations() {
    static bool loaded = false;
    if (loaded) return;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("tessamo_en.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kTranslations);
    file.close();
    ASSERT_TRUE(TranslationTable::Instance().Load(path.toStdU16String()));
    loaded = true;
}

class TranslateWidgetsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        KitApp();
        SetScreenDensity(96, 96);
        LoadTranslations();
    }
};

QStringList ItemTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

TEST_F(TranslateWidgetsTest, DialogCaptionAndDirectControlsAreTranslated) {
    SHInitExtraControls();
    QDialog statistics;
    BuildDialog(&statistics, IDD_STATISTICS);
    TranslateDialog(&statistics);
    EXPECT_EQ(statistics.windowTitle(), "Korvel Tessamo (T)");
    EXPECT_EQ(ControlById<QPushButton>(&statistics, IDC_CLEAR)->text(), "Leeren");
    EXPECT_EQ(ControlById<QLabel>(&statistics, IDC_STATIC)->text(), "Gewonnen:");
    EXPECT_EQ(ControlById<QLabel>(&statistics, IDC_WON)->text(), "Static");
    EXPECT_EQ(ControlById(&statistics, IDC_COMPLETED_LIST)->windowTitle(), "Liste 1");

    QDialog options;
    BuildDialog(&options, IDD_OPTIONS);
    TranslateDialog(&options);
    EXPECT_EQ(ControlById<QCheckBox>(&options, IDC_SHOW_STATUSBAR)->text(), "Statusleiste zeigen");
    EXPECT_EQ(ControlById<QCheckBox>(&options, IDC_DISPLAY_MESSAGES)->text(),
              "Display messages on illegal moves");

    // The table matches case-sensitively: a lower-case source changes nothing.
    QDialog select;
    BuildDialog(&select, IDD_SELECT_GAME);
    TranslateDialog(&select);
    EXPECT_EQ(ControlById<QLabel>(&select, IDC_STATIC)->text(),
              "Select a game number from 1 to 32000");
    platform::gui::ResetShellRequests();
}

TEST_F(TranslateWidgetsTest, GrandchildrenAndEmptyTranslationsStayAsTheyAre) {
    QDialog dialog;
    dialog.setWindowTitle("untouched");
    auto* group = new QWidget(&dialog);
    auto* inner = new QLabel("Won:", group);
    auto* edit = new QLineEdit("Clear", &dialog);
    auto* tools = new QLabel("Tools", &dialog);
    TranslateDialog(&dialog);
    EXPECT_EQ(dialog.windowTitle(), "untouched");
    EXPECT_EQ(inner->text(), "Won:");
    EXPECT_EQ(edit->text(), "Leeren");
    EXPECT_EQ(tools->text(), "Tools");
    TranslateDialog(nullptr);
}

TEST_F(TranslateWidgetsTest, ComboItemsAreReplacedInPlace) {
    QDialog dialog;
    auto* combo = new QComboBox(&dialog);
    combo->addItem("Alpha", 1);
    combo->addItem("Beta", 2);
    combo->addItem("Gamma", 3);
    combo->setCurrentIndex(2);
    TranslateDialog(&dialog);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), "Alpha (T)");
    EXPECT_EQ(combo->itemText(1), "Beta");
    EXPECT_EQ(combo->itemText(2), "Gamma (T)");
    // A replaced item loses its data; the others keep theirs.
    EXPECT_FALSE(combo->itemData(0).isValid());
    EXPECT_EQ(combo->itemData(1).toInt(), 2);
    EXPECT_EQ(combo->currentIndex(), 2);
}

TEST_F(TranslateWidgetsTest, MenusAreTranslatedRecursively) {
    QMenu menu;
    menu.addAction("Options...");
    menu.addSeparator();
    QMenu* game = menu.addMenu("Game");
    game->addAction("New Game");
    game->addMenu("Inner")->addAction("Deep");
    TranslateMenu(&menu);
    EXPECT_EQ(ItemTexts(&menu), (QStringList{"Einstellungen...", "-", "&Spiel"}));
    EXPECT_EQ(ItemTexts(game), (QStringList{"&Neues Spiel\tStrg+N", "Innen"}));
    EXPECT_EQ(ItemTexts(game->actions()[1]->menu()), QStringList{"&Tief\tX"});
    TranslateMenu(nullptr);
}

TEST_F(TranslateWidgetsTest, ProgramMenusHoldTheirCommands) {
    QMenu* classic = LoadMenu(IDR_MENU_CLASSIC);
    QMenu* softKey = LoadMenu(IDR_MENU_SOFTKEY);
    ASSERT_NE(classic, nullptr);
    ASSERT_NE(softKey, nullptr);
    auto ids = [](const QMenu* m) {
        std::vector<UINT> out;
        for (const QAction* a : m->actions()) out.push_back(ActionCommandId(a));
        return out;
    };
    EXPECT_EQ(ItemTexts(classic), (QStringList{"Game", "Tools"}));
    EXPECT_EQ(ids(classic->actions()[0]->menu()),
              (std::vector<UINT>{ID_GAME_NEW, ID_GAME_SELECT, ID_GAME_RESTART}));
    EXPECT_EQ(ids(softKey->actions()[0]->menu()),
              (std::vector<UINT>{ID_GAME_NEW, ID_GAME_SELECT, ID_GAME_RESTART, ID_GAME_UNDO}));
    for (QMenu* m : {classic, softKey}) {
        EXPECT_EQ(ItemTexts(m->actions()[1]->menu()),
                  (QStringList{"Options...", "Statistics...", "-", "About..."}));
        EXPECT_EQ(ids(m->actions()[1]->menu()),
                  (std::vector<UINT>{ID_TOOLS_OPTIONS, ID_TOOLS_STATISTICS, 0, ID_TOOLS_ABOUT}));
    }
    delete classic;
    delete softKey;
    EXPECT_EQ(LoadMenu(187), nullptr);
}

TEST_F(TranslateWidgetsTest, MenuBarButtonsAndDropDownsLoseAmpersandsAndTabHints) {
    QDialog owner;
    CommandBar bar(&owner);
    std::vector<UINT> commands;
    bar.SetCommandHandler([&](UINT id) { commands.push_back(id); });
    QMenu* menu = BuildMenuBar(&bar, IDR_MENU_SOFTKEY);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(bar.Menu(), menu);
    ASSERT_EQ(bar.ButtonCount(), 2);
    const QList<QAction*> buttons = bar.actions();
    EXPECT_EQ(buttons[0]->text(), "Spiel");
    EXPECT_EQ(buttons[1]->text(), "Tools");
    EXPECT_EQ(ActionCommandId(buttons[0]), 0xF000u);
    EXPECT_EQ(ActionCommandId(buttons[1]), 0xF001u);
    EXPECT_EQ(buttons[0]->menu(), menu->actions()[0]->menu());
    auto* button = qobject_cast<QToolButton*>(bar.widgetForAction(buttons[0]));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);

    QMenu* game = buttons[0]->menu();
    EXPECT_EQ(ItemTexts(game), (QStringList{"Neues Spiel", "Select Game", "Restart Game", "Undo"}));
    EXPECT_EQ(ItemTexts(buttons[1]->menu()),
              (QStringList{"Einstellungen...", "Statistics...", "-", "About..."}));

    game->actions()[3]->trigger();
    EXPECT_EQ(commands, std::vector<UINT>{ID_GAME_UNDO});

    // A second menu built into the same bar does not replace the bar's menu.
    EXPECT_NE(BuildMenuBar(&bar, IDR_MENU_CLASSIC), nullptr);
    EXPECT_EQ(bar.Menu(), menu);
    EXPECT_EQ(bar.ButtonCount(), 4);
    EXPECT_EQ(BuildMenuBar(&bar, 999), nullptr);
    EXPECT_EQ(BuildMenuBar(nullptr, IDR_MENU_CLASSIC), nullptr);
}

using Kind = MenuItemResource::Kind;
const MenuItemResource kDeepItems[] = {{Kind::String, u"&Deep\tX", 7, {}}};
const MenuItemResource kFileItems[] = {
    {Kind::String, u"&Open\tCtrl+O", 5, {}},
    {Kind::Separator, u"", 0, {}},
    {Kind::Popup, u"&Sub\tY", 0, kDeepItems},
};
const MenuItemResource kViewItems[] = {{Kind::String, u"Zoom", 6, {}}};
const MenuItemResource kTop[] = {
    {Kind::Popup, u"&File", 0, kFileItems},
    {Kind::Popup, u"&View", 0, kViewItems},
    {Kind::String, u"Loose", 8, {}},
    {Kind::Popup, u"After", 0, kViewItems},
};
const MenuResource kResource{500, kTop};

TEST_F(TranslateWidgetsTest, MenuBarStopsAtTheFirstPlainItemAndInsertsInOrder) {
    CommandBar bar(nullptr);
    bar.AddCommandButton(ID_GAME_UNDO, QIcon(), "Undo");
    ASSERT_EQ(bar.ButtonCount(), 1);
    // Inserting at the front keeps the menu's order.
    BuildMenuBar(&bar, kResource, 0);
    const QList<QAction*> buttons = bar.actions();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(buttons[0]->text(), "File");
    EXPECT_EQ(buttons[1]->text(), "View");
    EXPECT_EQ(ActionCommandId(buttons[2]), static_cast<UINT>(ID_GAME_UNDO));

    QMenu* file = buttons[0]->menu();
    EXPECT_EQ(ItemTexts(file), (QStringList{"Open", "-", "Sub"}));
    // The sub-menu's own sub-menu is not cleaned.
    EXPECT_EQ(ItemTexts(file->actions()[2]->menu()), QStringList{"&Deep\tX"});

    // A position equal to the button count appends.
    BuildMenuBar(&bar, kResource, 3);
    EXPECT_EQ(bar.actions()[3]->text(), "File");
    EXPECT_EQ(bar.actions()[4]->text(), "View");
}

// A label longer than the bar's 254 characters is cut there, but never between the two
// halves of a character outside the basic plane.
const std::u16string kLongCard = std::u16string(253, u'x') + u"\U0001F0A1" + u"tail";
const std::u16string kLongPlain = std::u16string(260, u'y');
const MenuItemResource kLongTop[] = {
    {Kind::Popup, kLongCard.c_str(), 0, kViewItems},
    {Kind::Popup, kLongPlain.c_str(), 0, kViewItems},
};
const MenuResource kLongResource{501, kLongTop};

TEST_F(TranslateWidgetsTest, LongMenuBarLabelsAreCutBetweenWholeCharacters) {
    CommandBar bar(nullptr);
    BuildMenuBar(&bar, kLongResource, CommandBar::kAppend);
    const QList<QAction*> buttons = bar.actions();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0]->text(), QString(253, QLatin1Char('x')));
    EXPECT_EQ(buttons[1]->text(), QString(254, QLatin1Char('y')));
}

// Command 5 is handled; 6 has no handler at all.
class FileCommands : public CommandTarget {
  public:
    bool HasCommandHandler(UINT id) const override { return id == 5; }
    bool UpdateCommandUi(UINT, QAction*) override { return false; }
};

TEST_F(TranslateWidgetsTest, DropDownsAskTheOwnersFrameForCommandStates) {
    QDialog owner;
    FileCommands commands;
    DialogFrame frame;
    frame.menuCommandStates = true;
    frame.Attach(&owner, &commands);
    CommandBar bar(&owner);
    BuildMenuBar(&bar, kResource);
    QMenu* file = bar.actions()[0]->menu();
    QMenu* view = bar.actions()[1]->menu();
    emit file->aboutToShow();
    emit view->aboutToShow();
    EXPECT_TRUE(file->actions()[0]->isEnabled());
    EXPECT_FALSE(view->actions()[0]->isEnabled());

    // The enabled command reaches the bar's handler, a sub-menu's command too.
    std::vector<UINT> sent;
    bar.SetCommandHandler([&](UINT id) { sent.push_back(id); });
    file->actions()[0]->trigger();
    EXPECT_EQ(sent, std::vector<UINT>{5});
    bar.EnableCommand(0xF001, false);
    EXPECT_FALSE(bar.CommandAction(0xF001)->isEnabled());
    EXPECT_EQ(bar.CommandAction(1234), nullptr);
}

TEST_F(TranslateWidgetsTest, DropDownsOpenAboveTheirButton) {
    // The bar lies at the bottom of the screen: its menus must open upwards.
    QWidget window;
    window.resize(300, 400);
    auto* bar = new CommandBar(nullptr, &window);
    bar->setGeometry(0, 360, 300, 40);
    BuildMenuBar(bar, kResource, 0xFFFF);
    window.show();
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(bar->actions()[0]));
    ASSERT_NE(button, nullptr);
    QMenu* menu = bar->actions()[0]->menu();
    QRect shown;
    QTimer::singleShot(0, menu, [&] {
        shown = menu->geometry();
        menu->close();
    });
    button->showMenu();
    ASSERT_TRUE(shown.isValid());
    EXPECT_LE(shown.bottom(), button->mapToGlobal(QPoint(0, 0)).y());
    EXPECT_EQ(shown.left(), button->mapToGlobal(QPoint(0, 0)).x());
}

}  // namespace
