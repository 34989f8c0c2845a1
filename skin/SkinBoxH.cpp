#include "SkinBoxH.h"

#include "WinSkinData.h"
#include "components/TClassInfo.h"

const TClassInfo& TSkinBoxH::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinBoxH>("TSkinBoxH").Build();
    return info;
}

bool TSkinBoxH::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND: {
        RECT window{};
        GetWindowRect(Handle, &window);
        FillBackground(reinterpret_cast<HDC>(message.WParam), TRect{0, 0, window.right - window.left, window.bottom - window.top});
        message.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        CallOldWindowProc(message);
        if (SkinData && SkinData->FaceBrush()) message.Result = reinterpret_cast<LRESULT>(SkinData->FaceBrush());
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}
