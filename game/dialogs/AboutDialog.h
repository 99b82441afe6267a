// The About dialog: the program's name, version and build, the maker's notice and the program
// icon, centred one below the other. It has no dialog resource: an in-memory template gives
// its size, and its controls are made at initialisation and laid out again after every
// screen change. The main window's About command calls ShowAboutDialog.
#pragma once

#include <QPixmap>
#include <string>
#include <string_view>

#include "game/dialogs/FramedDialog.h"
#include "game/resources/DialogTemplates.h"

class QLabel;

// The maker's notice (two lines), before translation.
inline constexpr char16_t kMakerNotice[] = u"Copyright (C) 2003-2026\nKorvel Labs";
// The version line's format, before translation; a translation must keep both "%s" in order.
inline constexpr char16_t kVersionFormat[] = u"Version %s, Build %s";

class AboutDialog : public FramedDialog {
  public:
    // Builds the dialog from its in-memory template (no controls yet). Set the texts and the
    // icon before the run.
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    // Name: first line and caption, never translated. Version and build: the numbers as
    // texts ("1.5.0", "66"). Help topic: help file and anchor ("VevivoZozoruv.htm#Main_Contents").
    void SetName(std::u16string_view name) { name_ = name; }
    void SetVersion(std::u16string_view version) { version_ = version; }
    void SetBuild(std::u16string_view build) { build_ = build; }
    void SetHelpTopic(std::u16string_view topic) { helpTopic_ = topic; }
    // Loads icon group `iconId` of the program's resources (-1 means 128) at
    // ScaleX(32) x ScaleX(32) pixels. A missing icon leaves the icon control empty.
    void LoadIcon(int iconId);

    const std::u16string& Name() const { return name_; }
    const std::u16string& HelpTopic() const { return helpTopic_; }
    // The controls, null before initialisation.
    QLabel* NameControl() const { return nameControl_; }
    QLabel* VersionControl() const { return versionControl_; }
    QLabel* NoticeControl() const { return noticeControl_; }
    QLabel* IconControl() const { return iconControl_; }

    // Puts the three texts one below the other from ScaleY(30) below the top, each across the
    // whole client width at its own height, and centres the icon below them.
    void Layout();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void InitDialog() override;

    std::u16string name_;
    std::u16string helpTopic_;
    std::u16string version_;
    std::u16string build_;
    QLabel* nameControl_ = nullptr;
    QLabel* versionControl_ = nullptr;
    QLabel* noticeControl_ = nullptr;
    QLabel* iconControl_ = nullptr;
    QPixmap icon_;
    DialogTemplate template_;
};

// The About command's one call: makes the dialog with `parent`, sets name, version, build and
// help topic, loads icon `iconId` (-1 means 128), runs it with platform::gui::RunModal and
// returns the result (IDOK or IDCANCEL). The dialog is gone when this returns.
int ShowAboutDialog(std::u16string_view name, std::u16string_view version,
                    std::u16string_view build, std::u16string_view helpTopic, QWidget* parent,
                    int iconId = 128);
