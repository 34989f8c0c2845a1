// A skinned window: attaching, laying out the frame for the skin, and giving the window back.
#include "WinSkinForm.h"

#include <algorithm>

#include "SkinControl.h"
#include "SkinDraw.h"
#include "SkinMessages.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "WinSkinDlg.h"
#include "WinSysButton.h"
#include "components/PropertyAccess.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"
#include "components/TCustomForm.h"
#include "components/TMainMenu.h"
#include "components/TPopupMenu.h"
#include "components/TTimer.h"
#include "components/TToolBar.h"

namespace {

constexpr int HoverIntervalMs = 250;
// The size of the non-client metrics as every version of Windows since 95 fills them.
constexpr UINT ClassicNonClientMetricsSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);

bool RunsOnWindowsNT() {
    static const bool nt = [] {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }();
    return nt;
}

bool HasControls(TSkinData* skinData, TSkinControlType type) {
    return skinData && (skinData->SkinControls() & SkinControlBit(type)) != 0;
}

bool HasOption(TSkinData* skinData, TSkinOption option) {
    return skinData && (skinData->Options() & SkinOptionBit(option)) != 0;
}

// Each item of the menu and all their sub-items, depth first, with their depth (1 for the
// items of the root).
void ForEachItem(TMenuItem* parent, int level, const std::function<void(TMenuItem*, int)>& visit) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        visit(item, level);
        ForEachItem(item, level + 1, visit);
    }
}

}  // namespace

const TClassInfo& TWinSkinForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TWinSkinForm>("TWinSkinForm").Build();
    return info;
}

TWinSkinForm::TWinSkinForm(TComponent* owner)
    : TComponent(owner),
      CaptionFont(std::make_unique<TFont>()),
      IconBitmap(std::make_unique<TBitmap>()),
      CaptionBuffer(std::make_unique<TBitmap>()),
      Canvas(std::make_unique<TCanvas>()) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = ClassicNonClientMetricsSize;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ClassicNonClientMetricsSize, &metrics, 0))
        CaptionFont->AssignLogFont(metrics.lfCaptionFont);
    IconBitmap->SetPixelFormat(pf24bit);
    CaptionBuffer->SetPixelFormat(pf24bit);
    DoubleClickTime = GetDoubleClickTime();
}

TWinSkinForm::~TWinSkinForm() {
    FLife.reset();
    FreeControls();
    FreeSysButtons();
    FreeMenuBar(false);
    SysMenuPopup.reset();
    ReleaseFormHook();
    FreeIconCopy();
    if (SkinManager) SkinManager->RemoveForm(this);
}

// ---- attaching ----------------------------------------------------------------------------------

void TWinSkinForm::AttachForm(TSkinData* skinData, TControl* control) {
    Control = control;
    if (IsPublishedProp(control, "AutoScroll")) SetPropValue(control, "AutoScroll", "False");
    AttachWindow(skinData);
    if (SkinFrame && !OldWindowProc) {
        OldWindowProc = control->WindowProc;
        control->WindowProc = [this](TMessage& message) { FormWindowProc(message); };
    }
    SavedColor = control->Color();
    control->SetColor(skinData->Colours().ButtonFace);
    if (HasControls(skinData, xcMenuItem)) SetMainMenuOwnerDraw(control, true);
}

