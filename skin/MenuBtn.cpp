#include "MenuBtn.h"

#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "WinSkinMenu.h"
#include "components/Graphics.h"
#include "components/TScreen.h"

// The item's column of the bar comes back from the bar's background, so that a frame drawn for
// the last state does not stay behind.
void TMenuBtn::Paint() {
    TWinSkinMenu* bar = Form->MenuBar;
    if (!bar || !SkinData || Rect.Width() <= 0) return;
    HDC dc = GetWindowDC(Form->Handle);
    if (!dc) return;
    const TRect& barRect = bar->BarRect();
    TBitmap* background = bar->Background();
    if (background && !background->Empty())
        BitBlt(dc, Rect.Left, barRect.Top, Rect.Width(), barRect.Height(), background->Canvas()->Handle(), Rect.Left - barRect.Left,
               0, SRCCOPY);
    if (State == ncPressed || State == ncHot) {
        HBRUSH frame = CreateSolidBrush(ColorToRGB(SkinData->Colours().ButtonHilight));
        const RECT r = Rect.ToRECT();
        FrameRect(dc, &r, frame);
        DeleteObject(frame);
    }
    HGDIOBJ oldFont = SelectObject(dc, Screen->MenuFont()->Handle());
    bar->DrawItemCaption(dc, *this, Rect);
    SelectObject(dc, oldFont);
    ReleaseDC(Form->Handle, dc);
}
