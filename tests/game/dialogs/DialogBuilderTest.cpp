#include "game/dialogs/DialogBuilder.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "game/dialogs/DialogFrame.h"
#include "game/resources/Menus.h"
#include "game/resources/resource.h"
#include "platform/gui/ShellRequests.h"
#include "tests/game/dialogs/KitTestSupport.h"

namespace {

class DialogBuilderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        KitApp();
        SetScreenDensity(96, 96);
        platform::gui::ResetShellRequests();
        SHInitExtraControls();
    }
    void TearDown() override { platform::gui::ResetShellRequests(); }
};

// The widgets the builder made, in child order.
std::vector<QWidget*> Controls(const QWidget& dialog) {
    std::vector<QWidget*> controls;
    for (QObject* child : dialog.children())
        if (auto* w = qobject_cast<QWidget*>(child); w && w->property("controlId").isValid())
            controls.push_back(w);
    return controls;
}

QString TextOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    return w->windowTitle();
}

const char* ExpectedClass(const ControlTemplate& c) {
    const std::u16string_view cls = c.className;
    if (cls == u"static") return "QLabel";
    if (cls == u"edit") return "QLineEdit";
    if (cls == u"button")
        return (c.style & BS_TYPEMASK) == BS_AUTOCHECKBOX ? "CheckBox" : "QPushButton";
    if (cls == u"SysListView32") return "QListWidget";
    if (cls == u"SysTabControl32") return "QTabWidget";
    if (cls == u"CARDFIELD") return "QFrame";
    return "QWidget";
}

TEST_F(DialogBuilderTest, TemplatesHoldTheirControls) {
    struct Expected {
        int id;
        QSize units;
        std::vector<int> controlIds;
    };
    const Expected all[] = {
        {IDD_MAIN, {139, 140}, {1000, 1017}},
        {IDD_OPTIONS, {143, 150}, {1001, 1003, 1004, 1005}},
        {IDD_SELECT_GAME, {153, 142}, {-1, 1004, -1}},
        {IDD_STATISTICS, {139, 135}, {1005, -1, 1006, -1, 1007, -1, 1012}},
    };
    for (const Expected& e : all) {
        const DialogTemplate* t = FindDialogTemplate(e.id);
        ASSERT_NE(t, nullptr) << e.id;
        EXPECT_EQ(QSize(t->cx, t->cy), e.units);
        EXPECT_EQ(std::u16string_view(t->caption), u"Korvel Tessamo");
        EXPECT_EQ(std::u16string_view(t->fontFace), u"System");
        EXPECT_EQ(t->fontPointSize, 8);
        std::vector<int> ids;
        for (const ControlTemplate& c : t->controls) ids.push_back(c.id);
        EXPECT_EQ(ids, e.controlIds) << e.id;
    }
    EXPECT_EQ(FindDialogTemplate(185), nullptr);
    EXPECT_EQ(FindDialogTemplate(0), nullptr);
}

TEST_F(DialogBuilderTest, BuildsEveryControlWithIdClassTextAndRectangle) {
    for (int dpi : {96, 192}) {
        SetScreenDensity(dpi, dpi);
        for (int id : {IDD_MAIN, IDD_OPTIONS, IDD_SELECT_GAME, IDD_STATISTICS}) {
            SCOPED_TRACE(testing::Message() << "template " << id << " at " << dpi);
            const DialogTemplate& t = *FindDialogTemplate(id);
            QDialog dialog;
            ASSERT_TRUE(BuildDialog(&dialog, id, [](const ControlTemplate&, QWidget* parent) {
                return new QFrame(parent);
            }));
            const QSize base = DialogBaseUnits(TemplateFont(t));
            EXPECT_EQ(dialog.windowTitle(), "Korvel Tessamo");
            EXPECT_EQ(dialog.size(), MapDialogRect(QRect(0, 0, t.cx, t.cy), base).size());

            const std::vector<QWidget*> controls = Controls(dialog);
            ASSERT_EQ(controls.size(), t.controls.size());
            for (std::size_t i = 0; i < controls.size(); ++i) {
                const ControlTemplate& c = t.controls[i];
                QWidget* w = controls[i];
                EXPECT_EQ(w->property("controlId").toInt(), c.id) << i;
                EXPECT_EQ(w->property("windowClass").toString(), QString::fromUtf16(c.className));
                EXPECT_STREQ(w->metaObject()->className(), ExpectedClass(c)) << i;
                if (std::u16string_view(c.className) != u"SIPPREF") {
                    EXPECT_EQ(TextOf(w), QString::fromUtf16(c.text)) << i;
                    EXPECT_EQ(w->objectName(), QStringLiteral("id%1").arg(c.id));
                }
                EXPECT_EQ(w->geometry(), MapDialogRect(QRect(c.x, c.y, c.cx, c.cy), base)) << i;
                EXPECT_EQ(w->isHidden(), (c.style & WS_VISIBLE) == 0) << i;
            }
        }
    }
}

