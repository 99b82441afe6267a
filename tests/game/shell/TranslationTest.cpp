// A translation file next to the program, read by the real start-up, reaches the menus, the
// status bar, the dialog titles and the messages. The table it fills lives as long as the
// process, so this binary holds nothing that expects the English texts.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <filesystem>
#include <fstream>
#include <functional>

#include "game/dialogs/AboutDialog.h"
#include "game/dialogs/CommandBar.h"
#include "game/dialogs/DialogBuilder.h"
#include "game/dialogs/SelectGameDialog.h"
#include "game/resources/resource.h"
#include "game/settings/OptionsDialog.h"
#include "game/settings/StatisticsDialog.h"
#include "game/shell/StatusBar.h"
#include "game/view/CardImageLibrary.h"
#include "platform/PlatformConfig.h"
#include "platform/gui/ModalRun.h"
#include "tests/game/shell/ShellFixture.h"

namespace {

namespace fs = std::filesystem;

constexpr char kTranslations[] =
    "Game|Partie\n"
    "Tools|Outils\n"
    "New Game|Nouvelle partie\n"
    "Select Game|Choisir une partie\n"
    "Restart Game|Recommencer\n"
    "Undo|Annuler\n"
    "Options...|Reglages...\n"
    "Statistics...|Bilan...\n"
    "About...|A propos...\n"
    "Game number: %u|Partie no %u\n"
    "Cards left: %u|Cartes restantes : %u\n"
    "Options|Reglages\n"
    "Statistics|Bilan\n"
    "Game Number|Numero de partie\n"
    "Version %s, Build %s|Version %s, compilation %s\n"
    "Do you want to resign this game?|Abandonner cette partie ?\n"
    "Please enter an integer game number|Tapez un numero de partie entier\n"
    "Are you sure you want to delete all statistics?|Effacer tout le bilan ?\n";

// The button labels of a menu bar, and the item texts of each of its drop-down menus.
QStringList Labels(const CommandBar& bar) {
    QStringList labels;
    for (const QAction* button : bar.actions()) {
        if (button->menu()) labels << button->text();
    }
    return labels;
}

QStringList Items(const CommandBar& bar, int menu) {
    QStringList items;
    int index = 0;
    for (const QAction* button : bar.actions()) {
        if (!button->menu()) continue;
        if (index++ != menu) continue;
        for (const QAction* item : button->menu()->actions()) {
            if (!item->isSeparator()) items << item->text();
        }
    }
    return items;
}

class TranslationTest : public ShellTest {
  protected:
    static void SetUpTestSuite() {
        ShellTest::SetUpTestSuite();
        // The card faces come from the program's own folder; only the translation file is
        // looked for at the program's stand-in place below.
        ProcessCardLibrary();
    }

    // The program seems to lie in a folder of the test's own, with its translation file
    // beside it, so that no test run leaves a file next to the real binary.
    void SetUp() override {
        ShellTest::SetUp();
        const fs::path folder = temp_.Root() / "program";
        fs::create_directories(folder);
        const fs::path program = folder / platform::ModulePath().filename();
        std::ofstream file(folder / (program.filename().string() + "_en.txt"), std::ios::binary);
        file << kTranslations;
        file.close();
        platform::SetModulePath(program);
    }

    void TearDown() override {
        platform::SetModulePath({});
        ShellTest::TearDown();
    }

    // Starts the program through its start-up; `play` gets the running main window, then
    // the game ends.
    void RunProgram(const std::function<void(MainDialog&)>& play) {
        int runs = 0;
        platform::gui::SetModalObserver([&](QDialog& shown) {
            if (auto* main = dynamic_cast<MainDialog*>(&shown)) {
                ++runs;
                play(*main);
                main->OnCommand(ID_APP_EXIT);
            } else if (opened_) {
                opened_(shown);
            } else {
                ADD_FAILURE() << "a dialog opened unasked";
                shown.reject();
            }
        });
        EXPECT_TRUE(App().InitInstance());
        platform::gui::SetModalObserver({});
        EXPECT_EQ(runs, 1);
    }

