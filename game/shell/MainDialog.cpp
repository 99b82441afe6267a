#include "game/shell/MainDialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QPixmap>
#include <QToolButton>

#include "game/dialogs/CommandBar.h"
#include "game/dialogs/DialogBuilder.h"
#include "game/dialogs/HelpLaunch.h"
#include "game/dialogs/TapPassThrough.h"
#include "game/dialogs/TranslateWidgets.h"
#include "game/dialogs/TranslationTable.h"
#include "game/resources/ProgramResources.h"
#include "game/resources/resource.h"
#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "game/shell/DialogCommands.h"
#include "game/shell/OwnerWindow.h"
#include "game/shell/PlatformGeneration.h"
#include "game/shell/StatusBar.h"
#include "game/view/CardImageLibrary.h"
#include "platform/Modules.h"
#include "platform/PlatformConfig.h"
#include "platform/System.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/ModalRun.h"
#include "platform/gui/ShellRequests.h"

static_assert(kBoxOk == MB_OK && kBoxYesNo == MB_YESNO);
static_assert(kBoxIconQuestion == MB_ICONQUESTION && kBoxIconInformation == MB_ICONINFORMATION);
static_assert(kAnswerYes == IDYES);

namespace {

// The framework's standard toolbar id, which the classic menu bar carries.
constexpr int kClassicBarId = 0xE800;
constexpr int kStatusBarId = 1;
constexpr int kGameNumberPartWidth = 125;

// Filled on the first initialisation in the process and kept until exit.
std::vector<int>& StatusPartEdges() {
    static std::vector<int> edges;
    return edges;
}

// The classic menu bar's tooltips: two empty ones (the menu buttons), then "Undo".
std::vector<std::u16string>& ToolTipTexts() {
    static std::vector<std::u16string> texts;
    return texts;
}

// Swallows tooltip requests: an empty tooltip would otherwise show the button's label.
class NoToolTip : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Adds the buttons of toolbar resource `id` to the bar: 16-bit words version, button width,
// button height, button count, then one command id per button; the images are the slices of
// the bitmap with the same id, shown as the handheld shows them (its grey is the button face).
void AddToolbar(CommandBar& bar, int id) {
    const std::span<const BYTE> bytes = ProgramResource(RT_TOOLBAR, static_cast<DWORD>(id));
    const std::size_t words = bytes.size() / 2;
    auto word = [&](std::size_t i) {
        return static_cast<int>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    };
    if (words < 4) return;
    const int width = word(1);
    const int height = word(2);
    const BitmapPtr strip = LoadProgramBitmap(id);
    const QImage image = strip ? ToQImage(*strip) : QImage();
    for (std::size_t i = 0; i < static_cast<std::size_t>(word(3)) && 4 + i < words; ++i) {
        QIcon icon;
        if (!image.isNull()) {
            icon = QIcon(
                QPixmap::fromImage(image.copy(static_cast<int>(i) * width, 0, width, height)));
        }
        bar.AddCommandButton(static_cast<UINT>(word(4 + i)), icon, QString());
    }
}

}  // namespace

MainDialog::MainDialog(QWidget* owner) : FramedDialog(owner, kHelpMainContents), owner_(owner) {
    game_ = std::make_unique<MainGame>(*this, TheOptions(), TheStatistics(), &ProcessCardLibrary(),
                                       ::DisplayScale());
    BuildDialog(this, IDD_MAIN,
                [this](const ControlTemplate& control, QWidget* parent) -> QWidget* {
                    if (control.id != IDC_CARDFIELD) return nullptr;
                    field_ = new CardField(parent);
                    field_->SetTable(&game_->Board());
                    field_->SetInput(this);
                    return field_;
                });
    setWindowIcon(ProgramIcon());

    // The main window's frame: shared fonts, input-panel control, menu command states and
    // swallowed taps on the background; no title strip.
    frame_.applyFonts = true;
    frame_.inputPanelControl = true;
    frame_.menuCommandStates = true;
    frame_.swallowTaps = true;
    frame_.Attach(this, this);
}

MainDialog::~MainDialog() {
    if (OwnerWindow::MainDialogPointer() == this) OwnerWindow::SetMainDialog(nullptr);
    if (field_) {
        field_->SetTable(nullptr);
        field_->SetInput(nullptr);
    }
}