void TWinSkinForm::AttachWindow(TSkinData* skinData) {
    if (WndProcInstance.Installed()) return;
    if (SkinManager) SkinManager->RunState = rsRunning;
    SkinData = skinData;
    if (!Timer) {
        Timer = new TTimer(this);
        Timer->SetEnabled(false);
        Timer->SetInterval(HoverIntervalMs);
        Timer->OnTimer = [this](TObject*) { TimerTick(); };
    }

    SkinFrame = HasControls(skinData, xcMainMenu);
    Style = static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_EXSTYLE));
    RightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    IsChild = (Style & WS_CHILD) != 0;
    WindowClass = GetWindowClassName(Handle);
    OwnerWindow = GetWindow(Handle, GW_OWNER);

    ButtonSet = 0;
    if (Style & WS_SYSMENU) ButtonSet |= bsSystemMenu;
    if (Style & WS_MINIMIZEBOX) ButtonSet |= bsMinimizeBox;
    if (Style & WS_MAXIMIZEBOX) ButtonSet |= bsMaximizeBox;

    ReadPlacement();
    Sizable = (Style & WS_THICKFRAME) != 0;
    FindMDIClient();
    if (exStyle & WS_EX_MDICHILD) {
        WindowKind = wkMDIChild;
        if (HasOption(skinData, xoMDIChildBorder)) SkinFrame = false;
    }

    BorderKind = bkSingle;
    if ((Style & WS_CAPTION) != WS_CAPTION) BorderKind = bkNoCaption;
    else if (Style & WS_THICKFRAME) BorderKind = bkSizable;
    else if (Style & DS_MODALFRAME) BorderKind = bkDialog;
    if (exStyle & WS_EX_DLGMODALFRAME) BorderKind = bkDialog;

    // Windows 2000 draws the caption of top-level windows itself: the caption style is taken
    // off there while the window is skinned.
    const DWORD version = GetVersion();
    const int major = LOBYTE(LOWORD(version)), minor = HIBYTE(LOWORD(version));
    if (major > 4 && minor == 0 &&
        (((exStyle & WS_EX_APPWINDOW) && RunsOnWindowsNT()) || (!OwnerWindow && WindowKind != wkMDIChild)))
        ButtonSet |= bsCaptionRemoved;

    IsUnicode = IsWindowUnicode(Handle) != FALSE;
    if (WindowClass == "#32770" || WindowClass == "TMessageForm") {
        BorderKind = bkDialog;
        IsDialog = true;
    }
    if (WindowsVersion & 0x80000000u) skinData->SetSkinControls(skinData->SkinControls() & ~SkinControlBit(xcSystemMenu));

    if (WindowKind == wkMDIForm) {
        SavedMenuUpdate = skinData->MenuUpdate();
        MDIClientInstance.Install(MDIClient, false, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
            return MDIClientWndProc(msg, wParam, lParam);
        });
    }
    WndProcInstance.Install(Handle, IsUnicode,
                            [this](UINT msg, WPARAM wParam, LPARAM lParam) { return SkinWndProc(msg, wParam, lParam); });

    if (SkinFrame) {
        MenuHandle = GetMenu(Handle);
        if (MenuHandle && WindowKind != wkMDIChild && MakeMenuBar()) MenuBarHeight = GetSystemMetrics(SM_CYMENU);
        const bool mdiMaximized = SkinManager && SkinManager->MDIMaximized;
        if (!(WindowKind == wkMDIChild && mdiMaximized) && ShowState != ssMinimized) SetCaptionStyle(false);
        UpdateMetrics();
    } else {
        State = wsSkinned;
    }

    if (WindowKind == wkMDIChild) {
        const int least = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (BorderTop < least) MenuBarHeight = least - BorderTop;
        if (ShowState == ssMaximized && SkinManager && !SkinManager->MDIMaximized) SkinManager->SetMDIMaximized(true);
    }
}

// ---- the frame's metrics ------------------------------------------------------------------------

