#include "platform/gui/TopBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOption>
#include <QToolButton>

namespace platform::gui {

namespace {

// The bar's buttons lie flat on the bar, a little lighter while hovered and darker while
// pressed: the style's own hover fill is light, which would hide the white glyphs. A proxy
// of the style rather than a style sheet, which would cost the start a few milliseconds.
class TopBarButtonStyle : public QProxyStyle {
  public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_PanelButtonTool) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        } else if (option->state & (State_Sunken | State_On)) {
            painter->fillRect(option->rect, QColor(10, 60, 140));
        } else if (option->state & State_MouseOver) {
            painter->fillRect(option->rect, QColor(30, 80, 160));
        }
    }

    // No frame, and 4 pixels on either side of the glyph.
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_ToolButton) return size + QSize(8, 0);
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
};

}  // namespace

TopBar::TopBar(QWidget* parent, int displayScale, QAction* rotate) : QWidget(parent) {
    setObjectName(QStringLiteral("TopBar"));
    setAutoFillBackground(true);
    QPalette barPalette = palette();
    barPalette.setColor(QPalette::Window, QColor(0, 40, 110));
    barPalette.setColor(QPalette::WindowText, Qt::white);
    barPalette.setColor(QPalette::ButtonText, Qt::white);
    setPalette(barPalette);
    buttonStyle_ = new TopBarButtonStyle;
    buttonStyle_->setParent(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4 * displayScale, 0, 2 * displayScale, 0);
    layout->setSpacing(2 * displayScale);

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("TopBarTitle"));
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(12 * displayScale);
    title_->setFont(titleFont);
    layout->addWidget(title_, 1);
    buttonFont_ = titleFont;
    buttonFont_.setPixelSize(14 * displayScale);

    QToolButton* rotateButton = AddButton("RotateButton", QStringLiteral("\u27f3"),
                                          QStringLiteral("Rotate the screen (Ctrl+R)"));
    rotateButton->setDefaultAction(rotate);
    // The action gives the button its own text; the glyph and tip stay the bar's.
    rotateButton->setText(QStringLiteral("\u27f3"));
    rotateButton->setToolTip(QStringLiteral("Rotate the screen (Ctrl+R)"));

    ok_ = AddButton("OkButton", QStringLiteral("ok"), QStringLiteral("OK"));
    ok_->hide();
    connect(ok_, &QToolButton::clicked, this, &TopBar::okPressed);

    QToolButton* help = AddButton("HelpButton", QStringLiteral("?"), QStringLiteral("Help (F1)"));
    connect(help, &QToolButton::clicked, this, &TopBar::helpPressed);
}

QToolButton* TopBar::AddButton(const char* objectName, const QString& text,
                               const QString& toolTip) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(text);
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    button->setStyle(buttonStyle_);
    button->setFont(buttonFont_);
    button->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(button);
    return button;
}

QString TopBar::Title() const {
    return title_->text();
}

void TopBar::SetTitle(const QString& title) {
    title_->setText(title);
}

bool TopBar::OkVisible() const {
    return !ok_->isHidden();
}

void TopBar::SetOkVisible(bool visible) {
    ok_->setVisible(visible);
}

}  // namespace platform::gui
