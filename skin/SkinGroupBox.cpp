#include "SkinGroupBox.h"

#include "SkinPropByName.h"
#include "SkinText.h"
#include "WinSkinForm.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinGroupBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinGroupBox>("TSkinGroupBox").Build();
    return info;
}

void TSkinGroupBox::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    TSkinControl::AttachControl(form, skinData, canvas, useSkinColor);
    if (Control) Kind = 1;
}

bool TSkinGroupBox::BeforeMessage(TMessage& message) {
    if (!TSkinControl::BeforeMessage(message)) return false;
    if (Kind != 0 && message.Msg == WM_PAINT) {
        PaintFromWmPaint(message);
        return false;
    }
    return true;
}

void TSkinGroupBox::PaintSkin(HDC dc, const TRect& r) {
    std::wstring text = GetWindowTextWide(Handle);
    if (text.empty() && Control) GetWideStrPropByName(Control, "Caption", text);

    HFONT font = Control ? Control->Font()->Handle() : reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ oldFont = SelectObject(dc, font);
    const COLORREF oldText = SetTextColor(dc, ColorToRGB(Control ? Control->Font()->Color() : clBtnText));
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    const int y = zero.cy / 2;
    const int width = r.Width();
    const int height = r.Height();
    const TColor face = SkinData ? SkinData->Colours().ButtonFace : clBtnFace;

    if (Kind == 0) {
        // The system has drawn its etched frame: two lines in the face colour hide it.
        HBRUSH faceBrush = CreateSolidBrush(ColorToRGB(face));
        RECT frame{0, y, width, height};
        FrameRect(dc, &frame, faceBrush);
        InflateRect(&frame, -1, -1);
        FrameRect(dc, &frame, faceBrush);
        DeleteObject(faceBrush);
    }
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(SkinData ? SkinData->Colours().ButtonShadow : clBtnShadow));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 1, y, width - 1, height - 1, 5, 5);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);

    const int oldMode = SetBkMode(dc, OPAQUE);
    const COLORREF oldBack = SetBkColor(dc, ColorToRGB(face));
    RECT textBox{8, 0, width, height};
    DrawTextWide(dc, text, textBox, DT_EXPANDTABS);
    SetBkColor(dc, oldBack);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldText);
    SelectObject(dc, oldFont);
}
