// Regions from pictures, the parent's background, the pixel utilities, colours and gradients.
#include <gtest/gtest.h>

#include <vector>

#include "ColourMath.h"
#include "ImgUtil.h"
#include "SkinTestBitmaps.h"
#include "components/TCanvas.h"
#include "components/TForm.h"
#include "components/TShape.h"

namespace {

// The rectangles a region is made of.
std::vector<RECT> RectsOf(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<char> data(size);
    GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data()));
    const auto* header = reinterpret_cast<RGNDATA*>(data.data());
    const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
    return std::vector<RECT>(rects, rects + header->rdh.nCount);
}

struct RegionOf {
    HRGN handle;
    explicit RegionOf(HRGN r) : handle(r) {}
    ~RegionOf() { DeleteObject(handle); }
    bool has(int x, int y) const { return PtInRegion(handle, x, y) != FALSE; }
};

// A 3 x 2 picture of six colours, row by row.
const TColor Six[6] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(0, 40, 0), RGB(0, 50, 0), RGB(0, 60, 0)};

std::unique_ptr<TBitmap> SixColours() {
    auto bitmap = FlatBitmap(3, 2, clWhite);
    for (int i = 0; i < 6; ++i) bitmap->Canvas()->SetPixel(i % 3, i / 3, Six[i]);
    return bitmap;
}

TEST(Regions, LeaveOutTheMagentaCornersOfAWindowPicture) {
    auto picture = FlatBitmap(20, 10, clBlue);
    Fill(*picture, TRect{0, 0, 3, 1}, clFuchsia);
    Fill(*picture, TRect{0, 1, 1, 3}, clFuchsia);
    picture->Canvas()->SetPixel(19, 0, RGB(255, 1, 255));  // near enough to magenta
    picture->Canvas()->SetPixel(18, 0, RGB(255, 2, 255));  // not
    const RegionOf region(BitmapToRegion(picture.get(), 100, 50, 1, 1, 1, clFuchsia));
    EXPECT_FALSE(region.has(100, 50));
    EXPECT_FALSE(region.has(102, 50));
    EXPECT_FALSE(region.has(100, 52));
    EXPECT_TRUE(region.has(103, 50));
    EXPECT_TRUE(region.has(101, 51));
    EXPECT_FALSE(region.has(119, 50));
    EXPECT_TRUE(region.has(118, 50));
    EXPECT_TRUE(region.has(119, 59));
    EXPECT_FALSE(region.has(120, 59));
    EXPECT_FALSE(region.has(119, 60));
}

TEST(Regions, AreOneRectanglePerRunAndEmptyForAnAllKeyPicture) {
    auto row = FlatBitmap(3, 1, clRed);
    row->Canvas()->SetPixel(1, 0, clFuchsia);
    const RegionOf two(BitmapToRegion(row.get(), 0, 0, 0, 0, 0, clFuchsia));
    const auto rects = RectsOf(two.handle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].right - rects[0].left, 1);
    EXPECT_EQ(rects[1].left, 2);

    auto key = FlatBitmap(8, 8, clFuchsia);
    const RegionOf none(BitmapToRegion(key.get(), 0, 0, 1, 1, 1, clFuchsia));
    RECT box;
    EXPECT_EQ(GetRgnBox(none.handle, &box), NULLREGION);
    const RegionOf nothing(BitmapToRegion(nullptr, 0, 0, 1, 1, 1, clFuchsia));
    EXPECT_EQ(GetRgnBox(nothing.handle, &box), NULLREGION);
}

TEST(Regions, OfMoreRunsThanOneBlockHoldCombineEveryBlock) {
    // 2001 one-pixel runs in a row: the 2001st lies in a second block of region data.
    auto comb = FlatBitmap(4001, 2, clFuchsia);
    for (int x = 0; x < 4001; x += 2) comb->Canvas()->SetPixel(x, 0, clGreen);
    Fill(*comb, TRect{0, 1, 5, 2}, clGreen);
    const RegionOf region(BitmapToRegion(comb.get(), 0, 0, 0, 0, 0, clFuchsia));
    EXPECT_TRUE(region.has(0, 0));
    EXPECT_TRUE(region.has(3998, 0));
    EXPECT_TRUE(region.has(4000, 0));
    EXPECT_FALSE(region.has(3999, 0));
    EXPECT_TRUE(region.has(4, 1));
    EXPECT_FALSE(region.has(5, 1));
    EXPECT_EQ(RectsOf(region.handle).size(), 2002u);
}