TEST_F(DialogBuilderTest, DialogUnitsFollowTheTemplateFontAndDensity) {
    // The platform's rounding, half away from zero, on each of x, y, width and height.
    EXPECT_EQ(MapDialogRect(QRect(7, 26, 99, 16), QSize(6, 13)), QRect(11, 42, 149, 26));
    EXPECT_EQ(MapDialogRect(QRect(-10, -10, 5, 5), QSize(6, 13)), QRect(-15, -16, 8, 8));

    SetScreenDensity(96, 96);
    const QSize small = DialogBaseUnits(TemplateFont(*FindDialogTemplate(IDD_MAIN)));
    SetScreenDensity(192, 192);
    const QSize large = DialogBaseUnits(TemplateFont(*FindDialogTemplate(IDD_MAIN)));
    EXPECT_GT(small.width(), 2);
    EXPECT_GT(small.height(), 8);
    EXPECT_NEAR(large.width(), 2 * small.width(), 2);
    EXPECT_NEAR(large.height(), 2 * small.height(), 3);
}

TEST_F(DialogBuilderTest, ControlsBehaveAsTheirStylesSay) {
    QDialog statistics;
    BuildDialog(&statistics, IDD_STATISTICS);
    auto* list = ControlById<QListWidget>(&statistics, IDC_COMPLETED_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->viewMode(), QListView::ListMode);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_NE(list->frameShape(), QFrame::NoFrame);
    auto* clear = ControlById<QPushButton>(&statistics, IDC_CLEAR);
    ASSERT_NE(clear, nullptr);
    EXPECT_FALSE(clear->isDefault());
    EXPECT_FALSE(clear->autoDefault());

    QDialog options;
    BuildDialog(&options, IDD_OPTIONS);
    auto* box = ControlById<QCheckBox>(&options, IDC_DBLCLICK_MOVES);
    ASSERT_NE(box, nullptr);
    options.show();
    // A tap anywhere on the check box, its wrapped label included, toggles it.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 3, box->height() / 2));
    EXPECT_TRUE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
    EXPECT_FALSE(box->isChecked());
    // The label wraps rather than being cut: a narrow box asks for more height.
    CheckBox narrow(QStringLiteral("a label of several words that cannot fit on one line"));
    narrow.resize(60, 20);
    EXPECT_GT(narrow.sizeHint().height(), QCheckBox(QStringLiteral("x")).sizeHint().height());
    // With large text the box grows with it: its drawn square is as tall as the letters.
    CheckBox large(QStringLiteral("x"));
    QFont font = large.font();
    font.setPixelSize(40);
    large.setFont(font);
    large.resize(large.sizeHint());
    const QImage drawn = large.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb paper = drawn.pixel(drawn.width() - 1, 0);
    int top = drawn.height(), bottom = -1;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < 8; ++x)  // the square's left edge, clear of the letter
            if (drawn.pixel(x, y) != paper) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(bottom - top + 1, QFontMetrics(font).ascent() - 1);

    QDialog select;
    BuildDialog(&select, IDD_SELECT_GAME);
    auto* edit = ControlById<QLineEdit>(&select, IDC_GAME_NUMBER);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->hasFrame());
    QWidget* sip = select.findChild<QWidget*>("SIPPREF");
    ASSERT_NE(sip, nullptr);
    EXPECT_TRUE(sip->isHidden());

    QDialog main;
    BuildDialog(&main, IDD_MAIN);
    EXPECT_TRUE(ControlById(&main, IDC_TAB)->isHidden());
    // Without a factory the card field is a plain widget with its id.
    EXPECT_STREQ(ControlById(&main, IDC_CARDFIELD)->metaObject()->className(), "QWidget");
}

TEST_F(DialogBuilderTest, WithoutTheShellClassesNoInputPanelControlIsMade) {
    platform::gui::ResetShellRequests();
    QDialog select;
    BuildDialog(&select, IDD_SELECT_GAME);
    EXPECT_EQ(select.findChild<QWidget*>("SIPPREF"), nullptr);
    EXPECT_NE(ControlById(&select, IDC_GAME_NUMBER), nullptr);
    EXPECT_EQ(Controls(select).size(), 2u);
}

TEST_F(DialogBuilderTest, UnknownTemplatesAndIdsGiveNothing) {
    QDialog dialog;
    EXPECT_FALSE(BuildDialog(&dialog, 999));
    EXPECT_TRUE(Controls(dialog).empty());
    BuildDialog(nullptr, IDD_MAIN);
    EXPECT_EQ(ControlById(nullptr, 1000), nullptr);
    BuildDialog(&dialog, IDD_MAIN);
    EXPECT_EQ(ControlById(&dialog, 1234), nullptr);
    EXPECT_EQ(ControlById<QLabel>(&dialog, IDC_CARDFIELD), nullptr);
}

