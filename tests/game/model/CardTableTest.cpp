#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/model/CardTable.h"

namespace {

struct Host : TableHost {
    void InvalidateRect(const Rect& r, bool erase) override {
        rects.push_back(r);
        erased = erase;
    }
    void RepaintNow() override {}
    std::vector<Rect> rects;
    bool erased = false;
};

// Records what reaches the surface, in order.
struct RecordingTarget : DrawTarget {
    int Width() const override { return 100; }
    int Height() const override { return 80; }
    void FillRect(const Rect& r, std::uint32_t colour) override {
        log += "fill " + std::to_string(r.right) + 'x' + std::to_string(r.bottom) + ' ' +
               std::to_string(colour) + ';';
    }
    void DrawBitmap(const Bitmap& b, int x, int y, int w, int h) override {
        log += "bitmap " + std::to_string(b.width) + '@' + std::to_string(x) + ',' +
               std::to_string(y) + ' ' + std::to_string(w) + 'x' + std::to_string(h) + ';';
    }
    void StretchBitmap(const Bitmap& b, const Rect& r) override {
        log += "stretch " + std::to_string(b.width) + " to " + std::to_string(r.left) + ',' +
               std::to_string(r.top) + ',' + std::to_string(r.right) + ',' +
               std::to_string(r.bottom) + ';';
    }
    void InvertRect(const Rect& r) override {
        log += "invert " + std::to_string(r.left) + ',' + std::to_string(r.top) + ',' +
               std::to_string(r.right) + ',' + std::to_string(r.bottom) + ';';
    }
    std::string log;
};

class CardTableTest : public ::testing::Test {
  protected:
    CardTableTest() : table_(host_) {
        a_.SetPosition(10, 10);
        b_.SetPosition(20, 20);
        table_.AddCard(&a_);
        table_.AddCard(&b_);
    }
    Host host_;
    CardTable table_;
    Card a_{0, 1, {29, 41}};
    Card b_{1, 2, {29, 41}};
};

TEST_F(CardTableTest, HitTestFindsTheUppermostCardAndRespectsBringToFront) {
    EXPECT_EQ(table_.HitTest(25, 25), &b_);
    EXPECT_EQ(table_.HitTest(12, 12), &a_);
    EXPECT_TRUE(table_.BringToFront(&a_));
    EXPECT_EQ(table_.HitTest(25, 25), &a_);
    EXPECT_EQ(table_.CardList(), (std::vector<Card*>{&b_, &a_}));
}

TEST_F(CardTableTest, RectangleEdgesAreExclusive) {
    EXPECT_EQ(table_.HitTest(20 + 29, 30), nullptr);
    EXPECT_EQ(table_.HitTest(30, 20 + 41), nullptr);
    EXPECT_EQ(table_.HitTest(20 + 28, 20 + 40), &b_);
    EXPECT_EQ(table_.HitTest(9, 10), nullptr);
}

TEST_F(CardTableTest, BringToFrontOfAStrangerChangesNothing) {
    Card stranger(2, 3, {29, 41});
    EXPECT_FALSE(table_.BringToFront(&stranger));
    EXPECT_EQ(table_.CardList(), (std::vector<Card*>{&a_, &b_}));
    table_.ForgetAll();
    EXPECT_TRUE(table_.CardList().empty());
    EXPECT_EQ(table_.HitTest(25, 25), nullptr);
}

TEST_F(CardTableTest, InvalidateCardGrowsTheRectangleRightAndDown) {
    table_.InvalidateCard(b_);
    ASSERT_EQ(host_.rects.size(), 1u);
    EXPECT_EQ(host_.rects[0], (Rect{20, 20, 50, 62}));
    EXPECT_TRUE(host_.erased);
}

TEST_F(CardTableTest, PaintDrawsBackgroundThenCardsInOrderAndInvertsTheSelected) {
    auto face = std::make_shared<Bitmap>();
    face->width = 29;
    face->height = 41;
    face->pixels.assign(29 * 41, 0xFFFFFFFF);
    a_.SetImage(face);
    b_.SetSelected(true);  // b has no face: drawn blank, but still inverted
    table_.SetBackgroundColour(0x008200);
    RecordingTarget target;
    table_.Paint(target);
    EXPECT_EQ(target.log,
              "fill 100x80 33280;bitmap 29@10,10 29x41;"
              "fill 49x61 8421504;fill 48x60 16777215;invert 20,20,49,61;");
}

// A face smaller than the card (the small library on the large screen) is drawn over the
// whole card, so nothing beneath shows through where a tap would hit the card; a face as
// large or larger is copied as it stands.
TEST_F(CardTableTest, AFaceSmallerThanTheCardIsScaledToTheWholeCard) {
    auto small = std::make_shared<Bitmap>();
    small->width = 29;
    small->height = 41;
    small->pixels.assign(29 * 41, 0xFFFFFFFF);
    auto large = std::make_shared<Bitmap>(*small);
    large->width = 58;
    large->height = 82;
    large->pixels.assign(58 * 82, 0xFFFFFFFF);
    Card big(0, 3, {58, 82});
    big.SetPosition(5, 6);
    big.SetImage(small);
    RecordingTarget target;
    big.Draw(target);
    big.SetImage(large);
    big.Draw(target);
    EXPECT_EQ(target.log, "stretch 29 to 5,6,63,88;bitmap 58@5,6 58x82;");
}

}  // namespace