void TWinSkinForm::UpdateMetrics() {
    if (!SkinData || SkinData->SkinEmpty()) return;
    if (BorderKind == bkNoCaption) {
        BorderLeft = BorderTop = BorderRight = BorderBottom = MenuBarHeight = 0;
    } else {
        const auto across = [](TDataSkinBorder* b) { return b ? b->Image.Width() / UsableFrameCount(b->Frame) : 0; };
        const auto down = [](TDataSkinBorder* b) { return b ? b->Image.Height() / UsableFrameCount(b->Frame) : 0; };
        BorderLeft = across(Border(1));
        BorderRight = across(Border(2));
        BorderTop = down(Border(3));
        BorderBottom = down(Border(4));
    }
    for (TBorderPicture& picture : FBorderPictures) picture = TBorderPicture();
    FreeSysButtons();
    for (const auto& description : SkinData->Objects.TitleButtons) {
        SysButtons.push_back(std::make_unique<TWinSysButton>(this, description.get()));
        if (description->Action != 3 && description->Action != 11) continue;
        // The window-icon button shows the window's icon; a skin without a picture of its own
        // for it, or for the program's icon, takes this window's.
        PrepareIcon(*IconBitmap);
        if (description->Image.Empty()) description->Image.Assign(IconBitmap.get());
        if (TBitmap* appIcon = SkinData->AppIconBitmap(); appIcon && appIcon->Empty()) appIcon->Assign(IconBitmap.get());
        description->Frame = 1;
    }
}

void TWinSkinForm::FreeSysButtons() {
    for (const auto& button : SysButtons)
        if (HotObject == button.get()) HotObject = nullptr;
    SysButtons.clear();
}

void TWinSkinForm::ReadMetrics() {
    RECT client{}, window{};
    GetClientRect(Handle, &client);
    GetWindowRect(Handle, &window);
    ClientRect = TRect::From(client);
    SystemFrame = TRect{0, 0, static_cast<int>((window.right - window.left) - client.right),
                        static_cast<int>((window.bottom - window.top) - client.bottom)};
}

void TWinSkinForm::SetCaptionStyle(bool on) {
    if (!(ButtonSet & bsCaptionRemoved)) return;
    Style = static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_STYLE));
    if (on) Style |= WS_CAPTION;
    else Style &= ~static_cast<DWORD>(WS_CAPTION);
    SetWindowLongPtrA(Handle, GWL_STYLE, static_cast<LONG_PTR>(Style));
}

void TWinSkinForm::FrameChanged() {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::ResizeForFrame(bool fromClient) {
    UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED;
    if (State == wsReapplying) flags |= SWP_NOACTIVATE;
    if (ShowState == ssMaximized) {
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE);
        return;
    }
    RECT client{};
    if (IsDialog || State == wsReapplying) {
        GetClientRect(Handle, &client);
        ClientRect = TRect::From(client);
    }
    int width = ClientRect.Right + BorderLeft + BorderRight;
    if (fromClient) {
        GetClientRect(Handle, &client);
        ClientRect = TRect::From(client);
    } else if (Control) {
        width = Control->ClientWidth() + BorderLeft + BorderRight;
        ClientRect.Bottom = Control->ClientHeight() - (WindowKind == wkMDIChild ? 0 : MenuBarHeight);
    }
    const int height = ClientRect.Bottom + BorderTop + BorderBottom + MenuBarHeight;
    if (IsDialog && !fromClient) WidenForCaption(width);
    RECT window{};
    GetWindowRect(Handle, &window);
    SetWindowPos(Handle, nullptr, window.left, window.top, width, height, flags);
}

