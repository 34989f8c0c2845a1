// Bitmaps, canvases, image lists and a self-drawn control on GDI.
#include <gtest/gtest.h>

#include <memory>

#include "GuiTestSupport.h"
#include "components/SysUtils.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TForm.h"
#include "components/TImageList.h"
#include "components/TMemoryStream.h"
#include "components/TReader.h"
#include "components/TShape.h"
#include "components/TWriter.h"

namespace {

TEST(Bitmaps, KeepTheirPixelsThroughABmpImage) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(20, 10);
    bitmap.Canvas()->Brush()->SetColor(clFuchsia);
    bitmap.Canvas()->FillRect(TRect{0, 0, 20, 10});
    bitmap.Canvas()->SetPixel(3, 4, 0x123456);
    TMemoryStream image;
    bitmap.SaveToStream(image);
    image.SetPosition(0);

    TBitmap copy;
    copy.LoadFromStream(image);
    EXPECT_EQ(copy.Width(), 20);
    EXPECT_EQ(copy.Height(), 10);
    EXPECT_EQ(copy.Canvas()->Pixel(3, 4), 0x123456);
    EXPECT_EQ(copy.Canvas()->Pixel(0, 0), clFuchsia);
    copy.SetSize(5, 5);
    EXPECT_EQ(copy.Canvas()->Pixel(3, 4), 0x123456) << "resizing keeps the top-left part";
}

TEST(Bitmaps, AMalformedImageIsRefused) {
    auto load = [](const std::string& bytes) {
        TMemoryStream s;
        if (!bytes.empty()) s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        s.SetPosition(0);
        TBitmap bitmap;
        bitmap.LoadFromStream(s);
    };
    EXPECT_THROW(load(""), EStreamError);
    EXPECT_THROW(load(std::string(54, 'x')), EInvalidOperation) << "no BM signature";
    // A header that claims 30000 x 30000 pixels with a few bytes behind it.
    std::string header(54, '\0');
    header[0] = 'B';
    header[1] = 'M';
    header[14] = 40;
    header[18] = 0x30;
    header[19] = 0x75;
    header[22] = 0x30;
    header[23] = 0x75;
    header[26] = 1;
    header[28] = 24;
    EXPECT_THROW(load(header + "abc"), EInvalidOperation);
}

TEST(Bitmaps, ADamagedImageReadsAsAnEmptyBitmapWhenAskedToTry) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(4, 4);
    TMemoryStream good;
    bitmap.SaveToStream(good);

    for (int64_t cut : {int64_t(0), int64_t(10), int64_t(60), good.Size() - 1}) {
        TMemoryStream damaged;
        good.SetPosition(0);
        if (cut > 0) damaged.CopyFrom(good, cut);
        damaged.SetPosition(0);
        TBitmap target;
        target.SetSize(8, 8);
        EXPECT_FALSE(target.TryLoadFromStream(damaged)) << cut << " bytes";
        EXPECT_TRUE(target.Empty());
    }
    good.SetPosition(0);
    TBitmap target;
    EXPECT_TRUE(target.TryLoadFromStream(good));
    EXPECT_EQ(target.Width(), 4);
}

TEST(Bitmaps, GiveTheirRowsTopFirstInTheirOwnFormat) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(3, 2);
    bitmap.Canvas()->SetPixel(2, 0, RGB(1, 2, 3));
    const uint8_t* top = bitmap.ScanLine(0);
    EXPECT_EQ(top[6], 3) << "blue first";
    EXPECT_EQ(top[7], 2);
    EXPECT_EQ(top[8], 1);
    bitmap.ScanLine(1)[0] = 200;  // blue of (0, 1)
    EXPECT_EQ(bitmap.Canvas()->Pixel(0, 1), RGB(255, 255, 200));
    EXPECT_THROW(bitmap.ScanLine(2), EInvalidOperation);
    EXPECT_THROW(bitmap.ScanLine(-1), EInvalidOperation);
    TBitmap screen;
    screen.SetSize(2, 2);
    EXPECT_THROW(screen.ScanLine(0), EInvalidOperation) << "a screen bitmap has no rows of its own";

    // An 8-bit picture read from a file keeps its depth and becomes 24-bit when asked.
    const uint8_t file[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 8, 0,
                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0x30, 0x20, 0x10, 0, 1, 0, 0, 0};
    TMemoryStream image;
    image.WriteBuffer(file, sizeof file);
    image.SetPosition(0);
    TBitmap paletted;
    paletted.LoadFromStream(image);
    EXPECT_EQ(paletted.PixelFormat(), pf8bit);
    paletted.SetPixelFormat(pf24bit);
    EXPECT_EQ(paletted.Canvas()->Pixel(0, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(paletted.ScanLine(0)[3], 0);
}

TEST(Bitmaps, MaskTheirKeyColourInWhiteOnBlack) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(3, 1);
    bitmap.Canvas()->SetPixel(0, 0, clFuchsia);
    bitmap.Canvas()->SetPixel(1, 0, RGB(255, 1, 255));
    bitmap.Canvas()->SetPixel(2, 0, clWhite);
    bitmap.Mask(clFuchsia);
    EXPECT_EQ(bitmap.PixelFormat(), pf1bit);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Canvas()->Pixel(0, 0), clWhite);
    EXPECT_EQ(bitmap.Canvas()->Pixel(1, 0), clBlack);
    EXPECT_EQ(bitmap.Canvas()->Pixel(2, 0), clBlack);
}

