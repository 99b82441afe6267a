#include "game/shell/MainGame.h"

#include "game/dialogs/FormatText.h"
#include "game/dialogs/TranslationTable.h"
#include "game/model/Deal.h"
#include "game/resources/resource.h"
#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "platform/System.h"

static_assert(kMsgMoveNotAllowed == IDS_MOVE_NOT_ALLOWED && kMsgWon == IDS_WON &&
                  kMsgLost == IDS_LOST && kMsgNoDragAndDrop == IDS_DRAG_NOTICE,
              "the board's messages are the program's strings");

namespace {

// The top bar and the menu bar take 26 pixels each (times the display scale).
constexpr int kBarsHeight = 52;
constexpr int kStatusBarHeight = 21;

std::u16string Translated(UINT id) {
    return TranslationTable::Instance().LoadTranslatedString(id);
}

unsigned NotNegative(std::int32_t value) {
    return value < 0 ? 0u : static_cast<unsigned>(value);
}

}  // namespace

MenuBarChoice ChooseMenuBar(int platformGeneration, bool softKeyMenu) {
    const bool softKeys = platformGeneration == 3 && softKeyMenu;
    return MenuBarChoice{softKeys, !softKeys};
}

MainLayout StatusBarLayout(Size client, int statusBarHeight, bool showStatusBar) {
    MainLayout layout;
    const int boardHeight = showStatusBar ? client.height - statusBarHeight : client.height;
    layout.board = Rect{0, 0, client.width, boardHeight};
    layout.statusBar = Rect{0, client.height - statusBarHeight, client.width, client.height};
    return layout;
}

std::int32_t FirstGameNumber(DWORD tickCount) {
    const std::uint32_t mixed = static_cast<std::uint32_t>(tickCount) * 2587u;
    return static_cast<std::int32_t>(mixed % MainGame::kGameNumbers) + 1;
}

MainGame::MainGame(MainGameWindow& window, Options& options, Statistics& statistics,
                   CardImageSource* images, int displayScale)
    : window_(window),
      options_(options),
      statistics_(statistics),
      displayScale_(displayScale),
      board_(*this, displayScale),
      deck_(Size{29 * displayScale, 41 * displayScale}, images),
      statusBarHeight_(kStatusBarHeight * displayScale) {
    crt::srand(GetTickCount());
}

MainGame::~MainGame() {
    // The cards belong to the deck; the board only forgets them.
    board_.ClearKeepCards();
}

void MainGame::StartGame(std::int32_t number) {
    gameNumber_ = number;
    Deal(deck_, board_, number);
    const Size screen = window_.ScreenSize();
    window_.InvalidateRect(Rect{0, 0, screen.width, screen.height}, true);
    board_.ClearHistory();
    board_.Deselect();
    statistics_.RecordDeal();
    ShowGameNumber(number);
    ShowCardsLeft(52);
    window_.ForceInputPanelDown();
}

bool MainGame::GameUnfinished() const {
    return !board_.IsWon() && board_.AnyMoveLeft();
}

bool MainGame::ResignQuestion() {
    if (!GameUnfinished()) return true;
    return window_.MessageBox(Translated(IDS_RESIGN_QUESTION), kBoxYesNo | kBoxIconQuestion) ==
           kAnswerYes;
}

std::int32_t MainGame::NewGameNumber() {
    std::int32_t number = crt::rand() % kGameNumbers + 1;
    for (int redraws = 0;
         statistics_.IsCompleted(static_cast<std::int16_t>(number)) && redraws < kMaxRedraws;
         ++redraws) {
        number = crt::rand() % kGameNumbers + 1;
    }
    return number;
}

bool MainGame::NewGame() {
    if (!ResignQuestion()) return false;
    StartGame(NewGameNumber());
    return true;
}

bool MainGame::RestartGame() {
    if (!ResignQuestion()) return false;
    StartGame(gameNumber_);
    return true;
}

std::u16string MainGame::GameNumberText(std::int32_t number) const {
    return FormatText(TranslationTable::Instance().LoadTranslatedFormat(IDS_GAME_NUMBER_STATUS),
                      NotNegative(number));
}

std::u16string MainGame::CardsLeftText(std::int32_t count) const {
    return FormatText(TranslationTable::Instance().LoadTranslatedFormat(IDS_CARDS_LEFT),
                      NotNegative(count));
}

void MainGame::ShowGameNumber(std::int32_t number) {
    window_.SetStatusText(kStatusGameNumber, GameNumberText(number));
}

void MainGame::ShowCardsLeft(unsigned cardsLeft) {
    window_.SetStatusText(kStatusCardsLeft, CardsLeftText(static_cast<std::int32_t>(cardsLeft)));
}

std::optional<Size> MainGame::CheckScreenSize() {
    const Size screen = window_.ScreenSize();
    const int width = screen.width;
    const int height = screen.height - kBarsHeight * displayScale_;
    if (width == lastWidth_ && height == lastHeight_) return std::nullopt;
    lastWidth_ = width;
    lastHeight_ = height;
    board_.Relayout();
    return Size{width, height};
}

MainLayout MainGame::ScreenChangeLayout(Size client) const {
    // Deliberately not StatusBarLayout with the option: until the options are confirmed
    // again, a hidden status bar keeps its place free.
    return StatusBarLayout(client, statusBarHeight_, true);
}

void MainGame::InvalidateRect(const Rect& rect, bool erase) {
    window_.InvalidateRect(rect, erase);
}

void MainGame::RepaintNow() {
    window_.RepaintNow();
}

int MainGame::ShowMessage(int stringId) {
    return window_.MessageBox(Translated(static_cast<UINT>(stringId)),
                              kBoxOk | kBoxIconInformation);
}

void MainGame::UndoStateChanged() {
    window_.SetUndoButtonEnabled(board_.CanUndo());
}

bool MainGame::DisplayMessages() const {
    return options_.DisplayMessages();
}

bool MainGame::DblClickMoves() const {
    return options_.DblClickMoves();
}

bool MainGame::ShowNoDragBox() const {
    return options_.ShowNoDragBox();
}

void MainGame::SetShowNoDragBox(bool on) {
    options_.SetShowNoDragBox(on);
}

void MainGame::SaveOptions() {
    options_.Save();
}

void MainGame::RecordWin(std::int16_t gameNumber) {
    statistics_.RecordWin(gameNumber);
}
