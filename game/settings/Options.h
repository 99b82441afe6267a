// The player's five preferences, kept in the "Options" subkey of the settings root. Each is
// stored as a REG_DWORD 1 or 0 (any non-zero number reads as on); the soft-key menu choice
// is stored inverted, as "OldCommandBar".
#pragma once

class Options {
  public:
    // All preferences start off; Load fills them.
    Options() = default;
    virtual ~Options() = default;

    // Reads the five values, storing the defaults (all on) for any that are missing.
    // Registry failures leave the defaults in place. Always true.
    bool Load();
    // Writes the five values; failed writes are ignored. Always true.
    bool Save();

    // Plain accessors: setting a preference does not save it.
    bool ShowNoDragBox() const { return showNoDragBox_; }
    void SetShowNoDragBox(bool on) { showNoDragBox_ = on; }
    bool DblClickMoves() const { return dblClickMoves_; }
    void SetDblClickMoves(bool on) { dblClickMoves_ = on; }
    bool DisplayMessages() const { return displayMessages_; }
    void SetDisplayMessages(bool on) { displayMessages_ = on; }
    bool ShowStatusBar() const { return showStatusBar_; }
    void SetShowStatusBar(bool on) { showStatusBar_ = on; }
    bool SoftKeyMenu() const { return softKeyMenu_; }
    void SetSoftKeyMenu(bool on) { softKeyMenu_ = on; }

  private:
    bool showNoDragBox_ = false;
    bool dblClickMoves_ = false;
    bool displayMessages_ = false;
    bool showStatusBar_ = false;
    bool softKeyMenu_ = false;
};

// The program's one Options record, created on first use.
Options& TheOptions();
