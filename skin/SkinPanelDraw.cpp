#include "SkinPanelDraw.h"

#include "SkinText.h"
#include "components/Graphics.h"
#include "components/TCanvas.h"

void SelectWindowFont(TCanvas* canvas, HWND window) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA logFont{};
    if (GetObjectA(font, sizeof logFont, &logFont)) canvas->Font()->AssignLogFont(logFont);
}

void FillColour(HDC dc, const TRect& r, TColor colour) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
    RECT box{r.Left, r.Top, r.Right, r.Bottom};
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

void DrawTabCaption(TCanvas* canvas, const TRect& r, const std::wstring& text, int alignment, bool enabled) {
    static constexpr UINT alignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    const UINT flag = alignment >= 0 && alignment <= 2 ? alignmentFlags[alignment] : DT_LEFT;
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetStyle(0);
    if (!enabled) canvas->Font()->SetColor(clBtnShadow);
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
    RECT box{r.Left, r.Top, r.Right, r.Bottom};
    DrawTextWide(dc, text, box, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | flag);
    OffsetRect(&box, (r.Width() - (box.right - box.left)) / 2, (r.Height() - (box.bottom - box.top)) / 2);
    DrawTextWide(dc, text, box, DT_EXPANDTABS | DT_SINGLELINE | flag);
}