TEST(ParentBackground, IsWhatTheParentShowsUnderTheControl) {
    TForm form(nullptr);
    form.SetColor(RGB(0, 0, 200));
    form.SetBounds(0, 0, 200, 150);
    form.OnPaint = [&](TObject*) {
        form.Canvas()->Brush()->SetColor(clYellow);
        form.Canvas()->FillRect(TRect{40, 30, 45, 35});
    };
    auto* shape = new TShape(&form);
    shape->SetParent(&form);
    shape->SetBounds(38, 28, 20, 10);
    form.HandleNeeded();

    auto picture = FlatBitmap(24, 12, clWhite);
    PaintParentBackground(shape, picture->Canvas()->Handle());
    EXPECT_EQ(PixelOf(*picture, 0, 0), RGB(0, 0, 200));
    EXPECT_EQ(PixelOf(*picture, 2, 2), clYellow) << "the parent's (40, 30)";
    EXPECT_EQ(PixelOf(*picture, 6, 6), clYellow);
    EXPECT_EQ(PixelOf(*picture, 7, 7), RGB(0, 0, 200));
    EXPECT_EQ(PixelOf(*picture, 19, 9), RGB(0, 0, 200));
    EXPECT_EQ(PixelOf(*picture, 20, 9), clWhite) << "cut to the control's size";
    EXPECT_EQ(PixelOf(*picture, 5, 10), clWhite);
    POINT origin;
    GetViewportOrgEx(picture->Canvas()->Handle(), &origin);
    EXPECT_EQ(origin.x, 0) << "the context is given back as it was";

    TShape orphan(nullptr);
    auto untouched = FlatBitmap(4, 4, clWhite);
    PaintParentBackground(&orphan, untouched->Canvas()->Handle());
    EXPECT_EQ(PixelOf(*untouched, 1, 1), clWhite);
}

