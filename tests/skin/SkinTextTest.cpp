// The text routines the painters share, and the program's own pictures the skin data takes from
// its resources: the system menu's glyphs.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "SkinDataSupport.h"
#include "SkinText.h"
#include "components/TButton.h"
#include "components/TCanvas.h"
#include "components/TForm.h"

TEST(SkinText, WidensFromTheProgramsCodePage) {
    EXPECT_EQ(AnsiToWide("Sablink"), L"Sablink");
    EXPECT_EQ(AnsiToWide("数据中心"), L"数据中心") << "GBK bytes, as the program's texts are";
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(AnsiToWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(SkinText, CopiesAGivenLengthOrUpToTheEnd) {
    const wchar_t text[] = L"caption";
    EXPECT_EQ(WideCopy(text, 3), L"cap");
    EXPECT_EQ(WideCopy(text, -1), L"caption");
    EXPECT_EQ(WideCopy(text, 0), L"");
    EXPECT_EQ(WideCopy(text, 100), L"caption") << "never past the text's end";
    EXPECT_EQ(WideCopy(nullptr, 5), L"");
}

TEST(SkinText, DrawsWideTextAndMeasuresIt) {
    const auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(120, 30);
    HDC dc = bitmap->Canvas()->Handle();
    PatBlt(dc, 0, 0, 120, 30, WHITENESS);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT measured{0, 0, 0, 0};
    const int height = DrawTextWide(dc, L"数据 W", measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(height, 0);
    EXPECT_GT(measured.right, 0);
    EXPECT_EQ(RgbAt(*bitmap, measured.right / 2, height / 2), (TRgb{255, 255, 255})) << "measuring draws nothing";

    RECT r{0, 0, 120, 30};
    EXPECT_EQ(DrawTextWide(dc, L"数据 W", r, DT_SINGLELINE), height);
    int dark = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < measured.right; ++x) dark += RgbAt(*bitmap, x, y).R < 128;
    EXPECT_GT(dark, 10);
}

TEST(SkinText, FindsTheControlOfAWindow) {
    PrepareApplication();
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    EXPECT_EQ(ControlFromHandle(button->Handle()), button);
    EXPECT_EQ(ControlFromHandle(form.Handle()), &form);
    EXPECT_EQ(ControlFromHandle(GetDesktopWindow()), nullptr);
    EXPECT_EQ(ControlFromHandle(nullptr), nullptr);
}

// Restore, maximise, minimise and close: black on white, white is transparent.
TEST(SkinResources, TheMenuGlyphsAreFourMaskedImages) {
    TSkinData skin(nullptr);
    TImageList& glyphs = *skin.MenuGlyphs();
    ASSERT_EQ(glyphs.Count(), 4);
    EXPECT_EQ(glyphs.Width(), 16);
    EXPECT_EQ(glyphs.Height(), 16);
    const auto paper = std::make_unique<TBitmap>();
    paper->SetPixelFormat(pf24bit);
    paper->SetSize(64, 16);
    const TRgb red{255, 0, 0};
    paper->Canvas()->Brush()->SetColor(RGB(255, 0, 0));
    paper->Canvas()->FillRect(TRect{0, 0, 64, 16});
    for (int i = 0; i < 4; ++i) glyphs.Draw(paper->Canvas(), 16 * i, 0, i);
    EXPECT_EQ(RgbAt(*paper, 6, 2), (TRgb{0, 0, 0})) << "restore: the back window's top";
    EXPECT_EQ(RgbAt(*paper, 16 + 3, 2), (TRgb{0, 0, 0})) << "maximise: the title";
    EXPECT_EQ(RgbAt(*paper, 16 + 6, 6), red) << "maximise: its inside shows through";
    EXPECT_EQ(RgbAt(*paper, 32 + 6, 9), (TRgb{0, 0, 0})) << "minimise: the bar";
    EXPECT_EQ(RgbAt(*paper, 32 + 6, 4), red);
    EXPECT_EQ(RgbAt(*paper, 48 + 7, 6), (TRgb{0, 0, 0})) << "close: the cross";
    EXPECT_EQ(RgbAt(*paper, 48 + 0, 0), red);
}

TEST(SkinResources, ACaptionFontAndTheMaximisedSize) {
    TSkinData skin(nullptr);
    skin.CreateCaptionFont();
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = 340;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
    EXPECT_EQ(skin.CaptionFont()->Name(), metrics.lfCaptionFont.lfFaceName);
    EXPECT_EQ(skin.CaptionFont()->Height(), metrics.lfCaptionFont.lfHeight);
    EXPECT_EQ(skin.MaximizedSize().cx, GetSystemMetrics(SM_CXMAXIMIZED));
    EXPECT_EQ(skin.MaximizedSize().cy, GetSystemMetrics(SM_CYMAXIMIZED));
    EXPECT_TRUE(skin.NonClientPainting);
}
