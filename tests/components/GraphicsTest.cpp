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