void MainDialog::Initialise() {
    frame_.Initialise();
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    // Escape would end the dialog, and with it the game, at a stray key press; on the desktop
    // the game ends by closing its window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::InitDialog() {
    TranslateDialog(this);
    setWindowIcon(ProgramIcon());

    statusBar_ = new StatusBar(this);
    statusBar_->setProperty("controlId", kStatusBarId);
    statusBar_->hide();
    game_->SetStatusBarHeight(statusBar_->height());
    const int scale = game_->DisplayScale();
    if (StatusPartEdges().empty()) StatusPartEdges() = {kGameNumberPartWidth * scale, -1};
    statusBar_->SetParts(StatusPartEdges());
    PassTapsToControl(statusBar_);

    if (owner_) platform::gui::EnableWindow(owner_, TRUE);
    SHSipPreference(this, SIP_FORCEDOWN);
    SHDoneButton(this, SHDB_HIDE);

    GameBoard& board = game_->Board();
    board.SetEmptyPlaceImage(
        LoadProgramBitmap(IsHighResolution() ? kBitmapEmptyPlaceLarge : kBitmapEmptyPlace));
    board.SetBackgroundColour(CardTable::kTableColour);
    if (field_) {
        const QSize client = size();
        PlaceBoard(Rect{0, 0, client.width(), client.height() - game_->StatusBarHeight()});
        field_->show();
    }

    ChooseMenuBar();

    LayOutStatusBar();
    game_->StartGame(FirstGameNumber(GetTickCount()));
    OwnerWindow::SetMainDialog(this);
}

CommandBar* MainDialog::ClassicBar() {
    if (classicBar_) return classicBar_;
    classicBar_ = CreateMenuBar(IDR_MENU_CLASSIC);
    classicBar_->setObjectName(QStringLiteral("ClassicMenuBar"));
    classicBar_->setProperty("controlId", kClassicBarId);
    AddToolbar(*classicBar_,
               game_->DisplayScale() == 2 ? kBitmapUndoButtonLarge : kBitmapUndoButton);
    classicBar_->hide();
    classicBar_->EnableCommand(ID_GAME_UNDO, undoEnabled_);

    if (ToolTipTexts().empty()) {
        ToolTipTexts() = {u"", u"", TranslationTable::Instance().LoadTranslatedString(IDS_UNDO)};
    }
    // The tooltips go to the bar's buttons in order: the two menu buttons, then Undo.
    const QList<QAction*> actions = classicBar_->actions();
    for (qsizetype i = 0; i < actions.size() && i < qsizetype(ToolTipTexts().size()); ++i) {
        const QString tip = ToQString(ToolTipTexts()[static_cast<std::size_t>(i)]);
        actions[i]->setToolTip(tip);
        QWidget* button = classicBar_->widgetForAction(actions[i]);
        if (tip.isEmpty() && button) button->installEventFilter(new NoToolTip(button));
    }
    return classicBar_;
}

CommandBar* MainDialog::SoftKeyBar() {
    if (softKeyBar_ || PlatformGeneration() != 3) return softKeyBar_;
    softKeyBar_ = CreateMenuBar(IDR_MENU_SOFTKEY);
    softKeyBar_->setObjectName(QStringLiteral("SoftKeyMenuBar"));
    softKeyBar_->hide();
    return softKeyBar_;
}

CommandBar* MainDialog::CreateMenuBar(int menuId) {
    auto* bar = new CommandBar(this, this);
    bar->SetCommandHandler([this](UINT id) { OnCommand(id); });
    BuildMenuBar(bar, menuId);
    if (auto* screen = platform::gui::DeviceScreen::Instance()) screen->AttachMenuBar(this, bar);
    return bar;
}

void MainDialog::PlaceBoard(const Rect& rect) {
    if (!field_) return;
    field_->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    field_->repaint();
}

void MainDialog::LayOutStatusBar() {
    const QSize client = size();
    const MainLayout layout =
        StatusBarLayout({client.width(), client.height()}, statusBar_ ? statusBar_->height() : 0,
                        TheOptions().ShowStatusBar());
    if (statusBar_) {
        statusBar_->setGeometry(layout.statusBar.left, layout.statusBar.top,
                                layout.statusBar.Width(), layout.statusBar.Height());
        statusBar_->setVisible(TheOptions().ShowStatusBar());
    }
    PlaceBoard(layout.board);
}