// A dialog is made wide enough for its title; its controls move to stay in the middle.
void TWinSkinForm::WidenForCaption(int& width) {
    CaptionText = GetWindowTextWide(Handle);
    HDC dc = GetWindowDC(Handle);
    HGDIOBJ old = SelectObject(dc, CaptionFont->Handle());
    SIZE extent{};
    GetTextExtentPoint32W(dc, CaptionText.c_str(), static_cast<int>(CaptionText.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(Handle, dc);
    CaptionTextWidth = extent.cx;
    const TDataSkinTitle* title = SkinData->Objects.Title.get();
    const int needed = (title ? title->LeftWidth : 0) + CaptionTextWidth + (title ? title->RightWidth : 0);
    if (width >= needed) return;
    const int shift = (needed - width) / 2;
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
    }
    width = needed;
}

// ---- the window's icon ----------------------------------------------------------------------------

void TWinSkinForm::PrepareIcon(TBitmap& bitmap) {
    const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    // Where the icon does not draw, the title bar shows through.
    bitmap.Canvas()->Brush()->SetColor(SkinKeyColour);
    bitmap.Canvas()->FillRect(TRect{0, 0, width, height});
    bitmap.SetTransparent(true);
    bitmap.SetTransparentColor(SkinKeyColour);
    IconSize = width;
    IconHandle = reinterpret_cast<HICON>(SendMessageA(Handle, WM_GETICON, ICON_SMALL, 0));
    if (!IconHandle) IconHandle = reinterpret_cast<HICON>(SendMessageA(Handle, WM_GETICON, ICON_BIG, 0));
    if (!IconHandle) return;
    auto copy = static_cast<HICON>(CopyImage(IconHandle, IMAGE_ICON, width, height, LR_COPYFROMRESOURCE));
    DrawIconEx(bitmap.Canvas()->Handle(), 0, 0, copy ? copy : IconHandle, width, height, 0, nullptr, DI_NORMAL);
    if (copy) DestroyIcon(copy);
}

// The icon at the title bar's size, copied once for every paint that follows.
HICON TWinSkinForm::SizedIcon() {
    if (FIconCopySource != IconHandle) {
        FreeIconCopy();
        FIconCopy = static_cast<HICON>(CopyImage(IconHandle, IMAGE_ICON, IconSize, IconSize, LR_COPYFROMRESOURCE));
        FIconCopySource = IconHandle;
    }
    return FIconCopy ? FIconCopy : IconHandle;
}

void TWinSkinForm::FreeIconCopy() {
    if (FIconCopy) DestroyIcon(FIconCopy);
    FIconCopy = nullptr;
    FIconCopySource = nullptr;
}

void TWinSkinForm::DrawIcon(HDC dc, const TRect& r) {
    if (IconHandle) {
        DrawIconEx(dc, r.Left, r.Top, SizedIcon(), IconSize, IconSize, 0, nullptr, DI_NORMAL);
        return;
    }
    TransparentBlit(dc, TRect{r.Left, r.Top, r.Left + IconBitmap->Width(), r.Top + IconBitmap->Height()}, IconBitmap.get(),
                    SkinKeyColour);
}

// ---- colours ----------------------------------------------------------------------------------

void TWinSkinForm::SetControlColor(TColor colour) {
    if (!Control) return;
    Control->SetColor(colour);
    for (int i = 0; i < Control->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TCustomForm*>(Control->Components(i))) form->SetColor(colour);
}

void TWinSkinForm::ApplyColors() {
    if (!SkinData) return;
    SetControlColor(SkinData->Colours().ButtonFace);
    for (TSkinControl* skin : std::vector<TSkinControl*>(Controls)) skin->Reskin();
    State = wsReapplying;
    if (SkinFrame && Control) {
        SkinMenus(Control, true);
        ResizeForFrame(true);
        // The form's controls realign to the frame.
        const int height = Control->Height();
        Control->SetHeight(height + 1);
        Control->SetHeight(height);
    }
    SendMessageA(Handle, WM_SKINREADY, 0, SkinAnswerKey);
    State = wsSkinned;
}

// ---- giving the window back -------------------------------------------------------------------

void TWinSkinForm::ReleaseFormHook() {
    if (!OldWindowProc) return;
    if (Control) Control->WindowProc = OldWindowProc;
    OldWindowProc = nullptr;
}

void TWinSkinForm::GiveMenusBack(bool restoreColour) {
    if (!Control) return;
    SkinMenus(Control, false);
    if (HasControls(SkinData, xcMenuItem)) SetMainMenuOwnerDraw(Control, false);
    if (restoreColour) Control->SetColor(SavedColor);
}

// The steps both ways of unskinning begin with: the window gets its procedure back and the control
// skins go. False when nothing more is to be done (a plain window detached, or nothing hooked).
bool TWinSkinForm::TakeProcedureBack() {
    if (!SkinFrame) {
        DetachPlain();
        return false;
    }
    SysMenuPopup.reset();
    if (Timer) Timer->SetEnabled(false);
    if (!WndProcInstance.Installed()) return false;
    ReleaseFormHook();
    WndProcInstance.Remove();
    FreeControls();
    return true;
}

void TWinSkinForm::Unskin() {
    if (!TakeProcedureBack()) return;
    GiveMenusBack(State != wsDestroying);
    SetSysMenuStyle(false);
    SetCaptionStyle(true);
    if (MenuBar) FreeMenuBar(true);
    MDIClientInstance.Remove();
    if (State != wsDestroying && (WindowKind == wkMDIChild || !(Style & WS_CHILD))) RestoreSize();
    // The system owns the region it was given and frees it itself.
    SetWindowRgn(Handle, nullptr, TRUE);
    Region = nullptr;
    RegionSet = false;
}

// The window is sized for the system's frame again; the client area keeps its size.
void TWinSkinForm::RestoreSize() {
    RECT r{};
    GetWindowRect(Handle, &r);
    if (WindowKind == wkMDIChild && SkinManager && SkinManager->MDIClient)
        MapWindowPoints(nullptr, SkinManager->MDIClient, reinterpret_cast<POINT*>(&r), 2);
    const int width = (r.right - r.left) + SystemFrame.Right - BorderLeft - BorderRight;
    const int height = (r.bottom - r.top) + SystemFrame.Bottom - BorderTop - BorderBottom;
    SetWindowPos(Handle, nullptr, r.left, r.top, width, height, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
}

void TWinSkinForm::UnskinDestroyed() {
    if (!TakeProcedureBack()) return;
    // The form and its menus outlive this object: their draw handlers must not point at it.
    GiveMenusBack(false);
    FreeMenuBar(false);
    MDIClientInstance.Remove();
}

void TWinSkinForm::DetachPlain() {
    if (Timer) Timer->SetEnabled(false);
    FreeControls();
    GiveMenusBack(State != wsDestroying);
    ReleaseFormHook();
    WndProcInstance.Remove();
    MDIClientInstance.Remove();
    if (!Control || State == wsDestroying) return;
    if (auto* container = dynamic_cast<TWinControl*>(Control))
        for (int i = 0; i < container->ControlCount(); ++i) container->Controls(i)->Repaint();
}

// ---- the control skins --------------------------------------------------------------------------

bool TWinSkinForm::AddControl(TSkinControl* skin) {
    if (std::find(Controls.begin(), Controls.end(), skin) != Controls.end()) return true;
    Controls.push_back(skin);
    return false;
}

void TWinSkinForm::RemoveControl(TSkinControl* skin) {
    const auto last = std::find(Controls.rbegin(), Controls.rend(), skin);
    if (last != Controls.rend()) Controls.erase(std::next(last).base());
}

void TWinSkinForm::PurgeDeadControls() {
    for (std::size_t i = Controls.size(); i-- > 0;) {
        if (i >= Controls.size() || Controls[i]->State != 6) continue;
        TSkinControl* skin = Controls[i];
        Controls.erase(Controls.begin() + static_cast<std::ptrdiff_t>(i));
        skin->Form = nullptr;
        delete skin;
    }
}

void TWinSkinForm::FreeControls() {
    while (!Controls.empty()) {
        TSkinControl* skin = Controls.front();
        if (auto* toolBar = dynamic_cast<TToolBar*>(skin->Control)) {
            toolBar->OnCustomDraw = nullptr;
            toolBar->OnCustomDrawButton = nullptr;
        }
        if (skin->State != 6) skin->RestoreColors();
        Controls.erase(Controls.begin());
        skin->Form = nullptr;
        delete skin;
    }
    HoverControl = nullptr;
}

TSkinControl* TWinSkinForm::FindControlByHandle(HWND window) const {
    for (TSkinControl* skin : Controls)
        if (skin->Handle == window) return skin;
    return nullptr;
}

bool TWinSkinForm::IsSkinned(TControl* control) const {
    if (!control) return false;
    if (control->Perform(WM_SKINQUERY) == 1) return true;
    return std::any_of(Controls.begin(), Controls.end(), [control](TSkinControl* s) { return s->Control == control; });
}

// ---- menus ----------------------------------------------------------------------------------------

void TWinSkinForm::SkinMenus(TComponent* component, bool ownerDraw) {
    if (!component || component->ClassName() == "TwwRichEditForm") return;
    for (int i = 0; i < component->ComponentCount(); ++i) {
        TComponent* owned = component->Components(i);
        if (auto* form = dynamic_cast<TCustomForm*>(owned)) {
            SkinMenus(form, ownerDraw);
            continue;
        }
        auto* popup = dynamic_cast<TPopupMenu*>(owned);
        if (!popup || !HasControls(SkinData, xcPopupMenu) || popup->Tag() == SkinData->DisableTag()) continue;
        popup->SetOwnerDraw(ownerDraw);
        ForEachItem(popup->Items(), 1, [this, ownerDraw](TMenuItem* item, int) {
            if (!ownerDraw) {
                item->OnDrawItem = nullptr;
                item->OnMeasureItem = nullptr;
                return;
            }
            item->OnDrawItem = [this](TObject* s, TCanvas* c, TRect r, bool selected) { DrawMenuItem(s, c, r, selected); };
            if (!item->OnMeasureItem)
                item->OnMeasureItem = [this](TObject* s, TCanvas* c, int& w, int& h) { MeasureMenuItemSafe(s, c, w, h); };
        });
    }
}

void TWinSkinForm::SkinMenuItems(TMenuItem* item, bool ownerDraw) {
    const auto skin = [this, ownerDraw](TMenuItem* each) {
        if (!ownerDraw) {
            each->OnDrawItem = nullptr;
            return;
        }
        each->OnDrawItem = [this](TObject* s, TCanvas* c, TRect r, bool selected) { DrawMenuItem(s, c, r, selected); };
        each->OnMeasureItem = [this](TObject* s, TCanvas* c, int& w, int& h) { MeasureMenuItem(s, c, w, h); };
    };
    skin(item);
    ForEachItem(item, 1, [&](TMenuItem* each, int) { skin(each); });
}

void TWinSkinForm::SetMainMenuOwnerDraw(TComponent* component, bool ownerDraw) {
    if (!component) return;
    for (int i = 0; i < component->ComponentCount(); ++i) {
        auto* menu = dynamic_cast<TMainMenu*>(component->Components(i));
        if (!menu) continue;
        menu->SetOwnerDraw(ownerDraw);
        ForEachItem(menu->Items(), 1, [this, ownerDraw](TMenuItem* item, int level) {
            if (!ownerDraw) {
                item->OnDrawItem = nullptr;
                item->OnMeasureItem = nullptr;
            } else if (level >= 2 && !item->OnDrawItem) {
                // The bar's own items keep the system's look; the drop-downs are drawn from the skin.
                item->OnDrawItem = [this](TObject* s, TCanvas* c, TRect r, bool selected) { DrawMenuItem(s, c, r, selected); };
                item->OnMeasureItem = [this](TObject* s, TCanvas* c, int& w, int& h) { MeasureMenuItem(s, c, w, h); };
            }
        });
    }
}

// ---- window helpers -------------------------------------------------------------------------------

void RedrawWindowNow(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

std::wstring GetWindowTextWide(HWND window) {
    if (RunsOnWindowsNT()) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
        text.resize(static_cast<std::size_t>(std::max(0, length)));
        return text;
    }
    return AnsiToWide(GetWindowTextAnsi(window));
}

std::string GetWindowTextAnsi(HWND window) {
    char text[1001] = {0};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string GetWindowClassName(HWND window) {
    char name[101] = {0};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool RunsOnOldWindowsNT() {
    const DWORD version = GetVersion();
    return !(version & 0x80000000u) && LOBYTE(LOWORD(version)) < 5;
}
