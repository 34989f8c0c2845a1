#include "components/TCustomMemo.h"

#include "components/TClassInfo.h"
#include "components/TMemoStrings.h"

const TEnumType ScrollStyleType{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};

const TClassInfo& TCustomMemo::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomMemo>("TCustomMemo")
        .Object("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines)
        .Enum("ScrollBars", ScrollStyleType, &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).Default(ssNone)
        .Bool("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(1)
        .Bool("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(1)
        .Build();
    return info;
}

const TClassInfo& TMemo::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMemo>("TMemo").Build();
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), FLines(std::make_unique<TMemoStrings>(*this)) { SetBounds(0, 0, 185, 89); }

TCustomMemo::~TCustomMemo() = default;

TStrings* TCustomMemo::Lines() { return FLines.get(); }

void TCustomMemo::SetLines(TStrings* lines) { FLines->Assign(lines); }

void TCustomMemo::SetScrollBars(TScrollStyle style) {
    if (style == FScrollBars) return;
    FScrollBars = style;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool wrap) {
    if (wrap == FWordWrap) return;
    FWordWrap = wrap;
    RecreateWnd();
}

void TCustomMemo::AppendText(const std::string& text) {
    if (!HandleAllocated()) {
        SetText(Text() + text);
        return;
    }
    const LRESULT end = GetWindowTextLengthA(Handle());
    ReplaceRange(static_cast<int>(end), static_cast<int>(end), text);
}

void TCustomMemo::ReplaceText(const std::string& text) {
    if (!HandleAllocated()) {
        SetText(text);
        return;
    }
    ReplaceRange(0, -1, text);
}

// The change is drawn with the window's next paint, scroll bars and all: drawing them at once,
// as the edit window does while it may draw, takes tens of milliseconds on some systems.
void TCustomMemo::ReplaceRange(int start, int end, const std::string& text) {
    HWND window = Handle();
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    SendMessageA(window, EM_SETSEL, static_cast<WPARAM>(start), end);
    SendMessageA(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | (FWantReturns ? ES_WANTRETURN : 0);
    if (!FWordWrap) params.Style |= ES_AUTOHSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) params.Style |= WS_VSCROLL;
    if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap) params.Style |= WS_HSCROLL;
}

void TCustomMemo::InitializeWindow() {
    TCustomEdit::InitializeWindow();
    // A memo takes as much text as memory allows unless MaxLength says otherwise.
    if (MaxLength() == 0) SendMessageA(Handle(), EM_LIMITTEXT, 0x7FFFFFFE, 0);
}

void TCustomMemo::WndProc(TMessage& m) {
    // Return makes a new line; Tab and Escape still move the focus and close dialogs.
    if (m.Msg == WM_GETDLGCODE) {
        DefaultHandler(m);
        m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        m.Result |= DLGC_WANTARROWS;
        if (FWantReturns && m.WParam == VK_RETURN) m.Result |= DLGC_WANTALLKEYS;
        return;
    }
    TCustomEdit::WndProc(m);
}
