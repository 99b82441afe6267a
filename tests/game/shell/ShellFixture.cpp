#include "tests/game/shell/ShellFixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "game/shell/DialogCommands.h"
#include "platform/gui/ModalRun.h"
#include "platform/gui/ShellRequests.h"
#include "tests/support/TestApp.h"

Application& App() {
    return TestApp<Application>();
}

platform::gui::DeviceScreen& Screen() {
    App();
    static auto* screen = new platform::gui::DeviceScreen(kTestScreenSize);
    return *screen;
}

void ClearQuitRequest() {
    // The application's own loop starts by forgetting an earlier quit request.
    QTimer::singleShot(0, &App(), [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

QWidget* BuiltMenuBar(const char* objectName) {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->objectName() == QLatin1String(objectName)) return widget;
    }
    return nullptr;
}

void ShellTest::SetUpTestSuite() {
    Screen().show();
}

void ShellTest::SetUp() {
    Screen().SetScreenSize(kTestScreenSize);
    TheOptions().Load();
    TheStatistics().Load();
    platform::gui::ClearMessageBoxLog();
    platform::gui::ResetShellRequests();
    platform::gui::SetMessageBoxResponder([this](const platform::gui::MessageBoxRequest&) {
        if (answers_.empty()) return IDOK;
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

void ShellTest::TearDown() {
    platform::gui::SetMessageBoxResponder({});
    platform::gui::SetModalObserver({});
}

std::vector<std::u16string> ShellTest::BoxTexts() const {
    std::vector<std::u16string> texts;
    for (const auto& request : platform::gui::MessageBoxLog()) texts.push_back(request.text);
    return texts;
}

HostedMain::HostedMain() {
    Screen().PushDialog(&dialog);
    dialog.Initialise();
}

HostedMain::~HostedMain() {
    Screen().RemoveDialog(&dialog);
}

void ClickField(CardField& field, QPoint point) {
    QTest::mouseClick(&field, Qt::LeftButton, Qt::NoModifier, point);
}

QPoint PileCentre(const GameBoard& board, int pile) {
    const Card* top = board.TopCard(pile);
    const Point at = top ? Point{top->X(), top->Y()} : board.CardPosition(pile, 0);
    const Size card = board.Layout().CardSize();
    return QPoint(at.x + card.width / 2, at.y + card.height / 2);
}
