#include "game/settings/StatisticsDialog.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <cmath>

#include "game/dialogs/DialogBuilder.h"
#include "game/dialogs/DialogInit.h"
#include "game/dialogs/FormatText.h"
#include "game/dialogs/HelpLaunch.h"
#include "game/dialogs/TapPassThrough.h"
#include "game/dialogs/TranslationTable.h"
#include "game/resources/resource.h"
#include "game/settings/Statistics.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/MessageBox.h"

namespace {

constexpr char16_t kResultFormat[] = u"%d (%d%%)";

// "%d" shows a count as the 32-bit signed number that the handheld's printf would.
std::u16string ResultText(DWORD count, int percent) {
    return FormatText(kResultFormat, static_cast<int>(count), percent);
}

}  // namespace

ResultTexts FormatResults(DWORD won, DWORD played) {
    const DWORD lost = played < won ? 0 : played - won;
    if (won == 0 && played == 0) return {ResultText(0, 0), ResultText(lost, 0)};
    int percent = 100;
    // Won above played (played 0 included) comes only from an edited record: the ratio is
    // undefined or above 1, so the games won are shown as all of them.
    if (won <= played) {
        percent = static_cast<int>(std::floor(static_cast<double>(won) / played * 100.0 + 0.5));
    }
    return {ResultText(won, percent), ResultText(lost, 100 - percent)};
}

DWORD PlayedGames(DWORD games, bool unfinished) {
    return unfinished && games > 0 ? games - 1 : games;
}

std::vector<std::u16string> CompletedItemTexts(const std::vector<std::int16_t>& completed) {
    std::vector<std::u16string> texts;
    for (std::size_t i = 1; i + 1 < completed.size(); ++i) {
        texts.push_back(FormatText(u"%u", static_cast<unsigned>(static_cast<int>(completed[i]))));
    }
    return texts;
}

StatisticsDialog::StatisticsDialog(bool unfinished, QWidget* parent)
    : FramedDialog(parent, kHelpPlay), unfinished_(unfinished) {
    BuildDialog(this, IDD_STATISTICS);
    list_ = ControlById<QListWidget>(this, IDC_COMPLETED_LIST);
    if (list_) {
        // The list view's gesture notifications are answered "handled" and go no further:
        // a tap-and-hold on it opens nothing (see eventFilter).
        list_->installEventFilter(this);
        list_->viewport()->installEventFilter(this);
    }
    if (QPushButton* clear = ClearButton()) {
        connect(clear, &QPushButton::clicked, this, [this] { Clear(); });
    }
    frame_.SetTitledPage(true);
    frame_.Attach(this);
}

StatisticsDialog::~StatisticsDialog() = default;

QPushButton* StatisticsDialog::ClearButton() const {
    return ControlById<QPushButton>(this, IDC_CLEAR);
}

void StatisticsDialog::FormatResults(DWORD won, DWORD played) {
    ResultTexts texts = ::FormatResults(won, played);
    wonText_ = std::move(texts.won);
    lostText_ = std::move(texts.lost);
}

void StatisticsDialog::ExchangeData() {
    if (auto* won = ControlById<QLabel>(this, IDC_WON)) {
        won->setText(QString::fromStdU16String(wonText_));
    }
    if (auto* lost = ControlById<QLabel>(this, IDC_LOST)) {
        lost->setText(QString::fromStdU16String(lostText_));
    }
}

void StatisticsDialog::FillCompletedList() {
    if (!list_) return;
    list_->clear();
    for (const std::u16string& text : CompletedItemTexts(TheStatistics().Completed())) {
        list_->addItem(QString::fromStdU16String(text));
    }
}

void StatisticsDialog::UpdateClearButton() {
    if (QPushButton* clear = ClearButton()) clear->setEnabled(list_ && list_->count() > 0);
}

void StatisticsDialog::InitDialog() {
    const Statistics& statistics = TheStatistics();
    FormatResults(statistics.Won(), PlayedGames(statistics.Games(), unfinished_));
    ExchangeData();
    PassTapsToControl(list_);
    EnableOwnerWindow(*this);
    CenterDialog(*this);
    FillCompletedList();
    UpdateClearButton();
    TranslateAndSetTitle(*this, frame_, IDS_STATISTICS_TITLE);
}

void StatisticsDialog::Clear() {
    const int answer = platform::gui::MessageBoxW(
        this, TranslationTable::Instance().LoadTranslatedString(IDS_CLEAR_STATISTICS_QUESTION),
        kMessageCaption, MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) return;

    Statistics& statistics = TheStatistics();
    statistics.SetWon(0);
    // The game on the table stays counted as dealt.
    statistics.SetGames(unfinished_ ? 1 : 0);
    statistics.ResetCompleted();
    statistics.Save();

    FormatResults(0, 0);
    ExchangeData();
    FillCompletedList();
    if (QPushButton* clear = ClearButton()) clear->setEnabled(false);
}

bool StatisticsDialog::eventFilter(QObject* watched, QEvent* event) {
    // The handheld's list view asks its dialog about a tap-and-hold (gesture notifications
    // -16 and -50); the dialog answers "handled", so no context menu follows. Here the
    // tap-and-hold and right-click arrive as a context menu request or a gesture event.
    if (list_ && (watched == list_ || watched == list_->viewport()) &&
        (event->type() == QEvent::ContextMenu || event->type() == QEvent::Gesture)) {
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
