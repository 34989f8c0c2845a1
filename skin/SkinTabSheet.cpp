#include "SkinTabSheet.h"

#include "WinSkinData.h"
#include "components/TClassInfo.h"

const TClassInfo& TSkinTabSheet::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinTabSheet>("TSkinTabSheet").Build();
    return info;
}

bool TSkinTabSheet::BeforeMessage(TMessage& message) {
    if (!TSkinControl::BeforeMessage(message)) return false;
    if (Kind != 0) return true;
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINT:
        PaintFromWmPaint(message);
        return false;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(Handle, &client);
        HBRUSH face = SkinData ? SkinData->FaceBrush() : nullptr;
        if (face) FillRect(reinterpret_cast<HDC>(message.WParam), &client, face);
        else FillBackground(reinterpret_cast<HDC>(message.WParam), TRect{client.left, client.top, client.right, client.bottom});
        message.Result = 1;
        return false;
    }
    default:
        return true;
    }
}

void TSkinTabSheet::PaintSkin(HDC dc, const TRect& r) { FillBackground(dc, r); }
