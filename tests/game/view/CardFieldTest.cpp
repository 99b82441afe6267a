#include "game/view/CardField.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <vector>

#include <gtest/gtest.h>

#include "game/view/ImageDrawTarget.h"
#include "tests/game/view/ViewTestSupport.h"
#include "tests/support/TestApp.h"

namespace {

QApplication& App() {
    return TestApp();
}

struct Recorder : CardFieldInput {
    std::vector<std::string> events;
    void StylusDown(int x, int y) override { Note("down", x, y); }
    void StylusUp(int x, int y) override { Note("up", x, y); }
    void DoubleTap(int x, int y) override { Note("double", x, y); }
    void Note(const char* what, int x, int y) {
        events.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

// Notes the region of every paint.
class ProbeField : public CardField {
  public:
    std::vector<QRegion> painted;

  protected:
    void paintEvent(QPaintEvent* event) override {
        painted.push_back(event->region());
        CardField::paintEvent(event);
    }
};

class CardFieldTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { App(); }
    void SetUp() override {
        field_.resize(120, 90);
        field_.SetTable(&table_);
        table_.SetBackgroundColour(0x00008200);
        face_ = std::make_shared<Bitmap>(
            Bitmap{29, 41, std::vector<std::uint32_t>(29 * 41, 0xFF804020)});
        card_.SetImage(face_);
        card_.SetPosition(30, 20);
        table_.AddCard(&card_);
    }

    ProbeField field_;
    CardTable table_{field_};
    Card card_{0, kAce, {29, 41}};
    std::shared_ptr<Bitmap> face_;
};

TEST_F(CardFieldTest, PaintsTheWholeTableWithoutErasingFirst) {
    EXPECT_TRUE(field_.testAttribute(Qt::WA_OpaquePaintEvent));
    const QImage image = field_.ComposeImage();
    EXPECT_EQ(image.size(), QSize(120, 90));
    EXPECT_EQ(image, PaintTableImage(table_, QSize(120, 90)));
    EXPECT_EQ(image.pixel(30, 20), 0xFF804020u);
    EXPECT_EQ(image.pixel(29, 20), kTablePixel);
    // What the widget shows on the screen is that image.
    field_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field_));
    const QImage shown = field_.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, image);
}

TEST_F(CardFieldTest, StylusEventsReachTheInputInOrder) {
    Recorder input;
    field_.SetInput(&input);
    QTest::mousePress(&field_, Qt::LeftButton, {}, QPoint(35, 25));
    QTest::mouseRelease(&field_, Qt::LeftButton, {}, QPoint(36, 27));
    QTest::mouseDClick(&field_, Qt::LeftButton, {}, QPoint(40, 30));
    QTest::mousePress(&field_, Qt::RightButton, {}, QPoint(1, 1));
    ASSERT_GE(input.events.size(), 3u);
    EXPECT_EQ(input.events[0], "down 35,25");
    EXPECT_EQ(input.events[1], "up 36,27");
    EXPECT_NE(std::find(input.events.begin(), input.events.end(), "double 40,30"),
              input.events.end());
    for (const auto& e : input.events) EXPECT_EQ(e.find("1,1"), std::string::npos) << e;
}

TEST_F(CardFieldTest, InvalidatingACardRepaintsItsAreaGrownByOnePixel) {
    field_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field_));
    QApplication::processEvents();
    field_.painted.clear();
    card_.SetSelected(true);
    table_.InvalidateCard(card_);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !field_.painted.empty(); }));
    EXPECT_EQ(field_.painted.back().boundingRect(), QRect(30, 20, 30, 42));
    // The selected card shows as its negative.
    const QImage shown = field_.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(30, 20), 0xFF804020u ^ 0x00FFFFFFu);
    EXPECT_EQ(shown.pixel(58, 60), 0xFF804020u ^ 0x00FFFFFFu);
    EXPECT_EQ(shown.pixel(59, 60), kTablePixel);
}

TEST_F(CardFieldTest, RepaintNowPaintsOnlyWhatWasMarked) {
    field_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field_));
    QApplication::processEvents();
    field_.painted.clear();
    field_.RepaintNow();  // nothing marked
    EXPECT_TRUE(field_.painted.empty());
    table_.InvalidateCard(card_);
    field_.RepaintNow();
    ASSERT_EQ(field_.painted.size(), 1u);
    EXPECT_EQ(field_.painted[0], QRegion(30, 20, 30, 42));
    QApplication::processEvents();  // the queued update has nothing left to do
    field_.RepaintNow();
    EXPECT_EQ(field_.painted.size(), 1u);
}

}  // namespace
