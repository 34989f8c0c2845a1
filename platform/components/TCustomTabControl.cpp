#include "components/TCustomTabControl.h"

#include <commctrl.h>

#include "components/TApplication.h"
#include "components/TClassInfo.h"
#include "components/TCustomControl.h"

const TClassInfo& TCustomTabControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomTabControl>("TCustomTabControl")
        .Event("OnChange", &TCustomTabControl::OnChange)
        .Build();
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetControlStyle(csAcceptsControls);
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    StartCommonControls();
    params.BaseClassName = WC_TABCONTROLA;
    params.Style |= WS_CLIPCHILDREN;
}

int TCustomTabControl::TabIndex() { return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)) : -1; }

void TCustomTabControl::SetTabIndex(int index) { SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0); }

TRect TCustomTabControl::DisplayRect() {
    RECT r{0, 0, 0, 0};
    const TRect client = ClientRect();
    r = client.ToRECT();
    if (HandleAllocated()) SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return TRect::From(r);
}

void TCustomTabControl::SetTabs(const std::vector<std::string>& captions) {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    SendMessageA(window, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < captions.size(); ++i) {
        std::string text = captions[i];
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageA(window, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}

void TCustomTabControl::Change() {
    if (OnChange) OnChange(this);
}

void TCustomTabControl::WndProc(TMessage& m) {
    // The standard tab control leaves the row beside its tabs unpainted.
    if (EraseControlBackground(*this, m)) return;
    if (m.Msg == CN_NOTIFY) {
        if (reinterpret_cast<NMHDR*>(m.LParam)->code == static_cast<UINT>(TCN_SELCHANGE)) Change();
        return;
    }
    TWinControl::WndProc(m);
}