TEST(PixelUtilities, GrayAndRecolourOn24Bits) {
    TBitmap screen;
    screen.SetSize(2, 1);  // a screen bitmap: made 24-bit first
    screen.Canvas()->SetPixel(0, 0, RGB(30, 60, 91));
    screen.Canvas()->SetPixel(1, 0, clFuchsia);
    GrayBitmap(&screen);
    EXPECT_EQ(screen.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelOf(screen, 0, 0), RGB(60, 60, 60));
    EXPECT_EQ(PixelOf(screen, 1, 0), RGB(170, 170, 170));

    auto masked = FlatBitmap(3, 1, clFuchsia);
    masked->Canvas()->SetPixel(1, 0, RGB(255, 1, 255));
    masked->Canvas()->SetPixel(2, 0, clRed);
    RecolorMaskedBitmap(masked.get(), RGB(1, 2, 3));
    EXPECT_EQ(PixelOf(*masked, 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(PixelOf(*masked, 1, 0), RGB(255, 1, 255));
    EXPECT_EQ(PixelOf(*masked, 2, 0), clRed);
    auto face = FlatBitmap(1, 1, clFuchsia);
    RecolorMaskedBitmap(face.get(), clBtnFace);
    EXPECT_EQ(static_cast<COLORREF>(PixelOf(*face, 0, 0)), GetSysColor(COLOR_BTNFACE)) << "a system colour resolved";
}

TEST(PixelUtilities, MirrorFlipAndRotate) {
    auto mirrored = SixColours();
    MirrorBitmap(mirrored.get());
    EXPECT_EQ(PixelOf(*mirrored, 0, 0), Six[2]);
    EXPECT_EQ(PixelOf(*mirrored, 1, 0), Six[1]);
    EXPECT_EQ(PixelOf(*mirrored, 2, 1), Six[3]);

    auto flipped = SixColours();
    FlipBitmap(flipped.get());
    EXPECT_EQ(PixelOf(*flipped, 0, 0), Six[3]);
    EXPECT_EQ(PixelOf(*flipped, 2, 1), Six[2]);

    // Left: (x, y) goes to (y, w - 1 - x). Right: (x, y) goes to (h - 1 - y, x).
    auto left = SixColours();
    RotateBitmapLeft(left.get());
    ASSERT_EQ(left->Width(), 2);
    ASSERT_EQ(left->Height(), 3);
    EXPECT_EQ(PixelOf(*left, 0, 2), Six[0]);
    EXPECT_EQ(PixelOf(*left, 0, 0), Six[2]);
    EXPECT_EQ(PixelOf(*left, 1, 0), Six[5]);
    EXPECT_EQ(PixelOf(*left, 1, 2), Six[3]);

    auto right = SixColours();
    RotateBitmapRight(right.get());
    ASSERT_EQ(right->Width(), 2);
    EXPECT_EQ(PixelOf(*right, 1, 0), Six[0]);
    EXPECT_EQ(PixelOf(*right, 1, 2), Six[2]);
    EXPECT_EQ(PixelOf(*right, 0, 0), Six[3]);
    EXPECT_EQ(PixelOf(*right, 0, 2), Six[5]);

    auto wide = FlatBitmap(5, 1, clRed);
    wide->Canvas()->SetPixel(4, 0, clBlue);
    wide->Canvas()->SetPixel(2, 0, clLime);
    MirrorBitmap(wide.get());
    EXPECT_EQ(PixelOf(*wide, 0, 0), clBlue);
    EXPECT_EQ(PixelOf(*wide, 2, 0), clLime) << "an odd width keeps its middle";
    RotateBitmapRight(wide.get());
    ASSERT_EQ(wide->Width(), 1);
    ASSERT_EQ(wide->Height(), 5);
    EXPECT_EQ(PixelOf(*wide, 0, 0), clBlue);
    EXPECT_EQ(PixelOf(*wide, 0, 4), clRed);
}

TEST(CopyBitmaps, TakeTheSizeFormatAndPicture) {
    auto source = SixColours();
    TBitmap target;
    target.SetSize(40, 40);
    CopyBitmap(source.get(), &target);
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Height(), 2);
    EXPECT_EQ(target.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelOf(target, 2, 1), Six[5]);
}

TEST(Colours, BlendAndSaturationResolveSystemColours) {
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Blend(clBtnFace, clWhite, 150), MixColours(face, clWhite, 150));
    EXPECT_EQ(Blend(RGB(100, 0, 0), RGB(0, 0, 100), 50), RGB(50, 0, 50));
    EXPECT_EQ(SaturationLevel(clBtnFace), PlainSaturationLevel(face));
    EXPECT_EQ(SaturationLevel(clRed), 255);
}

TEST(Gradients, FillOnlyTheVisibleLinesInTheirPlaceOfTheWholeRamp) {
    auto picture = FlatBitmap(20, 40, clWhite);
    HDC dc = picture->Canvas()->Handle();
    IntersectClipRect(dc, 0, 20, 20, 40);
    GradientFillRect(dc, TRect{2, 10, 12, 30}, RGB(0, 0, 0), true, RGB(190, 0, 0));
    SelectClipRgn(dc, nullptr);  // pixels are read through the same context
    const auto ramp = BuildGradientRamp(20, RGB(0, 0, 0), RGB(190, 0, 0));
    EXPECT_EQ(PixelOf(*picture, 5, 19), clWhite) << "above the clip box";
    EXPECT_EQ(PixelOf(*picture, 5, 20), ramp[10]);
    EXPECT_EQ(PixelOf(*picture, 11, 29), ramp[19]);
    EXPECT_EQ(PixelOf(*picture, 12, 25), clWhite);
    EXPECT_EQ(PixelOf(*picture, 5, 30), clWhite);

    auto across = FlatBitmap(20, 5, clWhite);
    GradientFillRect(across->Canvas()->Handle(), TRect{0, 0, 10, 5}, RGB(0, 0, 0), false, clBtnFace);
    const auto faceRamp = BuildGradientRamp(10, 0, static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(PixelOf(*across, 0, 4), faceRamp[0]);
    EXPECT_EQ(PixelOf(*across, 9, 0), faceRamp[9]);
    EXPECT_EQ(PixelOf(*across, 10, 0), clWhite);
    GradientFillRect(across->Canvas()->Handle(), TRect{15, 0, 15, 5}, clBlack, false, clBlack);
    EXPECT_EQ(PixelOf(*across, 15, 0), clWhite) << "no width, no line";
}

}  // namespace
