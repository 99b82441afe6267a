#include "game/dialogs/DialogBuilder.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <climits>

#include "game/dialogs/DialogFrame.h"
#include "platform/WideString.h"
#include "platform/gui/ShellRequests.h"

namespace {

constexpr DWORD BS_CHECKBOX = 0x00000002;
constexpr DWORD BS_RADIOBUTTON = 0x00000004;
constexpr DWORD BS_AUTORADIOBUTTON = 0x00000009;
constexpr DWORD SS_TYPEMASK = 0x0000001F;

// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    long long product = static_cast<long long>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    if (product < 0) product = -product;
    const long long divisor = c < 0 ? -static_cast<long long>(c) : c;
    long long result = (product + divisor / 2) / divisor;
    if (negative) result = -result;
    if (result > INT_MAX || result < INT_MIN) return -1;
    return static_cast<int>(result);
}

bool IsClass(const ControlTemplate& control, const char16_t* name) {
    return control.className && WideCompareNoCase(control.className, name) == 0;
}

QWidget* MakeButton(const ControlTemplate& control, const QString& text, QWidget* parent) {
    const DWORD type = control.style & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) return new CheckBox(text, parent);
    if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) return new QRadioButton(text, parent);
    auto* button = new QPushButton(text, parent);
    // Only the default push button answers Enter.
    button->setAutoDefault(type == BS_DEFPUSHBUTTON);
    button->setDefault(type == BS_DEFPUSHBUTTON);
    return button;
}

QWidget* MakeControl(const ControlTemplate& control, QWidget* parent,
                     const ControlFactory& factory) {
    const QString text = QString::fromUtf16(control.text ? control.text : u"");
    if (IsClass(control, kClassStatic)) {
        const DWORD type = control.style & SS_TYPEMASK;
        auto* label = new QLabel(type == SS_ICON ? QString() : text, parent);
        label->setAlignment((type == SS_CENTER ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        label->setWordWrap(type != SS_ICON);
        return label;
    }
    if (IsClass(control, kClassEdit)) {
        auto* edit = new QLineEdit(text, parent);
        edit->setFrame((control.style & WS_BORDER) != 0);
        return edit;
    }
    if (IsClass(control, kClassButton)) return MakeButton(control, text, parent);
    if (IsClass(control, kClassListView)) {
        auto* list = new QListWidget(parent);
        list->setViewMode(QListView::ListMode);
        list->setFlow(QListView::TopToBottom);
        list->setWrapping(true);
        list->setSelectionMode((control.style & LVS_SINGLESEL)
                                   ? QAbstractItemView::SingleSelection
                                   : QAbstractItemView::ExtendedSelection);
        list->setFrameShape((control.style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
        list->setWindowTitle(text);
        return list;
    }
    if (IsClass(control, kClassTabControl)) {
        auto* tabs = new QTabWidget(parent);
        tabs->setWindowTitle(text);
        return tabs;
    }
    if (IsClass(control, kClassSipPref)) return platform::gui::CreateSipPrefControl(parent);
    if (IsClass(control, kClassCardField) && factory) {
        if (QWidget* made = factory(control, parent)) return made;
    }
    auto* plain = new QWidget(parent);
    plain->setWindowTitle(text);
    return plain;
}

}  // namespace

CheckBox::CheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

QRect CheckBox::IndicatorRect(const QStyleOptionButton& option) const {
    // The style's indicator has a fixed size; on a dense screen it grows with the text so
    // that it stays in proportion and easy to tap.
    QRect box = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    const int side = std::max(box.width(), fontMetrics().ascent());
    box.setSize(QSize(side, side));
    box.moveTop(option.rect.top() + std::max(0, (option.rect.height() - side) / 2));
    return box;
}

int CheckBox::TextLeft(const QStyleOptionButton& option) const {
    return IndicatorRect(option).right() + 1 +
           style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
}

QSize CheckBox::sizeHint() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int textLeft = TextLeft(option);
    const QSize single = QCheckBox::sizeHint();
    const int singleWidth = textLeft + fontMetrics().size(Qt::TextShowMnemonic, text()).width() + 2;
    const int textWidth = std::max(1, (width() > textLeft ? width() : singleWidth) - textLeft);
    const QRect bounds = fontMetrics().boundingRect(
        QRect(0, 0, textWidth, INT_MAX / 2), Qt::TextWordWrap | Qt::TextShowMnemonic, text());
    const int side = IndicatorRect(option).height();
    return QSize(std::max(single.width(), singleWidth),
                 std::max({single.height(), side, bounds.height()}));
}

QSize CheckBox::minimumSizeHint() const {
    return QSize(0, QCheckBox::minimumSizeHint().height());
}

void CheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString label = option.text;
    option.text.clear();
    option.rect = rect();
    QStyleOptionButton indicator = option;
    indicator.rect = IndicatorRect(option);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);
    QRect textRect = rect();
    textRect.setLeft(TextLeft(option));
    style()->drawItemText(
        &painter, textRect,
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
        isEnabled(), label, QPalette::WindowText);
}

