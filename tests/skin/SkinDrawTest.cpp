// The frame drawing routines render flat-coloured strips into memory bitmaps, whose pixels
// tell which frame and which zone landed where.
#include <gtest/gtest.h>

#include "SkinDraw.h"
#include "SkinTestBitmaps.h"
#include "components/TCanvas.h"

namespace {

constexpr TColor Paper = RGB(250, 250, 240);  // what the target shows before drawing
constexpr TColor Marker = RGB(1, 2, 3);

const TFrameMargins Zones{2, 3, 4, 5};

struct Target {
    std::unique_ptr<TBitmap> bitmap = FlatBitmap(80, 70, Paper);
    HDC dc() { return bitmap->Canvas()->Handle(); }
    TColor at(int x, int y) { return PixelOf(*bitmap, x, y); }
};

TEST(NineGridFrames, PutEveryZoneOfTheChosenFrameInItsPlace) {
    const auto strip = ZonedStrip(3, 20, 30, false, Zones);
    for (int frame = 1; frame <= 3; ++frame) {
        Target t;
        DrawSkinFrame(t.dc(), TRect{5, 6, 55, 46}, strip.get(), false, false, false, 3, frame, Zones);
        EXPECT_EQ(t.at(5, 6), ZoneColour(frame, 0, 0)) << "frame " << frame;
        EXPECT_EQ(t.at(6, 8), ZoneColour(frame, 0, 0));
        EXPECT_EQ(t.at(30, 6), ZoneColour(frame, 1, 0));
        EXPECT_EQ(t.at(54, 6), ZoneColour(frame, 2, 0));
        EXPECT_EQ(t.at(5, 26), ZoneColour(frame, 0, 1));
        EXPECT_EQ(t.at(30, 26), ZoneColour(frame, 1, 1));
        EXPECT_EQ(t.at(51, 26), ZoneColour(frame, 2, 1)) << "the right border keeps its 4 columns";
        EXPECT_EQ(t.at(50, 26), ZoneColour(frame, 1, 1));
        EXPECT_EQ(t.at(5, 41), ZoneColour(frame, 0, 2)) << "the bottom border keeps its 5 rows";
        EXPECT_EQ(t.at(54, 45), ZoneColour(frame, 2, 2));
        EXPECT_EQ(t.at(4, 6), Paper);
        EXPECT_EQ(t.at(55, 46), Paper);
        EXPECT_EQ(t.at(30, 46), Paper);
    }
    // The same frames stacked.
    const auto stacked = ZonedStrip(3, 20, 30, true, Zones);
    Target t;
    DrawSkinFrame(t.dc(), TRect{0, 0, 40, 60}, stacked.get(), true, false, false, 3, 3, Zones);
    EXPECT_EQ(t.at(0, 0), ZoneColour(3, 0, 0));
    EXPECT_EQ(t.at(20, 30), ZoneColour(3, 1, 1));
    EXPECT_EQ(t.at(39, 59), ZoneColour(3, 2, 2));
}

TEST(NineGridFrames, StretchTheWholeFrameWhereTheTargetIsTooSmallForTheBorders) {
    const TFrameMargins wide{6, 3, 6, 3};
    const auto strip = ZonedStrip(1, 20, 20, false, wide);
    Target t;
    DrawSkinFrame(t.dc(), TRect{0, 0, 10, 30}, strip.get(), false, false, false, 1, 1, wide);
    EXPECT_EQ(t.at(0, 15), ZoneColour(1, 0, 1)) << "left zone squeezed to the first columns";
    EXPECT_EQ(t.at(5, 15), ZoneColour(1, 1, 1));
    EXPECT_EQ(t.at(9, 15), ZoneColour(1, 2, 1));
    EXPECT_EQ(t.at(5, 2), ZoneColour(1, 1, 0)) << "the top border still holds its 3 rows";
    EXPECT_EQ(t.at(5, 3), ZoneColour(1, 1, 1));
    EXPECT_EQ(t.at(5, 27), ZoneColour(1, 1, 2));
}

TEST(NineGridFrames, TileTheCentreAtItsOwnSizeUnderTheRightAndBottomBorders) {
    const TFrameMargins m{2, 2, 2, 2};
    auto strip = ZonedStrip(1, 10, 10, false, m);
    strip->Canvas()->SetPixel(2, 2, Marker);  // the centre's top-left pixel (centre is 6 x 6)
    Target t;
    DrawSkinFrame(t.dc(), TRect{0, 0, 20, 16}, strip.get(), false, true, false, 1, 1, m);
    for (int x : {2, 8, 14})
        for (int y : {2, 8}) EXPECT_EQ(t.at(x, y), Marker) << x << "," << y;
    EXPECT_EQ(t.at(3, 3), ZoneColour(1, 1, 1));
    EXPECT_EQ(t.at(18, 8), ZoneColour(1, 2, 1)) << "the third copy, 14..20, is cut back by the right border";
    EXPECT_EQ(t.at(8, 14), ZoneColour(1, 1, 2));
}

TEST(NineGridFrames, AFrameWhoseBordersLeaveNoMiddleDrawsItsCornersAndEnds) {
    const TFrameMargins overlapping{6, 6, 6, 6};
    const auto strip = ZonedStrip(2, 10, 10, false, TFrameMargins{3, 3, 3, 3});
    for (bool tile : {false, true}) {
        Target t;
        DrawSkinFrame(t.dc(), TRect{0, 0, 60, 50}, strip.get(), false, tile, false, 2, 2, overlapping);
        EXPECT_EQ(t.at(0, 0), ZoneColour(2, 0, 0));
        EXPECT_EQ(t.at(59, 49), ZoneColour(2, 2, 2));
        EXPECT_EQ(t.at(59, 0), ZoneColour(2, 2, 0));
    }
}

TEST(NineGridFrames, LeaveTheTargetShowingThroughMagentaWhenTransparent) {
    auto strip = ZonedStrip(2, 20, 20, false, Zones);
    Fill(*strip, TRect{22, 3, 36, 15}, clFuchsia);  // frame 2's centre
    Target t;
    DrawSkinFrame(t.dc(), TRect{0, 0, 40, 40}, strip.get(), false, false, true, 2, 2, Zones);
    EXPECT_EQ(t.at(20, 20), Paper);
    EXPECT_EQ(t.at(0, 0), ZoneColour(2, 0, 0));
    EXPECT_EQ(t.at(20, 39), ZoneColour(2, 1, 2));
    Target opaque;
    DrawSkinFrame(opaque.dc(), TRect{0, 0, 40, 40}, strip.get(), false, false, false, 2, 2, Zones);
    EXPECT_EQ(opaque.at(20, 20), clFuchsia);
}

TEST(NineGridFrames, MakeABitmapOfTheTargetsSize) {
    const auto strip = ZonedStrip(2, 20, 20, false, Zones);
    const auto picture = MakeSkinFrameBitmap(TRect{7, 7, 37, 32}, strip.get(), Zones, false, false, 2, 1);
    EXPECT_EQ(picture->Width(), 30);
    EXPECT_EQ(picture->Height(), 25);
    EXPECT_EQ(PixelOf(*picture, 0, 0), ZoneColour(1, 0, 0));
    EXPECT_EQ(PixelOf(*picture, 29, 24), ZoneColour(1, 2, 2));
    EXPECT_TRUE(MakeSkinFrameBitmap(TRect{7, 7, 6, 32}, strip.get(), Zones, false, false, 2, 1)->Empty());
}

TEST(TransparentBlits, KeepTheTargetUnderKeyPixelsOnBothPaths) {
    auto picture = FlatBitmap(6, 4, clBlue);
    picture->Canvas()->SetPixel(1, 1, clFuchsia);
    picture->Canvas()->SetPixel(5, 3, clFuchsia);
    for (auto method : {TTransparentBlitMethod::MaskBlt, TTransparentBlitMethod::InvertAndMask}) {
        Target t;
        Fill(*t.bitmap, TRect{10, 10, 14, 12}, clLime);
        SetBkColor(t.dc(), RGB(9, 9, 9));
        TransparentBlit(t.dc(), TRect{10, 10, 16, 14}, picture.get(), clFuchsia, method);
        EXPECT_EQ(t.at(11, 11), clLime) << "a key pixel over lime";
        EXPECT_EQ(t.at(15, 13), Paper) << "a key pixel over paper";
        EXPECT_EQ(t.at(10, 10), clBlue);
        EXPECT_EQ(t.at(12, 11), clBlue);
        EXPECT_EQ(t.at(16, 13), Paper) << "nothing past the rectangle";
        EXPECT_EQ(GetBkColor(t.dc()), RGB(9, 9, 9)) << "the context's colours are given back";
    }
    Target partial;
    TransparentBlit(partial.dc(), TRect{0, 0, 2, 2}, picture.get(), clFuchsia);
    EXPECT_EQ(partial.at(0, 0), clBlue);
    EXPECT_EQ(partial.at(1, 1), Paper);
    EXPECT_EQ(partial.at(2, 0), Paper) << "only the rectangle's size of the picture";
}

TEST(ThreeSliceFrames, RepeatTheMiddleAndStretchTheHeight) {
    const TFrameMargins m{3, 2, 4, 2};
    auto strip = ZonedStrip(2, 12, 8, false, m);
    strip->Canvas()->SetPixel(12 + 3, 0, Marker);  // frame 2's middle, first column, top row
    Target t;
    DrawSkinFrameToCanvas(t.bitmap->Canvas(), TRect{10, 20, 30, 36}, strip.get(), false, false, 2, 2, m);
    EXPECT_EQ(t.at(10, 30), ZoneColour(2, 0, 1));
    for (int x : {13, 18, 23}) EXPECT_EQ(t.at(x, 20), Marker) << "a copy of the 5-column middle at " << x;
    EXPECT_EQ(t.at(14, 21), ZoneColour(2, 1, 0)) << "row 0 of the frame stretched to two rows";
    EXPECT_EQ(t.at(14, 35), ZoneColour(2, 1, 2));
    EXPECT_EQ(t.at(26, 28), ZoneColour(2, 2, 1)) << "the right slice covers the last copy";
    EXPECT_EQ(t.at(30, 28), Paper);

    Fill(*strip, TRect{12, 0, 15, 8}, clFuchsia);
    Target clear;
    DrawSkinFrameToCanvas(clear.bitmap->Canvas(), TRect{10, 20, 30, 36}, strip.get(), false, true, 2, 2, m);
    EXPECT_EQ(clear.at(11, 25), Paper) << "transparent left slice";
    EXPECT_EQ(clear.at(27, 25), ZoneColour(2, 2, 1));
}

TEST(StretchedAndCentredFrames, TakeFrameNOfAHorizontalStrip) {
    const auto strip = ZonedStrip(3, 10, 8, false, TFrameMargins{2, 2, 2, 2});
    Target t;
    DrawSkinFrameStretched(t.dc(), TRect{10, 10, 50, 42}, strip.get(), false, 3, 2);
    EXPECT_EQ(t.at(10, 10), ZoneColour(2, 0, 0));
    EXPECT_EQ(t.at(30, 26), ZoneColour(2, 1, 1));
    EXPECT_EQ(t.at(49, 41), ZoneColour(2, 2, 2));
    EXPECT_EQ(t.at(12, 12), ZoneColour(2, 0, 0)) << "the 2-pixel corner stretched fourfold";
    EXPECT_EQ(t.at(50, 42), Paper);

    Target c;
    DrawSkinFrameCentered(c.dc(), TRect{0, 0, 21, 13}, strip.get(), false, 3, 3);
    EXPECT_EQ(c.at(5, 2), ZoneColour(3, 0, 0)) << "(21 - 10) div 2, (13 - 8) div 2";
    EXPECT_EQ(c.at(14, 9), ZoneColour(3, 2, 2));
    EXPECT_EQ(c.at(4, 2), Paper);
    EXPECT_EQ(c.at(15, 10), Paper);

    Target big;
    DrawSkinFrameCentered(big.dc(), TRect{20, 20, 24, 24}, strip.get(), false, 3, 1);
    EXPECT_EQ(big.at(17, 18), ZoneColour(1, 0, 0)) << "a frame larger than the rectangle is not cut";
    EXPECT_EQ(big.at(26, 25), ZoneColour(1, 2, 2));
}

TEST(SlicedFrames, StretchTheMiddleStraightIntoTheTarget) {
    const TFrameMargins m{3, 0, 4, 0};
    const auto strip = ZonedStrip(2, 12, 6, true, m);
    Target t;
    DrawSkinFrameSliced(t.dc(), TRect{5, 5, 45, 17}, strip.get(), true, 2, 2, m);
    EXPECT_EQ(t.at(5, 5), ZoneColour(2, 0, 1));
    EXPECT_EQ(t.at(7, 16), ZoneColour(2, 0, 1));
    EXPECT_EQ(t.at(8, 10), ZoneColour(2, 1, 1));
    EXPECT_EQ(t.at(40, 10), ZoneColour(2, 1, 1));
    EXPECT_EQ(t.at(41, 10), ZoneColour(2, 2, 1));
    EXPECT_EQ(t.at(45, 10), Paper);

    Target narrow;
    DrawSkinFrameSliced(narrow.dc(), TRect{0, 0, 6, 6}, strip.get(), true, 2, 1, m);
    EXPECT_EQ(narrow.at(0, 0), ZoneColour(1, 0, 1)) << "the whole frame squeezed";
    EXPECT_EQ(narrow.at(5, 5), ZoneColour(1, 2, 1));
}

// Frame counts of 0 or below, as a skin may give them, draw the whole strip as one frame in
// every routine instead of dividing by zero.
TEST(FrameCounts, BelowOneCountAsOneEverywhere) {
    const TFrameMargins m{2, 2, 2, 2};
    const auto strip = ZonedStrip(1, 10, 10, false, m);
    for (int count : {0, -3}) {
        Target t;
        DrawSkinFrame(t.dc(), TRect{0, 0, 10, 10}, strip.get(), false, false, false, count, 1, m);
        EXPECT_EQ(t.at(9, 9), ZoneColour(1, 2, 2));
        DrawSkinFrameToCanvas(t.bitmap->Canvas(), TRect{20, 0, 30, 10}, strip.get(), false, false, count, 1, m);
        EXPECT_EQ(t.at(29, 5), ZoneColour(1, 2, 1));
        DrawSkinFrameStretched(t.dc(), TRect{40, 0, 50, 10}, strip.get(), false, count, 1);
        EXPECT_EQ(t.at(49, 9), ZoneColour(1, 2, 2));
        DrawSkinFrameCentered(t.dc(), TRect{60, 0, 70, 10}, strip.get(), false, count, 1);
        EXPECT_EQ(t.at(69, 9), ZoneColour(1, 2, 2));
        DrawSkinFrameSliced(t.dc(), TRect{0, 20, 10, 30}, strip.get(), false, count, 1, m);
        EXPECT_EQ(t.at(9, 25), ZoneColour(1, 2, 1));
        const auto picture = MakeSkinFrameBitmap(TRect{0, 0, 10, 10}, strip.get(), m, true, false, count, 1);
        EXPECT_EQ(PixelOf(*picture, 9, 9), ZoneColour(1, 2, 2));
    }
}

TEST(FrameTargets, InvertedDrawNothingAndEmptyAreAllowed) {
    const auto strip = ZonedStrip(1, 10, 10, false, Zones);
    Target t;
    const TRect inverted{30, 30, 20, 40};
    DrawSkinFrame(t.dc(), inverted, strip.get(), false, false, false, 1, 1, Zones);
    DrawSkinFrameToCanvas(t.bitmap->Canvas(), inverted, strip.get(), false, false, 1, 1, Zones);
    DrawSkinFrameStretched(t.dc(), inverted, strip.get(), false, 1, 1);
    DrawSkinFrameCentered(t.dc(), inverted, strip.get(), false, 1, 1);
    DrawSkinFrameSliced(t.dc(), inverted, strip.get(), false, 1, 1, Zones);
    TransparentBlit(t.dc(), inverted, strip.get(), clFuchsia);
    DrawSkinFrame(t.dc(), TRect{30, 30, 30, 40}, strip.get(), false, true, true, 1, 1, Zones);
    DrawSkinFrame(t.dc(), TRect{30, 30, 60, 60}, nullptr, false, false, false, 1, 1, Zones);
    for (int y = 0; y < 70; y += 3)
        for (int x = 0; x < 80; x += 3) ASSERT_EQ(t.at(x, y), Paper) << x << "," << y;
}

TEST(BackBuffer, IsSharedAndStretchesColourOnColourAtAnySize) {
    TBitmap* buffer = SkinBackBuffer();
    EXPECT_EQ(SkinBackBuffer(), buffer);
    buffer->SetPixelFormat(pf24bit);
    buffer->SetSize(30, 20);
    EXPECT_EQ(GetStretchBltMode(buffer->Canvas()->Handle()), COLORONCOLOR);
    buffer->SetSize(60, 5);
    EXPECT_EQ(GetStretchBltMode(buffer->Canvas()->Handle()), COLORONCOLOR);
}

}  // namespace