    // Runs `command` in the main window and hands the dialog it opens to `act`, which must
    // end it.
    template <typename Dialog, typename Act>
    void Open(MainDialog& main, UINT command, Act act) {
        int opened = 0;
        opened_ = [&](QDialog& shown) {
            auto* dialog = dynamic_cast<Dialog*>(&shown);
            if (!dialog) {
                ADD_FAILURE() << "another dialog opened";
                shown.reject();
                return;
            }
            ++opened;
            act(*dialog);
        };
        main.OnCommand(command);
        opened_ = nullptr;
        EXPECT_EQ(opened, 1);
    }

    std::function<void(QDialog&)> opened_;
};

TEST_F(TranslationTest, MenusAndTheUndoTooltipSpeakTheTranslation) {
    RunProgram([](MainDialog& main) {
        const QStringList labels{"Partie", "Outils"};
        const QStringList tools{"Reglages...", "Bilan...", "A propos..."};

        ASSERT_NE(main.SoftKeyBar(), nullptr);
        EXPECT_EQ(Labels(*main.SoftKeyBar()), labels);
        EXPECT_EQ(Items(*main.SoftKeyBar(), 0),
                  (QStringList{"Nouvelle partie", "Choisir une partie", "Recommencer", "Annuler"}));
        EXPECT_EQ(Items(*main.SoftKeyBar(), 1), tools);

        CommandBar& classic = *main.ClassicBar();
        EXPECT_EQ(Labels(classic), labels);
        EXPECT_EQ(Items(classic, 0),
                  (QStringList{"Nouvelle partie", "Choisir une partie", "Recommencer"}));
        EXPECT_EQ(Items(classic, 1), tools);
        QAction* undo = classic.CommandAction(ID_GAME_UNDO);
        ASSERT_NE(undo, nullptr);
        EXPECT_EQ(undo->toolTip(), QStringLiteral("Annuler"));
    });
}

TEST_F(TranslationTest, StatusTextsSpeakTheTranslation) {
    RunProgram([](MainDialog& main) {
        const std::int32_t first = main.Game().GameNumber();
        EXPECT_EQ(main.Status()->Text(0), QStringLiteral("Partie no %1").arg(first));
        EXPECT_EQ(main.Status()->Text(1), QStringLiteral("Cartes restantes : 52"));
        main.Game().StartGame(-1);
        // The first move of game -1 takes every card home.
        CardField& field = *main.Field();
        ClickField(field, PileCentre(main.Game().Board(), 0));
        ClickField(field, PileCentre(main.Game().Board(), GameBoard::kFirstCell));
        ASSERT_TRUE(main.Game().Board().IsWon());
        EXPECT_EQ(main.Status()->Text(0), QStringLiteral("Partie no 0"));
        EXPECT_EQ(main.Status()->Text(1), QStringLiteral("Cartes restantes : 0"));
    });
}

TEST_F(TranslationTest, DialogTitlesAndMessagesSpeakTheTranslation) {
    RunProgram([this](MainDialog& main) {
        Open<OptionsDialog>(main, ID_TOOLS_OPTIONS, [](OptionsDialog& options) {
            EXPECT_EQ(options.Frame().title, u"Reglages");
            options.reject();
        });

        answers_ = {IDNO};
        Open<StatisticsDialog>(main, ID_TOOLS_STATISTICS, [this](StatisticsDialog& statistics) {
            EXPECT_EQ(statistics.Frame().title, u"Bilan");
            statistics.Clear();
            EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{u"Effacer tout le bilan ?"});
            statistics.reject();
        });

        Open<AboutDialog>(main, ID_TOOLS_ABOUT, [](AboutDialog& about) {
            ASSERT_NE(about.VersionControl(), nullptr);
            EXPECT_EQ(about.VersionControl()->text(),
                      QStringLiteral("Version 1.5.0, compilation 66"));
            about.reject();
        });

        platform::gui::ClearMessageBoxLog();
        answers_ = {IDYES};  // the game on the table is unfinished
        Open<SelectGameDialog>(main, ID_GAME_SELECT, [this](SelectGameDialog& select) {
            EXPECT_EQ(select.Frame().title, u"Numero de partie");
            ControlById<QLineEdit>(&select, IDC_GAME_NUMBER)->setText(QStringLiteral("douze"));
            select.accept();  // no number: the dialog says so and stays open
            select.reject();
        });
        EXPECT_EQ(BoxTexts(), (std::vector<std::u16string>{u"Abandonner cette partie ?",
                                                           u"Tapez un numero de partie entier"}));
    });
}

}  // namespace
