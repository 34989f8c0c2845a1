#include "SkinTab31.h"

#include "DataSkinObject.h"
#include "ImgUtil.h"
#include "SkinControlDraw.h"
#include "SkinDraw.h"
#include "SkinPropByName.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"
#include "components/TStrings.h"

const TClassInfo& TSkinTab31::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinTab31>("TSkinTab31").Build();
    return info;
}

namespace {

constexpr int TabFrames = 5;
constexpr int ScrollControlRoom = 12;

TDataSkinBorder* TabsObject(TSkinData* skinData) {
    if (!skinData || !skinData->Objects.Tabs || !skinData->Objects.Tabs->HasImage()) return nullptr;
    return skinData->Objects.Tabs.get();
}

// A published integer of the tab set, 0 where it has none.
int OrdOf(TControl* control, const char* name) {
    const int value = GetOrdPropByName(control, name);
    return value < 0 ? 0 : value;
}

}  // namespace

void TSkinTab31::PrepareImage() {
    TDataSkinBorder* tabs = TabsObject(SkinData);
    if (!tabs) return;
    CopyBitmap(&tabs->Image, &FTabImage);
    FlipBitmap(&FTabImage);
}

void TSkinTab31::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    if (Attached) return;
    auto* control = dynamic_cast<TControl*>(Owner());
    if (!control) return;
    UseSkinColor = useSkinColor;
    AttachHandle(control->Handle(), skinData, canvas, form);
    Control = control;
    PrepareImage();
}

void TSkinTab31::Reskin() {
    PrepareImage();
    Repaint();
}

bool TSkinTab31::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        if (TabsObject(SkinData)) PaintFromWmPaint(message);
        return true;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

int TSkinTab31::TabCaptionWidth(TCanvas* canvas, const std::wstring& caption) {
    SIZE size{};
    GetTextExtentPoint32W(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &size);
    return size.cx;
}

void TSkinTab31::PaintSkin(HDC dc, const TRect& r) {
    TDataSkinBorder* tabs = TabsObject(SkinData);
    auto* captions = static_cast<TStrings*>(GetObjectPropByName(Control, "Tabs", TStrings::StaticClass()));
    if (!tabs || FTabImage.Empty() || !Control) return;
    FWork.SetPixelFormat(pf24bit);
    FWork.SetSize(r.Width(), r.Height());
    TCanvas* canvas = FWork.Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(SkinData->Colours().ButtonFace);
    canvas->FillRect(TRect{0, 0, r.Width(), r.Height()});
    canvas->Font()->Assign(Control->Font());

    const int selected = GetOrdPropByName(Control, "TabIndex");
    const bool scrollShown = ScrollControl && ScrollControl->Visible();
    const int limit = r.Width() - OrdOf(Control, "EndMargin") - (scrollShown ? ScrollControlRoom : 0);
    int x = OrdOf(Control, "StartMargin");
    const int count = captions ? captions->Count() : 0;
    for (int i = OrdOf(Control, "FirstIndex"); i < count; ++i) {
        const std::wstring caption = AnsiToWide(captions->Get(i));
        const int width = TabCaptionWidth(canvas, caption) + 9;
        // A tab too wide for the room left is passed over: a narrower one may still fit.
        if (x + width > limit) continue;
        const int state = i == selected ? 2 : 1;
        const TRect tab{x, 0, x + width, r.Height()};
        DrawSkinFrame(canvas->Handle(), tab, &FTabImage, false, tabs->Tile != 0, tabs->Trans != 0, TabFrames, state,
                      tabs->Margins());
        canvas->Font()->SetColor(state == 1 ? tabs->NormalColour2 : tabs->MouseOverColour2);
        DrawSkinText(this, canvas, tab, caption, WindowEnabled, DT_CENTER);
        x += width;
    }
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), canvas->Handle(), 0, 0, SRCCOPY);
}