TEST(Canvases, KeepTheirStretchModeForEveryNewContext) {
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    bitmap.Canvas()->SetStretchMode(HALFTONE);
    bitmap.SetSize(8, 8);
    EXPECT_EQ(GetStretchBltMode(bitmap.Canvas()->Handle()), HALFTONE);
    bitmap.Canvas()->SetStretchMode(COLORONCOLOR);
    EXPECT_EQ(GetStretchBltMode(bitmap.Canvas()->Handle()), COLORONCOLOR);
}

TEST(Bitmaps, ATransparentBitmapLeavesItsKeyColourOut) {
    TBitmap glyph;
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(4, 4);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(TRect{0, 0, 4, 4});
    glyph.Canvas()->SetPixel(1, 1, clBlue);
    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia) << "the bottom-left pixel's colour";

    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(4, 4);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(TRect{0, 0, 4, 4});
    target.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(target.Canvas()->Pixel(1, 1), clBlue);
    EXPECT_EQ(target.Canvas()->Pixel(0, 0), clWhite);
}

TEST(ImageLists, TakeAStripAndStreamIt) {
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(48, 16);
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(TRect{0, 0, 48, 16});
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect{20, 4, 28, 12});

    TComponent root(nullptr);
    auto* images = new TImageList(&root);
    images->SetName("Images");
    EXPECT_EQ(images->Add(&strip), 0);
    EXPECT_EQ(images->Count(), 3);

    TBitmap second;
    images->GetBitmap(1, &second);
    EXPECT_EQ(second.Canvas()->Pixel(6, 6), clRed);
    EXPECT_EQ(second.Canvas()->Pixel(0, 0), clFuchsia);

    TImageList copy(nullptr);
    TMemoryStream data;
    // What a form description stores for the list, read into another one.
    struct TFilerProbe : TFiler {
        TStreamProc Reader, Writer;
        void DefineBinaryProperty(const std::string&, TStreamProc r, TStreamProc w, bool) override {
            Reader = r;
            Writer = w;
        }
    } probe, target;
    images->DefineProperties(probe);
    probe.Writer(data);
    data.SetPosition(0);
    copy.DefineProperties(target);
    target.Reader(data);
    EXPECT_EQ(copy.Count(), 3);
}

TEST(ImageLists, TakeAMonochromeResourceWithWhiteTransparent) {
    TImageList glyphs(nullptr);
    ASSERT_TRUE(glyphs.LoadFromResourceName(GetModuleHandleA(nullptr), "MONOGLYPHS", clWhite));
    EXPECT_EQ(glyphs.Count(), 2);
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(40, 20);
    target.Canvas()->Brush()->SetColor(clRed);
    target.Canvas()->FillRect(TRect{0, 0, 40, 20});
    glyphs.Draw(target.Canvas(), 0, 0, 0);
    glyphs.Draw(target.Canvas(), 20, 0, 1);
    EXPECT_EQ(target.Canvas()->Pixel(1, 1), clRed) << "white is transparent";
    EXPECT_EQ(target.Canvas()->Pixel(6, 6), clBlack);
    EXPECT_EQ(target.Canvas()->Pixel(21, 8), clBlack);
    EXPECT_EQ(target.Canvas()->Pixel(30, 8), clRed);
    EXPECT_FALSE(glyphs.LoadFromResourceName(GetModuleHandleA(nullptr), "NOSUCHGLYPHS", clWhite));
}

TEST(SelfDrawnControls, PaintIntoTheContextTheyAreGiven) {
    PrepareApplication();
    TForm form(nullptr);
    auto* shape = new TShape(&form);
    shape->SetParent(&form);
    shape->SetBounds(0, 0, 10, 15);
    shape->Brush()->SetColor(0x00FF00);
    shape->Pen()->SetColor(clBlack);
    form.HandleNeeded();

    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(10, 15);
    shape->Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()));
    EXPECT_EQ(picture.Canvas()->Pixel(5, 7), 0x00FF00);
    EXPECT_EQ(picture.Canvas()->Pixel(0, 0), clBlack);
}

}  // namespace
