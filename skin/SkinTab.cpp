#include "SkinTab.h"

#include <algorithm>

#include "DataSkinObject.h"
#include "ImgUtil.h"
#include "SkinControlDraw.h"
#include "SkinControlFactory.h"
#include "SkinDraw.h"
#include "SkinMessages.h"
#include "SkinPanelDraw.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TPageControl.h"
#include "components/TPen.h"
#include "components/TTabSheet.h"

const TClassInfo& TSkinTab::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinTab>("TSkinTab").Build();
    return info;
}

namespace {

constexpr int TabFrames = 5;

TDataSkinBorder* TabsObject(TSkinData* skinData) {
    if (!skinData || !skinData->Objects.Tabs || !skinData->Objects.Tabs->HasImage()) return nullptr;
    return skinData->Objects.Tabs.get();
}

// The page of a page control behind the tab at that index: hidden pages have no tab.
TTabSheet* PageOfTab(TPageControl* pages, int tabIndex) {
    int tab = 0;
    for (int i = 0; i < pages->PageCount(); ++i) {
        TTabSheet* page = pages->Pages(i);
        if (!page->TabVisible()) continue;
        if (tab++ == tabIndex) return page;
    }
    return nullptr;
}

}  // namespace

TSkinTab::TSkinTab(TComponent* owner, int tabMode) : TSkinControl(owner), TabMode(tabMode) {
    FWork.SetPixelFormat(pf24bit);
}

// ---- attaching ------------------------------------------------------------------------------------

void TSkinTab::ReadTabPosition() {
    const LONG_PTR style = GetWindowLong(Handle, GWL_STYLE);
    const bool bottom = (style & TCS_BOTTOM) != 0;
    const bool vertical = (style & TCS_VERTICAL) != 0;
    TabPosition = bottom && vertical ? tpRight : bottom ? tpBottom : vertical ? tpLeft : tpTop;
}

void TSkinTab::PrepareImages() {
    ReadTabPosition();
    TDataSkinBorder* tabs = TabsObject(SkinData);
    if (!tabs) return;
    CopyBitmap(&tabs->Image, &FTabImage);
    FTabImage.SetPixelFormat(pf24bit);
    FPaneImage.SetSize(0, 0);
    if (tabs->Style == 0 && !tabs->Image2.Empty()) CopyBitmap(&tabs->Image2, &FPaneImage);
    else if (tabs->Style == 1 && SkinData->Objects.TabPane) CopyBitmap(&SkinData->Objects.TabPane->Image, &FPaneImage);
    if (!FPaneImage.Empty()) FPaneImage.SetPixelFormat(pf24bit);
    switch (TabPosition) {
    case tpBottom:
        FlipBitmap(&FTabImage);
        if (!FPaneImage.Empty()) FlipBitmap(&FPaneImage);
        break;
    case tpLeft:
        if (!FPaneImage.Empty()) RotateBitmapLeft(&FPaneImage);
        break;
    case tpRight:
        if (!FPaneImage.Empty()) RotateBitmapRight(&FPaneImage);
        break;
    default:
        break;
    }
}

void TSkinTab::AttachUpDown() {
    if (FUpDown) {
        FUpDownWindow = FUpDown->Handle;
        return;
    }
    HWND upDown = FindWindowExW(Handle, nullptr, L"msctls_updown32", nullptr);
    if (!upDown) return;
    FUpDownWindow = upDown;
    FUpDown = NewSkinUpDown(this);
    if (FUpDown) FUpDown->AttachHandle(upDown, SkinData, Canvas, Form);
}

void TSkinTab::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, canvas, useSkinColor);
    if (!Attached) return;
    WindowEnabled = (GetWindowLong(Handle, GWL_STYLE) & WS_DISABLED) == 0;
    ReadTabPosition();
    CloseMarks = Control->Tag() == CloseMarkTag && dynamic_cast<TPageControl*>(Control) && TabPosition == tpTop;
    PrepareImages();
    AttachUpDown();
    SkinEnabled = true;
    UnicodeWindow = IsWindowUnicode(Handle) != FALSE;
}

