#include "SkinStatusBar.h"

#include <algorithm>

#include "DataSkinObject.h"
#include "SkinControlDraw.h"
#include "SkinDraw.h"
#include "SkinPanelDraw.h"
#include "SkinPropByName.h"
#include "WinSkinData.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TCustomStatusBar.h"

const TClassInfo& TSkinStatusBar::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinStatusBar>("TSkinStatusBar").Build();
    return info;
}

namespace {

constexpr int EdgeFrames = 3;
constexpr int SizeGripFrame = 5;

TDataSkinObject* EdgeImage(TSkinData* skinData) {
    if (!skinData || !skinData->Objects.StatusBarEdges || !skinData->Objects.StatusBarEdges->HasImage()) return nullptr;
    return skinData->Objects.StatusBarEdges.get();
}

int FrameOfBevel(TStatusPanelBevel bevel) {
    switch (bevel) {
    case pbRaised: return 2;
    case pbLowered: return 1;
    default: return 3;
    }
}

UINT AlignmentFlag(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

TRect TextBox(const TRect& r) { return TRect{r.Left + 2, r.Top, r.Right - 2, r.Bottom}; }

}  // namespace

bool TSkinStatusBar::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        PaintFromWmPaint(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinStatusBar::PaintFrame(HDC dc, const TRect& r, int frameIndex) {
    if (TDataSkinObject* edges = EdgeImage(SkinData)) {
        DrawSkinFrame(dc, r, &edges->Image, false, edges->Tile != 0, false, EdgeFrames, frameIndex, edges->Margins());
        return;
    }
    if (frameIndex == 3) return;
    const TColor topLeft = frameIndex == 1 ? clBtnShadow : clBtnHighlight;
    const TColor bottomRight = frameIndex == 1 ? clBtnHighlight : clBtnShadow;
    FillColour(dc, TRect{r.Left, r.Top, r.Right, r.Top + 1}, topLeft);
    FillColour(dc, TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, topLeft);
    FillColour(dc, TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    FillColour(dc, TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

void TSkinStatusBar::PaintSimpleText(TCanvas* canvas, const TRect& r) {
    std::wstring text;
    GetWideStrPropByName(Control, "simpletext", text);
    if (!Control) text = Text;
    PaintFrame(canvas->Handle(), r, 1);
    if (text.empty()) text = L" ";
    const bool rightToLeft = Control && Control->IsRightToLeft();
    DrawSkinText(this, canvas, TextBox(r), text, WindowEnabled, rightToLeft ? DT_RIGHT : DT_LEFT);
}

void TSkinStatusBar::PaintPanels(TCanvas* canvas, const TRect& r) {
    auto* bar = dynamic_cast<TCustomStatusBar*>(Control);
    TStatusPanels* panels = bar->Panels();
    const int count = panels->Count();
    const TColor textColour = canvas->Font()->Color();
    for (int i = 0; i < count; ++i) {
        TStatusPanel* panel = (*panels)[i];
        TAlignment alignment = panel->Alignment();
        if (bar->IsRightToLeft() && alignment != taCenter)
            alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
        RECT box{};
        if (!SendMessageW(Handle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&box))) continue;
        TRect panelRect{box.left, box.top, box.right + 2, box.bottom};
        if (i == count - 1) panelRect.Right = r.Right;
        PaintFrame(canvas->Handle(), panelRect, FrameOfBevel(panel->Bevel()));
        if (panel->Style() != psText) continue;
        std::wstring text;
        GetWideStrPropByName(panel, "Text", text);
        if (text.empty()) text = L" ";
        canvas->Font()->SetColor(textColour);
        DrawSkinText(this, canvas, TextBox(panelRect), text, WindowEnabled, static_cast<int>(AlignmentFlag(alignment)));
    }
}

void TSkinStatusBar::PaintSizeGrip(HDC dc, const TRect& r) {
    TSkinObjects& objects = SkinData->Objects;
    if (!(GetWindowLong(Handle, GWL_STYLE) & SBARS_SIZEGRIP) || !objects.ExtraImages || !objects.ExtraImages->HasImage()) return;
    TBitmap* strip = &objects.ExtraImages->Image;
    const int frames = std::max(objects.ExtraImages->Frame, 1);
    const int width = strip->Width() / frames;
    const TRect grip{r.Right - 1 - width, r.Bottom - 1 - strip->Height(), r.Right - 1, r.Bottom - 1};
    DrawGlyphFrame(dc, grip, strip, SizeGripFrame, frames);
}

void TSkinStatusBar::CallDrawPanelHandler(HDC) {
    auto* bar = dynamic_cast<TCustomStatusBar*>(Control);
    if (!bar || !bar->OnDrawPanel) return;
    for (int i = 0; i < bar->Panels()->Count(); ++i) {
        RECT box{};
        if (!SendMessageW(Handle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&box))) continue;
        bar->OnDrawPanel(bar, (*bar->Panels())[i], TRect{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2});
    }
}

void TSkinStatusBar::PaintSkin(HDC dc, const TRect& r) {
    if (!SkinData) return;
    TBitmap* buffer = SkinBackBuffer();
    buffer->SetSize(r.Width(), r.Height());
    TCanvas* canvas = buffer->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(SkinData->Colours().ButtonFace);
    canvas->FillRect(r);
    if (Control) canvas->Font()->Assign(Control->Font());
    else SelectWindowFont(canvas, Handle);
    canvas->Font()->SetStyle(0);
    if (TDataSkinObject* edges = EdgeImage(SkinData)) canvas->Font()->SetColor(edges->NormalColour2);

    auto* bar = dynamic_cast<TCustomStatusBar*>(Control);
    if (!bar || bar->SimplePanel() || bar->Panels()->Count() == 0) PaintSimpleText(canvas, r);
    else PaintPanels(canvas, r);
    PaintSizeGrip(canvas->Handle(), r);

    BlitBackBuffer(dc, r);
    CallDrawPanelHandler(dc);
}