TEST_F(DialogBuilderTest, MenuBarDescriptionsDecodeToTheirButtons) {
    for (int id : {IDR_MENU_CLASSIC, IDR_MENU_SOFTKEY}) {
        const std::span<const WORD> words = FindMenuBarResource(id);
        ASSERT_EQ(words.size(), 2u + 2u * kMenuBarButtonWords);
        EXPECT_EQ(words[0], id);
        const std::vector<MenuBarButton> buttons = DecodeMenuBar(words);
        ASSERT_EQ(buttons.size(), 2u);
        EXPECT_EQ(buttons[0].image, 0xFFFE);
        EXPECT_EQ(buttons[0].command, ID_MENU_GAME);
        EXPECT_EQ(buttons[0].state, 4);
        EXPECT_EQ(buttons[0].style, 0x18);
        EXPECT_EQ(buttons[0].labelStringId, IDS_GAME_MENU);
        EXPECT_EQ(buttons[0].subMenu, 0);
        EXPECT_EQ(buttons[1].command, ID_MENU_TOOLS);
        EXPECT_EQ(buttons[1].labelStringId, IDS_TOOLS_MENU);
        EXPECT_EQ(buttons[1].subMenu, 1);
        // A cut description yields only its whole buttons.
        EXPECT_EQ(DecodeMenuBar(words.first(words.size() - 1)).size(), 1u);
        EXPECT_TRUE(DecodeMenuBar(words.first(1)).empty());
    }
    EXPECT_TRUE(FindMenuBarResource(187).empty());
    const WORD overclaiming[] = {185, 9, 0xFFFE, 1, 4, 0x18, 2, 0, 0};
    EXPECT_EQ(DecodeMenuBar(overclaiming).size(), 1u);
}

TEST_F(DialogBuilderTest, OneLineStaticTextsWidenToTheirTextButNotPastTheDialog) {
    QDialog dialog;
    dialog.resize(200, 100);
    auto* cut = new QLabel(QStringLiteral("Completed games:"), &dialog);
    cut->setWordWrap(true);
    cut->setGeometry(10, 10, 20, cut->fontMetrics().height());
    auto* wide = new QLabel(QString(200, QLatin1Char('W')), &dialog);
    wide->setGeometry(150, 40, 10, wide->fontMetrics().height());
    auto* block = new QLabel(QStringLiteral("Several lines of text"), &dialog);
    block->setGeometry(10, 60, 20, block->fontMetrics().height() * 3);
    auto* centred = new QLabel(QStringLiteral("Centred text here"), &dialog);
    centred->setAlignment(Qt::AlignHCenter);
    centred->setGeometry(10, 80, 20, centred->fontMetrics().height());

    FitStaticTexts(&dialog);
    EXPECT_GE(cut->width(), cut->fontMetrics().horizontalAdvance(cut->text()));
    EXPECT_FALSE(cut->wordWrap());
    EXPECT_EQ(wide->geometry().right(), 199);  // up to the dialog's edge, no further
    EXPECT_EQ(block->width(), 20);
    EXPECT_EQ(centred->width(), 20);
}

// A long translation of "Won:" beside its result: widened up to the result, never over it;
// with no room at all it keeps its width. A frame around both is no boundary.
TEST_F(DialogBuilderTest, StaticTextsWidenOnlyIntoFreeSpace) {
    QDialog dialog;
    dialog.resize(240, 100);
    const int line = QFontMetrics(dialog.font()).height();
    auto* frame = new QWidget(&dialog);
    frame->setGeometry(0, 0, 240, 100);
    auto* won = new QLabel(QStringLiteral("Gewonnene Spiele insgesamt:"), &dialog);
    won->setGeometry(10, 10, 30, line);
    auto* result = new QLabel(QStringLiteral("0 (0%)"), &dialog);
    result->setGeometry(90, 10, 60, line);
    auto* squeezed = new QLabel(QStringLiteral("Verlorene Spiele insgesamt:"), &dialog);
    squeezed->setGeometry(10, 40, 30, line);
    auto* neighbour = new QLabel(QStringLiteral("0 (0%)"), &dialog);
    neighbour->setGeometry(40, 40 + line / 2, 60, line);
    auto* below = new QLabel(QStringLiteral("Not on this line"), &dialog);
    below->setGeometry(60, 70, 60, line);

    FitStaticTexts(&dialog);
    EXPECT_EQ(won->geometry(), QRect(10, 10, 80, line));
    EXPECT_EQ(squeezed->width(), 30);
    EXPECT_EQ(result->width(), 60);
    EXPECT_EQ(neighbour->width(), 60);
}

}  // namespace