void TSkinTab::AttachHandle(HWND window, TSkinData* skinData, TCanvas* canvas, TWinSkinForm* form) {
    if (Attached) return;
    TSkinControl::AttachHandle(window, skinData, canvas, form);
    Focused = GetFocus() == window;
    WindowEnabled = (GetWindowLong(window, GWL_STYLE) & WS_DISABLED) == 0;
    PrepareImages();
    AttachUpDown();
    SkinEnabled = true;
    UnicodeWindow = IsWindowUnicode(window) != FALSE;
}

void TSkinTab::Reskin() {
    PrepareImages();
    Repaint();
}

// ---- messages -------------------------------------------------------------------------------------

bool TSkinTab::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        // Without tab images the control paints itself.
        if (!TabsObject(SkinData)) return TSkinControl::BeforeMessage(message);
        PaintFromWmPaint(message);
        return false;
    case WM_LBUTTONDOWN:
        if (CloseMarks && ClickCloseMark(static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam)))) {
            message.Result = 0;
            return false;
        }
        return TSkinControl::BeforeMessage(message);
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

bool TSkinTab::ClickCloseMark(int x, int y) {
    for (std::size_t i = 0; i < CloseRects.size(); ++i) {
        const TRect& mark = CloseRects[i];
        if (x < mark.Left || x >= mark.Right || y < mark.Top || y >= mark.Bottom) continue;
        const int index = static_cast<int>(i);
        // The form's handler may free the page control, and this skin with it.
        const std::weak_ptr<bool> life = LifeToken();
        const LRESULT answer =
            Form ? SendMessageW(Form->Handle, WM_SKINTABCLOSE, reinterpret_cast<WPARAM>(Handle), index) : 0;
        if (life.expired()) return true;
        if (answer == 0)
            if (auto* pages = dynamic_cast<TPageControl*>(Control))
                if (TTabSheet* page = PageOfTab(pages, index)) delete page;
        return true;
    }
    return false;
}

// ---- painting -------------------------------------------------------------------------------------

