#include "SkinMenuButton.h"

#include "DataSkinObject.h"
#include "SkinControlDraw.h"
#include "SkinControlFactory.h"
#include "SkinDraw.h"
#include "SkinPropByName.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinMenuButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinMenuButton>("TSkinMenuButton").Build();
    return info;
}

TSkinControl* NewSkinMenuButton(TComponent* owner) { return new TSkinMenuButton(owner); }

void TSkinMenuButton::PaintSkin(HDC dc, const TRect& r) {
    TDataSkinButton* object = ButtonObject();
    if (!object) return;
    ReadWindowState();
    ReadText();
    // No focused look: the arrow already says what the button does.
    int frame = 1;
    if (!WindowEnabled) frame = 3;
    else if (MouseState & msPressed) frame = 2;
    else if ((MouseState & msHot) || Focused) frame = 4;

    TBitmap* buffer = SkinBackBuffer();
    buffer->SetSize(r.Width(), r.Height());
    const int width = r.Width(), height = r.Height();
    const TRect area{0, 0, width, height};
    TCanvas* canvas = buffer->Canvas();
    TakeFont(canvas);
    PaintBackground(canvas->Handle(), area);
    DrawSkinObject(canvas->Handle(), area, object, frame, 5);

    const std::wstring text = ReplaceFirst(Text, L"||", L"\r\n");
    RECT box{2, 2, width - ArrowAreaWidth - 2, height - 2};
    HDC target = canvas->Handle();
    DrawTextWide(target, text, box, DT_CALCRECT | DT_WORDBREAK);
    const int w = box.right - box.left, h = box.bottom - box.top;
    box.left = (width - ArrowAreaWidth - w) / 2 + 2;
    box.top = (height - h + 1) / 2;
    box.right = box.left + w;
    box.bottom = box.top + h;

    const TColor markColour = WindowEnabled ? clWindowText : clBtnShadow;
    canvas->Brush()->SetColor(markColour);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetColor(markColour);
    const int c = height / 2 + 2;
    const POINT arrow[3] = {{width - 12, c}, {width - 15, c - 3}, {width - 9, c - 3}};
    target = canvas->Handle();
    Polygon(target, arrow, 3);

    SetTextColor(target, ColorToRGB(FrameTextColour(frame, canvas->Font()->Color())));
    SetBkMode(target, TRANSPARENT);
    DrawTextWide(target, text, box, DT_WORDBREAK);
    if (Focused && !(SkinData->Options() & SkinOptionBit(xoNoFocusRect))) {
        InflateRect(&box, 2, 2);
        DrawFocusRect(target, &box);
    }
    BitBlt(dc, r.Left, r.Top, width, height, target, 0, 0, SRCCOPY);
}