bool CheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void FitStaticTexts(QWidget* dialog) {
    if (!dialog) return;
    const QList<QWidget*> controls = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QLabel* label : dialog->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->text().isEmpty() || !(label->alignment() & Qt::AlignLeft)) continue;
        const QFontMetrics metrics(label->font());
        if (label->height() > metrics.height() * 3 / 2) continue;  // a label of several lines
        const int needed = metrics.horizontalAdvance(label->text()) + 2;
        if (needed <= label->width()) continue;
        // Only into free space: up to the first control to the right on the same line, which
        // would otherwise be drawn over. A control that already overlapped the label in the
        // template (a frame around it, say) is no boundary.
        const QRect own = label->geometry();
        int limit = dialog->width();
        for (const QWidget* other : controls) {
            if (other == label || other->isHidden()) continue;
            const QRect r = other->geometry();
            if (r.left() > own.right() && r.top() <= own.bottom() && r.bottom() >= own.top()) {
                limit = std::min(limit, r.left());
            }
        }
        const int width = std::min(needed, limit - own.left());
        if (width <= label->width()) continue;  // no free space: the template width, clipped
        if (width == needed) label->setWordWrap(false);
        label->resize(width, label->height());
    }
}

QFont TemplateFont(const DialogTemplate& dialog) {
    QFont font(QString::fromUtf16(dialog.fontFace ? dialog.fontFace : u"System"));
    font.setStyleHint(QFont::SansSerif);
    // The point size at the screen's density, rounded as the platform does.
    font.setPixelSize(std::max(1, MulDiv(dialog.fontPointSize, ScreenDensityY(), 72)));
    return font;
}

QSize DialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize(std::max(1, (width / 26 + 1) / 2), std::max(1, metrics.height()));
}

QRect MapDialogRect(const QRect& units, const QSize& baseUnits) {
    return QRect(MulDiv(units.x(), baseUnits.width(), 4), MulDiv(units.y(), baseUnits.height(), 8),
                 MulDiv(units.width(), baseUnits.width(), 4),
                 MulDiv(units.height(), baseUnits.height(), 8));
}

void BuildDialog(QWidget* dialog, const DialogTemplate& tmpl, const ControlFactory& factory) {
    if (!dialog) return;
    const QFont font = TemplateFont(tmpl);
    const QSize base = DialogBaseUnits(font);
    dialog->setWindowTitle(QString::fromUtf16(tmpl.caption ? tmpl.caption : u""));
    dialog->resize(MapDialogRect(QRect(tmpl.x, tmpl.y, tmpl.cx, tmpl.cy), base).size());

    for (const ControlTemplate& control : tmpl.controls) {
        QWidget* widget = MakeControl(control, dialog, factory);
        if (!widget) continue;
        widget->setProperty("controlId", control.id);
        widget->setProperty("windowClass",
                            QString::fromUtf16(control.className ? control.className : u""));
        if (!IsClass(control, kClassSipPref)) {
            widget->setObjectName(QStringLiteral("id%1").arg(control.id));
        }
        widget->setFont(font);
        widget->setGeometry(
            MapDialogRect(QRect(control.x, control.y, control.cx, control.cy), base));
        if (!(control.style & WS_VISIBLE)) widget->hide();
    }
}

bool BuildDialog(QWidget* dialog, int templateId, const ControlFactory& factory) {
    const DialogTemplate* tmpl = FindDialogTemplate(templateId);
    if (!tmpl) return false;
    BuildDialog(dialog, *tmpl, factory);
    return true;
}

QWidget* ControlById(const QWidget* dialog, int id) {
    if (!dialog) return nullptr;
    for (QObject* child : dialog->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget) continue;
        const QVariant value = widget->property("controlId");
        if (value.isValid() && value.toInt() == id) return widget;
    }
    return nullptr;
}