void MainDialog::ChooseMenuBar() {
    const MenuBarChoice choice = ::ChooseMenuBar(PlatformGeneration(), TheOptions().SoftKeyMenu());
    // A bar not built yet is hidden already.
    if (CommandBar* bar = choice.softKeys ? SoftKeyBar() : softKeyBar_) {
        bar->setVisible(choice.softKeys);
    }
    if (CommandBar* bar = choice.classic ? ClassicBar() : classicBar_) {
        bar->setVisible(choice.classic);
    }
}

void MainDialog::CheckScreenSize() {
    const std::optional<Size> client = game_->CheckScreenSize();
    if (!client) return;
    resize(client->width, client->height);
    const MainLayout layout = game_->ScreenChangeLayout(*client);
    if (field_) {
        field_->setGeometry(layout.board.left, layout.board.top, layout.board.Width(),
                            layout.board.Height());
    }
    if (statusBar_) {
        statusBar_->setGeometry(layout.statusBar.left, layout.statusBar.top,
                                layout.statusBar.Width(), layout.statusBar.Height());
    }
    update();
    repaint();
    if (field_) field_->repaint();
}

// The commands the main dialog handles, each once: its message map.
const MainDialog::CommandEntry MainDialog::kCommands[] = {
    {ID_GAME_NEW, [](MainDialog& d) { d.game_->NewGame(); }},
    {ID_GAME_SELECT, [](MainDialog& d) { d.OnSelectGame(); }},
    {ID_GAME_RESTART, [](MainDialog& d) { d.game_->RestartGame(); }},
    {ID_GAME_UNDO, [](MainDialog& d) { d.game_->Undo(); }},
    {ID_TOOLS_OPTIONS, [](MainDialog& d) { d.OnOptions(); }},
    {ID_TOOLS_STATISTICS, [](MainDialog& d) { d.OnStatistics(); }},
    {ID_TOOLS_ABOUT, [](MainDialog& d) { d.OnAbout(); }},
    {ID_APP_EXIT, [](MainDialog& d) { d.done(QDialog::Rejected); }},
};

const MainDialog::CommandEntry* MainDialog::FindCommand(UINT id) {
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

void MainDialog::OnCommand(UINT id) {
    if (const CommandEntry* entry = FindCommand(id)) entry->run(*this);
}

bool MainDialog::HasCommandHandler(UINT id) const {
    return FindCommand(id) != nullptr;
}

bool MainDialog::UpdateCommandUi(UINT id, QAction*) {
    // Undo's update handler leaves the menu item as it is: it is never greyed.
    return id == ID_GAME_UNDO;
}

void MainDialog::OnSelectGame() {
    game_->SelectGame([this]() { return RunSelectGame(this); });
}

void MainDialog::OnOptions() {
    if (!RunOptions(this, TheOptions())) return;
    TheOptions().Save();
    LayOutStatusBar();
    ChooseMenuBar();
}

void MainDialog::OnStatistics() {
    RunStatistics(this, game_->GameUnfinished());
}

void MainDialog::OnAbout() {
    RunAbout(this);
}

// --- MainGameWindow ---

void MainDialog::InvalidateRect(const Rect& rect, bool erase) {
    if (field_) field_->InvalidateRect(rect, erase);
}

void MainDialog::RepaintNow() {
    if (field_) field_->RepaintNow();
}

int MainDialog::MessageBox(std::u16string_view text, UINT type) {
    return platform::gui::MessageBoxW(this, text, kDisplayName, type);
}

void MainDialog::SetStatusText(int part, std::u16string_view text) {
    if (!statusBar_) return;
    statusBar_->SetText(part, ToQString(text));
    statusBar_->repaint();
}

void MainDialog::SetUndoButtonEnabled(bool enabled) {
    undoEnabled_ = enabled;
    if (classicBar_) classicBar_->EnableCommand(ID_GAME_UNDO, enabled);
}

void MainDialog::ForceInputPanelDown() {
    SHSipPreference(this, SIP_FORCEDOWN);
}

Size MainDialog::ScreenSize() const {
    return Size{platform::ScreenWidth(), platform::ScreenHeight()};
}

// --- CardFieldInput ---

void MainDialog::StylusDown(int x, int y) {
    game_->Board().OnStylusDown(x, y);
}

void MainDialog::StylusUp(int x, int y) {
    game_->Board().OnStylusUp(x, y);
}

void MainDialog::DoubleTap(int x, int y) {
    game_->Board().OnDoubleTap(x, y);
}
