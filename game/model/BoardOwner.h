// Everything the game board needs from outside the model. The board's owner (the main
// window, the command-line driver, a test) supplies it.
#pragma once

#include <cstdint>

#include "game/model/CardTable.h"
#include "game/model/Geometry.h"

// String ids of the messages the board shows. The model sees no resource header; the shell,
// which sees both, holds them to the program's string ids.
enum BoardMessage : int {
    kMsgMoveNotAllowed = 1,
    kMsgWon = 57673,
    kMsgLost = 57678,
    kMsgNoDragAndDrop = 57683,
};

class BoardOwner : public TableHost {
  public:
    // Shows the string with this id, translated, in a message box with the information icon
    // and an OK button; returns the button chosen. Returns only after the player answers.
    virtual int ShowMessage(int stringId) = 0;
    // "Cards left: %u", after every move that touches a foundation.
    virtual void ShowCardsLeft(unsigned cardsLeft) = 0;
    // The move history changed; the owner refreshes its Undo button from CanUndo.
    virtual void UndoStateChanged() = 0;

    // The three input options and their save.
    virtual bool DisplayMessages() const = 0;
    virtual bool DblClickMoves() const = 0;
    virtual bool ShowNoDragBox() const = 0;
    virtual void SetShowNoDragBox(bool on) = 0;
    virtual void SaveOptions() = 0;

    // The game on the table has been won; the number is the current game number taken as
    // signed 16-bit.
    virtual void RecordWin(std::int16_t gameNumber) = 0;
    virtual std::int32_t CurrentGameNumber() const = 0;

    // The screen size now; the layout's orientation follows it.
    virtual Size ScreenSize() const = 0;
};
