#include "components/TCustomLabel.h"

#include "components/TClassInfo.h"
#include "components/TWinControl.h"

const TEnumType TextLayoutType{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}};

const TClassInfo& TCustomLabel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomLabel>("TCustomLabel")
        .Str("Caption", &TCustomLabel::Caption, &TCustomLabel::SetCaption)
        .Enum("Alignment", AlignmentType, &TCustomLabel::Alignment, &TCustomLabel::SetAlignment).Default(taLeftJustify)
        .Bool("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize).Default(1)
        .Object("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)
        .Enum("Layout", TextLayoutType, &TCustomLabel::Layout, &TCustomLabel::SetLayout).Default(tlTop)
        .Bool("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar).Default(1)
        .Bool("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent).Default(0)
        .Bool("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap).Default(0)
        .Build();
    return info;
}

const TClassInfo& TLabel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TLabel>("TLabel").Build();
    return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

UINT TCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    if (FAlignment == taCenter) flags |= DT_CENTER;
    else if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    return flags;
}

TRect TCustomLabel::MeasureText(int width) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    RECT r{0, 0, width, 0};
    std::string text = Caption();
    // An empty label still measures one line, so that it keeps a height.
    if (text.empty()) text = " ";
    DrawTextA(dc, text.c_str(), -1, &r, (TextFlags() & ~static_cast<UINT>(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return TRect::From(r);
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || InState(csLoading)) return;
    const TRect r = MeasureText(FWordWrap ? Width() : 0);
    SetBounds(Left(), Top(), FWordWrap ? Width() : r.Width(), r.Height());
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool wrap) {
    FWordWrap = wrap;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
    FLayout = layout;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool transparent) {
    FTransparent = transparent;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool show) {
    FShowAccelChar = show;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = control;
    if (control) control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetStyle(bsClear);
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    if (FLayout != tlTop) {
        const TRect measured = MeasureText(FWordWrap ? r.Width() : 0);
        const int offset = FLayout == tlCenter ? (r.Height() - measured.Height()) / 2 : r.Height() - measured.Height();
        r.Top += offset;
    }
    canvas->DrawText(Caption(), r, TextFlags());
}

void TCustomLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        AdjustBounds();
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        // The accelerator of a label moves the focus to its control.
        if (FFocusControl && FShowAccelChar && IsAccel(static_cast<char>(m.WParam), Caption()) && FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            m.Result = 1;
        }
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}
