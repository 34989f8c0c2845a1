#include "components/TToolButton.h"

#include "components/TClassInfo.h"
#include "components/TImageList.h"
#include "components/TMenuItem.h"
#include "components/TToolBar.h"

const TEnumType ToolButtonStyleType{"TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"}};

const TClassInfo& TToolButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TToolButton>("TToolButton")
        .Str("Caption", &TToolButton::Caption, &TToolButton::SetCaption)
        .Bool("Down", &TToolButton::Down, &TToolButton::SetDown).Default(0)
        .Int("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1)
        .Object("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem)
        .Enum("Style", ToolButtonStyleType, &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton)
        .Build();
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
    // A quick second click is a second click, not a double click.
    SetControlStyle(csClickEvents);
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

int TToolButton::Index() const {
    TToolBar* bar = ToolBar();
    if (!bar) return -1;
    for (int i = 0; i < bar->ButtonCount(); ++i)
        if (bar->Buttons(i) == this) return i;
    return -1;
}

int TToolButton::PreferredWidth() {
    TToolBar* bar = ToolBar();
    if (FStyle == tbsSeparator || FStyle == tbsDivider) return Width();
    int width = bar ? bar->ButtonWidth() : Width();
    if (bar && bar->ShowCaptions() && !Caption().empty()) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, Font()->Handle());
        SIZE size{0, 0};
        const std::string text = StripHotkey(Caption());
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        width = std::max(width, static_cast<int>(size.cx) + 12);
    }
    return width;
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    const bool becomesGap = (style == tbsSeparator || style == tbsDivider) && FStyle != tbsSeparator && FStyle != tbsDivider;
    FStyle = style;
    if (becomesGap && Width() == 23) SetBounds(Left(), Top(), 8, Height());
    if (TToolBar* bar = ToolBar()) bar->AlignControls();
    Invalidate();
}

void TToolButton::SetImageIndex(int index) {
    FImageIndex = index;
    Invalidate();
}

void TToolButton::SetDown(bool down) {
    FDown = down;
    Invalidate();
}

void TToolButton::SetMenuItem(TMenuItem* item) {
    if (FMenuItem) FMenuItem->RemoveFreeNotification(this);
    FMenuItem = item;
    if (item) item->FreeNotification(this);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FMenuItem) FMenuItem = nullptr;
}

void TToolButton::Click() {
    if (FStyle == tbsSeparator || FStyle == tbsDivider || !Enabled()) return;
    if (FStyle == tbsCheck) SetDown(!FDown);
    if (OnClick) OnClick(this);
    else if (FMenuItem) FMenuItem->Click();
}

TCustomDrawState TToolButton::ButtonState() const {
    TCustomDrawState state = 0;
    if (FPressed || FDown) state |= cdsSelected;
    if (FDown) state |= cdsChecked;
    if (FHot) state |= cdsHot;
    if (!Enabled()) state |= cdsDisabled | cdsGrayed;
    return state;
}

void TToolButton::Paint() {
    TToolBar* bar = ToolBar();
    bool defaultDraw = true;
    if (bar && bar->OnCustomDrawButton) bar->OnCustomDrawButton(bar, this, ButtonState(), defaultDraw);
    if (defaultDraw) PaintPlain(Canvas(), ClientRect());
}

void TToolButton::PaintPlain(TCanvas* canvas, const TRect& r) {
    TToolBar* bar = ToolBar();
    HDC dc = canvas->Handle();
    RECT rc = r.ToRECT();
    if (FStyle == tbsSeparator || FStyle == tbsDivider) {
        if (FStyle == tbsDivider) {
            RECT line{r.Width() / 2 - 1, 2, r.Width() / 2 + 1, r.Bottom - 2};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
        }
        return;
    }
    const bool flat = bar && bar->Flat();
    if (FPressed || FDown) DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    else if (FHot || !flat) DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
    const int shift = (FPressed || FDown) ? 1 : 0;
    TImageList* images = bar ? bar->Images() : nullptr;
    const bool captions = bar && bar->ShowCaptions() && !Caption().empty();
    int imageBottom = 0;
    if (images && FImageIndex >= 0) {
        const int x = (r.Width() - images->Width()) / 2 + shift;
        const int y = captions ? 3 + shift : (r.Height() - images->Height()) / 2 + shift;
        images->Draw(canvas, x, y, FImageIndex, Enabled());
        imageBottom = y + images->Height();
    }
    if (captions || !images) {
        TRect text{r.Left + shift, (imageBottom ? imageBottom : r.Top) + shift, r.Right + shift, r.Bottom + shift};
        canvas->Brush()->SetStyle(bsClear);
        if (!Enabled()) canvas->Font()->SetColor(clGrayText);
        canvas->DrawText(Caption(), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
}

void TToolButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Enabled() && FStyle != tbsSeparator && FStyle != tbsDivider) {
            FPressed = true;
            Repaint();
        }
        TGraphicControl::WndProc(m);
        return;
    case WM_LBUTTONUP:
        if (FPressed) {
            FPressed = false;
            Repaint();
        }
        break;
    case CM_MOUSEENTER:
        FHot = Enabled();
        Invalidate();
        return;
    case CM_MOUSELEAVE:
        FHot = false;
        Invalidate();
        return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}
