// The Statistics dialog (template 188): games won and lost with their percentages, the
// numbers of the games won, and a Clear button that resets the whole record. The main
// window's Statistics command runs it with platform::gui::RunModal and tells it whether the
// game on the table is unfinished (neither won nor stuck), so that game is not yet counted
// as lost. The dialog reads TheStatistics() when it opens and changes it only through Clear.
#pragma once

#include <string>
#include <vector>

#include "game/dialogs/FramedDialog.h"
#include "platform/Types.h"

class QListWidget;
class QPushButton;

// The won and lost texts, each "%d (%d%%)".
struct ResultTexts {
    std::u16string won;
    std::u16string lost;
};

// The texts for `won` games won of `played` played. Lost = played - won (0 when won exceeds
// played). The won percentage is won / played rounded half up; the lost percentage is always
// 100 minus it, so the two add up to 100. Nothing played and nothing won: both 0 (0%).
// A record that is not consistent (won above played, played 0 included, which only an edited
// registry can give) shows the won games as 100% and 0 lost as 0%: no division by zero and
// no percentage outside 0..100. Counts above 2^31 - 1 show as negative numbers, as "%d" does.
ResultTexts FormatResults(DWORD won, DWORD played);

// The games counted as played: Games, less the game on the table when it is unfinished.
// Never below 0 (an unfinished game with Games 0 counts as 0 played).
DWORD PlayedGames(DWORD games, bool unfinished);

// The list's item texts: the completed list's entries without its first and last (the
// sentinels), each formatted with "%u" from the entry as a 32-bit number, so -1 reads
// 4294967295. A list of fewer than three entries gives none.
std::vector<std::u16string> CompletedItemTexts(const std::vector<std::int16_t>& completed);

class StatisticsDialog : public FramedDialog {
  public:
    // `unfinished`: the game on the table is neither won nor stuck. Builds the controls of
    // template 188.
    explicit StatisticsDialog(bool unfinished, QWidget* parent = nullptr);
    ~StatisticsDialog() override;

    bool Unfinished() const { return unfinished_; }
    // The texts shown in controls 1006 and 1007.
    const std::u16string& WonText() const { return wonText_; }
    const std::u16string& LostText() const { return lostText_; }
    QListWidget* CompletedList() const { return list_; }
    QPushButton* ClearButton() const;

    // The Clear command (1005): asks message 57677 (Yes/No); on Yes sets Won 0, Games 1 when
    // a game is unfinished (else 0), empties the completed list, saves, and shows the
    // cleared record with Clear disabled. Any other answer changes nothing.
    void Clear();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void InitDialog() override;
    void FormatResults(DWORD won, DWORD played);
    void ExchangeData();  // texts into controls 1006 and 1007
    void FillCompletedList();
    void UpdateClearButton();

    bool unfinished_;
    std::u16string wonText_;
    std::u16string lostText_;
    QListWidget* list_ = nullptr;
};