TRect TSkinTab::DisplayRect(const TRect& r) {
    RECT display{r.Left, r.Top, r.Right, r.Bottom};
    SendMessageW(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    InflateRect(&display, 4, 4);
    switch (TabPosition) {
    case tpTop: OffsetRect(&display, 0, 1); break;
    case tpBottom: OffsetRect(&display, 0, -1); break;
    case tpLeft: OffsetRect(&display, 1, 0); break;
    case tpRight: OffsetRect(&display, -1, 0); break;
    }
    return TRect{display.left, display.top, display.right, display.bottom};
}

TRect TSkinTab::StripRect(const TRect& r, const TRect& display) const {
    switch (TabPosition) {
    case tpBottom: return TRect{r.Left, display.Bottom, r.Right, r.Bottom};
    case tpLeft: return TRect{r.Left, r.Top, display.Left, r.Bottom};
    case tpRight: return TRect{display.Right, r.Top, r.Right, r.Bottom};
    default: return TRect{r.Left, r.Top, r.Right, display.Top};
    }
}

// Tabs on the sides are drawn as if they stood on top, in a strip turned a quarter.
TRect TSkinTab::TabInStrip(RECT tab, const TRect& r, const TRect& display, const TRect& strip) const {
    switch (TabPosition) {
    case tpBottom: return TRect{tab.left, tab.top - (display.Bottom + 1), tab.right, tab.bottom - (display.Bottom + 1)};
    case tpLeft: {
        const int height = strip.Height();
        return TRect{height - tab.bottom, tab.left, height - tab.top, tab.right};
    }
    case tpRight: return TRect{tab.top - 1, r.Right - tab.right, tab.bottom - 1, r.Right - tab.left};
    default: return TRect{tab.left, tab.top + 1, tab.right, tab.bottom + 1};
    }
}

std::wstring TSkinTab::TabText(int index) {
    if (UnicodeWindow) {
        wchar_t text[81] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
        item.pszText = text;
        item.cchTextMax = 80;
        SendMessageW(Handle, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    char text[81] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = text;
    item.cchTextMax = 80;
    SendMessageA(Handle, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return AnsiToWide(text);
}

void TSkinTab::PaintCloseMark(TCanvas* canvas, const TRect& tab, int index) {
    const int l = tab.Right - 8, t = tab.Top + 2, r = tab.Right - 2, b = tab.Top + 8;
    canvas->MoveTo(l, t);
    canvas->LineTo(r, t);
    canvas->LineTo(r, b);
    canvas->LineTo(l, b);
    canvas->LineTo(l, t);
    canvas->MoveTo(l, t);
    canvas->LineTo(r, b);
    canvas->MoveTo(r, t);
    canvas->LineTo(l, b);
    CloseRects[static_cast<std::size_t>(index)] = TRect{l, t, r, b};
}

void TSkinTab::PaintTabs(HDC dc, const TRect& r, const TRect& display) {
    TDataSkinBorder* tabs = TabsObject(SkinData);
    const TRect strip = StripRect(r, display);
    if (strip.Width() <= 0 || strip.Height() <= 0) return;
    const bool sideways = TabPosition == tpLeft || TabPosition == tpRight;
    FWork.SetPixelFormat(pf24bit);
    FWork.SetSize(sideways ? strip.Height() : strip.Width(), sideways ? strip.Width() : strip.Height());
    TCanvas* canvas = FWork.Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(SkinData->Colours().ButtonFace);
    canvas->FillRect(TRect{0, 0, FWork.Width(), FWork.Height()});
    SelectWindowFont(canvas, Handle);

    const int count = static_cast<int>(SendMessageW(Handle, TCM_GETITEMCOUNT, 0, 0));
    const int focused = static_cast<int>(SendMessageW(Handle, TCM_GETCURFOCUS, 0, 0));
    for (int i = 0; i < count; ++i) {
        const std::wstring text = TabText(i);
        RECT tabRect{};
        if (!SendMessageW(Handle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tabRect))) continue;
        const TRect tab = TabInStrip(tabRect, r, display, strip);
        const int state = i == focused ? 2 : 1;
        DrawSkinFrame(canvas->Handle(), tab, &FTabImage, false, tabs->Tile != 0, tabs->Trans != 0, TabFrames, state,
                      tabs->Margins());
        if (CloseMarks) PaintCloseMark(canvas, tab, i);
        canvas->Font()->SetColor(state == 1 ? tabs->NormalColour2 : tabs->MouseOverColour2);
        DrawTextWithImage(this, canvas, tab, nullptr, -1, text, 1);
    }
    if (TabPosition == tpRight) RotateBitmapRight(&FWork);
    else if (TabPosition == tpLeft) RotateBitmapLeft(&FWork);

    const int saved = SaveDC(dc);
    if (FUpDownWindow && IsWindowVisible(FUpDownWindow)) {
        RECT upDown{};
        GetWindowRect(FUpDownWindow, &upDown);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&upDown), 2);
        ExcludeClipRect(dc, upDown.left, upDown.top, upDown.right, upDown.bottom);
    }
    BitBlt(dc, strip.Left, strip.Top, strip.Width(), strip.Height(), FWork.Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
}

void TSkinTab::PaintPane(HDC dc, const TRect& display) {
    TDataSkinBorder* tabs = TabsObject(SkinData);
    TFrameMargins margins{4, 5, 4, 4};
    if (tabs && tabs->Style != 0 && SkinData->Objects.TabPane) {
        const TFrameMargins pane = SkinData->Objects.TabPane->Margins();
        margins = TFrameMargins{std::min(pane.Left, 4), std::min(pane.Top, 4), std::min(pane.Right, 4), std::min(pane.Bottom, 4)};
    }
    DrawSkinFrame(dc, display, &FPaneImage, false, false, false, 1, 1, margins);
}

void TSkinTab::PaintSkin(HDC dc, const TRect& r) {
    const TRect display = DisplayRect(r);
    const int count = static_cast<int>(SendMessageW(Handle, TCM_GETITEMCOUNT, 0, 0));
    CloseRects.assign(static_cast<std::size_t>(std::max(count, 0)), TRect{0, 0, 0, 0});
    if (TabsObject(SkinData) && !FTabImage.Empty()) PaintTabs(dc, r, display);
    if (!FPaneImage.Empty()) PaintPane(dc, display);
}
