#include "game/dialogs/AboutDialog.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

#include "game/dialogs/DialogBuilder.h"
#include "game/dialogs/DialogFrame.h"
#include "game/dialogs/DialogInit.h"
#include "game/dialogs/FormatText.h"
#include "game/dialogs/HelpLaunch.h"
#include "game/dialogs/TapPassThrough.h"
#include "game/dialogs/TranslationTable.h"
#include "game/resources/ProgramResources.h"
#include "platform/Process.h"
#include "platform/gui/DeviceFont.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ModalRun.h"

namespace {

constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;  // 0x80C80080

// A centred static text control, in the platform's default control font: the controls are
// made after the frame gave the dialog its fonts and must not inherit them.
QLabel* MakeTextControl(QWidget* dialog, const std::u16string& text, int top, int bottom) {
    auto* label = new QLabel(QString::fromStdU16String(text), dialog);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    QFont font = platform::gui::AtDeviceDensity(QApplication::font(label));
    font.setResolveMask(QFont::AllPropertiesResolved);
    label->setFont(font);
    label->setGeometry(0, top, dialog->width(), bottom - top);
    label->setProperty("controlId", -1);
    label->show();
    return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : FramedDialog(parent, std::u16string_view()),
      template_{0,
                kAboutStyle,
                u"",
                u"System",
                8,
                0,
                0,
                static_cast<short>(ScaleX(132)),
                static_cast<short>(ScaleY(145)),
                {}} {
    BuildDialog(this, template_);
    frame_.applyFonts = true;
    frame_.swallowTaps = true;
    frame_.hideScrollBar = true;
    frame_.Attach(this);
    // Installed after the frame, so this filter sees every event before the frame does: the
    // dialog's own window procedure takes three messages first (see eventFilter).
    installEventFilter(this);
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::LoadIcon(int iconId) {
    if (iconId == -1) iconId = kIconProgram;
    QIcon icon;
    for (const BitmapPtr& image : ProgramIconImages(iconId)) {
        if (image) icon.addPixmap(QPixmap::fromImage(ToQImage(*image)));
    }
    const int side = ScaleX(32);
    icon_ = QPixmap();
    if (icon.isNull()) return;
    // One device pixel per pixel: the sizes here are the screen's own pixels.
    icon_ = icon.pixmap(QSize(side, side), 1.0);
    if (icon_.size() != QSize(side, side)) {
        icon_ = icon_.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
}

void AboutDialog::InitDialog() {
    CenterDialog(*this);
    const TranslationTable& table = TranslationTable::Instance();
    const std::u16string versionLine =
        FormatText(table.TranslateFormat(kVersionFormat), version_, build_);
    const std::u16string notice = table.TranslateText(kMakerNotice);

    // Tops are scaled across, bottoms down, as the layout has always been measured.
    nameControl_ = MakeTextControl(this, name_, ScaleX(45), ScaleY(72));
    versionControl_ = MakeTextControl(this, versionLine, ScaleX(72), ScaleY(101));
    noticeControl_ = MakeTextControl(this, notice, ScaleX(101), ScaleY(142));
    iconControl_ = new QLabel(this);
    iconControl_->setProperty("controlId", -1);
    iconControl_->setGeometry(width() / 2 - ScaleX(16), ScaleX(162), ScaleX(32), ScaleY(32));
    iconControl_->setPixmap(icon_);
    iconControl_->show();

    setWindowTitle(QString::fromStdU16String(name_));
    for (QLabel* control : {nameControl_, versionControl_, noticeControl_, iconControl_}) {
        PassTapsToControl(control);
    }
    Layout();
}

void AboutDialog::Layout() {
    if (!nameControl_) return;
    const QRect client = rect();
    int y = client.top() + ScaleY(30);
    for (QLabel* control : {nameControl_, versionControl_, noticeControl_}) {
        const int height = control->height();
        control->setGeometry(client.left(), y, client.width(), height);
        y += height;
    }
    const QSize iconSize = iconControl_->size();
    iconControl_->move(client.left() + (client.width() - iconSize.width()) / 2, y);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this) {
        if (event->type() == platform::gui::SettingChangeEvent::EventType() &&
            static_cast<platform::gui::SettingChangeEvent*>(event)->Flag() ==
                platform::gui::SETTINGCHANGE_RESET) {
            Layout();
            return false;  // the frame and the dialog still see it
        }
        if (event->type() == platform::gui::HelpRequestEvent::EventType()) {
            const std::u16string commandLine = u"file:" + helpTopic_;
            CreateProcessW(u"PegHelp.exe", commandLine.c_str(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, nullptr, nullptr);
            event->accept();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // The default handling of a tap on the background; the frame never sees it.
            QDialog::mousePressEvent(static_cast<QMouseEvent*>(event));
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int ShowAboutDialog(std::u16string_view name, std::u16string_view version,
                    std::u16string_view build, std::u16string_view helpTopic, QWidget* parent,
                    int iconId) {
    AboutDialog dialog(parent);
    dialog.SetName(name);
    dialog.SetHelpTopic(helpTopic);
    dialog.SetVersion(version);
    dialog.SetBuild(build);
    dialog.LoadIcon(iconId);
    return platform::gui::RunModal(dialog);
}
