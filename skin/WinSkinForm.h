#pragma once
// The skin of one top-level window: it takes over the window's procedure, replaces the frame,
// the title bar with its buttons and the menu bar by the skin's pictures, starts the skinning of
// the window's controls, follows the window's show state, and gives everything back when the
// window is unskinned or destroyed. The skin manager makes one per skinned window and owns it;
// for a form it is also an owned component of the form.
//
// Its operations are spread over the files WinSkinForm*.cpp: attaching and unskinning, the
// window procedures, the non-client painting, the menu and tool-bar painters. The title-bar
// input, the system menu, the skinned menu bar, the owner-drawn menu items and the control
// skins have places of their own (WinSkinFormInput.cpp, WinSkinFormSysMenu.cpp,
// WinSkinFormMenuBar.cpp, WinSkinFormOwnerDraw.cpp, WinSkinFormDispatch.cpp).
#include "components/Win32.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "WindowProcInstance.h"
#include "components/Messages.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TComponent.h"
#include "components/TFont.h"
#include "components/TMenuItem.h"

class TControl;
class TDataSkinBorder;
class TWinControl;
class TMenu;
class TMenuBtn;
class TNCObject;
class TPopupMenu;
class TSkinControl;
class TSkinData;
class TTimer;
class TToolBar;
class TToolButton;
class TWinSkinMenu;
class TWinSysButton;

// Where a skinned window stands in its life.
enum TWinSkinState : int {
    wsAttached = 0,      // hooked, its frame not laid out yet (non-client painting is declined)
    wsSkinned = 1,
    wsReapplying = 3,    // a new skin's colours are being applied
    wsDestroying = 4,    // the window is being destroyed
    wsResizing = 5,      // the window is being resized for its new frame
    wsGone = 6,          // the window is gone; the object waits to be freed
};

// WindowKind
enum : int { wkPlain = 0, wkMDIForm = 1, wkMDIChild = 2 };
// BorderKind
enum : int { bkSizable = 0, bkSingle = 1, bkNoCaption = 2, bkDialog = 3 };
// ButtonSet bits
enum : int { bsMaximizeBox = 1, bsMinimizeBox = 2, bsSystemMenu = 8, bsCaptionRemoved = 0x10 };
// ShowState
enum : int { ssNormal = 0, ssMaximized = 1, ssMinimized = 2 };

class TWinSkinForm : public TComponent {
    DECLARE_CLASS(TWinSkinForm, TComponent)
public:
    // A form's skin is owned by the form; a raw window's by nobody but the manager.
    explicit TWinSkinForm(TComponent* owner);
    // Frees what it holds and leaves the manager's list; the window must have been given back
    // (Unskin, UnskinDestroyed) before.
    ~TWinSkinForm() override;

    // ---- attaching and giving back (WinSkinForm.cpp)
    // A window of the component layer: its form hook, its colour, its menus, then AttachWindow.
    void AttachForm(TSkinData* skinData, TControl* control);
    // Hooks the window (Handle) and reads what it is; the frame is laid out at WM_SKINSTART.
    void AttachWindow(TSkinData* skinData);
    // Gives the window back its procedure, styles, size, region, menus and colour.
    void Unskin();
    // Lets go of a window that is being destroyed: only its procedure and what this object holds.
    void UnskinDestroyed();
    // Lets go of a window whose frame was not skinned.
    void DetachPlain();
    // Border sizes and title-bar buttons from the skin.
    void UpdateMetrics();
    // The skin's colours and frame again, after a new skin was loaded.
    void ApplyColors();
    void FreeSysButtons();
    // Sets (On) or removes the caption style, for windows whose caption is taken off while skinned.
    void SetCaptionStyle(bool on);
    // Has the system measure the frame again (WM_NCCALCSIZE), keeping place and size.
    void FrameChanged();
    // Sizes the window for the skinned frame so that its client area keeps its size.
    void ResizeForFrame(bool fromClient);
    // The client rectangle and the system frame's sizes, before the frame is changed.
    void ReadMetrics();
    // The window's small icon drawn into the bitmap (magenta where the icon is not).
    void PrepareIcon(TBitmap& bitmap);
    // The window's icon (or IconBitmap when it has none) at the rectangle's top-left.
    void DrawIcon(HDC dc, const TRect& r);
    // The control skins of this window.
    bool AddControl(TSkinControl* skin);  // true when it was listed already
    void RemoveControl(TSkinControl* skin);
    void PurgeDeadControls();
    void FreeControls();
    TSkinControl* FindControlByHandle(HWND window) const;
    bool IsSkinned(TControl* control) const;
    // The owned popup menus (OwnerDraw: drawn from the skin, or given back), and the items of
    // the main menu below its bar.
    void SkinMenus(TComponent* component, bool ownerDraw);
    void SkinMenuItems(TMenuItem* item, bool ownerDraw);
    void SetMainMenuOwnerDraw(TComponent* component, bool ownerDraw);

    // ---- the window procedures (WinSkinFormProc.cpp)
    LRESULT SkinWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The message through the window's own procedure; false when that freed this object (the
    // caller then touches nothing of it).
    bool CallDefault(TMessage& message);
    void FormWindowProc(TMessage& message);
    LRESULT MDIClientWndProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // ---- non-client painting (WinSkinFormPaint.cpp)
    // Borders, title bar and menu-bar strip into the DC (0: the window's own).
    void PaintNonClient(HDC dc);
    void PaintCaption(HDC dc);
    // One border (1 left, 2 right, 3 top, 4 bottom) into the rectangle.
    void DrawBorderPart(int part, const TRect& r, HDC dc);
    void LayoutSysButtons();
    void PaintSysButtons(TCanvas* canvas);
    bool SysButtonVisible(int index);
    bool IsMDIChildMaximized();
    void UpdateRegion();
    void ClearRegion();
    // A maximised window fills the screen: it has no region, and what the old one hid is drawn.
    void ShowWhole();
    void ReadPlacement();
    void FindMDIClient();
    void CalcSize(TMessage& message);
    void SetSysMenuStyle(bool remove);

    // ---- menu items and tool bars (WinSkinFormMenus.cpp)
    void MeasureMenuItem(TObject* sender, TCanvas* canvas, int& width, int& height);
    void MeasureMenuItemSafe(TObject* sender, TCanvas* canvas, int& width, int& height);
    void DrawMenuItem(TObject* sender, TCanvas* canvas, TRect r, bool selected);
    void DrawRawMenuItem(HMENU menu, TMenuItem* item, bool selected, const TRect& r, TCanvas* canvas);
    void DrawMenuItemPlain(TMenuItem* item, TCanvas* canvas, bool selected, const TRect& r);
    void DrawMenuSeparator(TCanvas* canvas, const TRect& r);
    void DrawToolbarBackground(TToolBar* toolBar, const TRect& r, bool& defaultDraw);
    void DrawToolButton(TToolBar* toolBar, TToolButton* button, unsigned state, bool& defaultDraw);

    // ---- the window's controls (WinSkinFormDispatch.cpp)
    // Every control of the form: by ownership, then in tab order.
    void SkinChildControls(TControl* form);
    // Not offered again: no window yet, the disable tag, or skinned already.
    bool IsSkipped(TControl* control);
    void SkinOwnedControls(TComponent* owner);
    void SkinPanelChildren(TWinControl* parent);
    // The skin the control's class calls for, attached; none for a control that needs none.
    void SkinControl(TComponent* component, TComponent* parent);
    // The skin data's lines of other libraries' classes: true when a line names the class.
    bool SkinControlByKind(const std::string& className, TControl* control);
    // The children of a radio or check group carrying the disable tag carry it too.
    void DisableGroupChildren(TControl* control);
    bool HasOwnScrollbars(TControl* control) const;
    // The child windows of a window that the component layer did not make, one level deep.
    void SkinChildWindows(HWND parent);
    void SkinChildWindow(HWND window);
    // The scroll-bar skin of the control whose window was made anew is made anew.
    void ReskinScrollbar(HWND window);

    // ---- title-bar input, the system menu, opening the menu bar and owner-drawn menu items
    // (WinSkinFormInput.cpp, WinSkinFormSysMenu.cpp, WinSkinFormMenuBar.cpp, WinSkinFormOwnerDraw.cpp)
    void HitTest(TMessage& message);
    void NCMouseMove(TMessage& message);
    void NCButtonDown(TMessage& message);
    void NCButtonUp(TMessage& message);
    void NCDoubleClick(TMessage& message);
    void NCRightButtonDown(TMessage& message);
    void SysCommand(TMessage& message);
    void Command(TMessage& message);
    void MeasureItemMessage(TMessage& message);
    void DrawItemMessage(TMessage& message);
    void MenuBarMessage(TMessage& message);
    void DialogChar(TMessage& message);
    void TimerTick();
    void PaintSysButton(TWinSysButton* button, int state);
    // A screen point in window coordinates (from the window's top-left corner).
    TPoint ScreenToWindow(int x, int y);
    // The visible title-bar button with an action under the point; nullptr for none.
    TWinSysButton* SysButtonAt(const TPoint& p) const;
    // The title-bar button or menu-bar item under the point; nullptr for none.
    TNCObject* ObjectAt(const TPoint& p) const;
    // What the hot title-bar button does when it is clicked (x, y: the click, on the screen).
    void TitleButtonAction(int x, int y);
    void MaximizeToggle();
    void MinimizeToggle();
    void Restore();
    // The system command to the active child of an MDI form.
    void MDIChildCommand(WPARAM command);
    // Whether the system menu lets the window close.
    bool HasCloseCommand() const;
    // The owner-drawn copy of the system menu, or the fallback items without one.
    void BuildSysMenu();
    // Pops the system-menu copy up at the screen point; a second opening within the
    // double-click time on the window icon closes the window.
    void ShowSystemMenu(int x, int y);
    // Drops the item's menu down under it and runs the menu loop; false when nothing dropped.
    bool OpenMenuBarItem(TMenuBtn* item);
    // Has the window open the item as if it were clicked (after the current menu loop ends).
    void OpenMenuItem(TMenuBtn* item);
    // The visible, enabled menu-bar item of that accelerator key; nullptr for none.
    TMenuBtn* FindMenuAccel(WORD key) const;
    void ClearMenuTracking() { MenuTracking = false; }

    // ---- the skinned menu bar (WinSkinFormMenuBar.cpp)
    // Makes the menu bar of a window with a menu; false while the window keeps its own.
    bool MakeMenuBar();
    void PaintMenuBar(HDC dc, const TRect& r);
    void RebuildMenuBar(bool fromMenuHandle);
    // A window given another menu while its bar stands (a form's Menu set anew): the bar shows
    // that one from now on.
    void FollowWindowMenu();
    // Frees the menu bar, giving the window its menu back first when asked.
    void FreeMenuBar(bool giveMenuBack);
    int MenuBarLeftMargin() const;
    // The component menu the menu bar shows; nullptr without a menu bar.
    TMenu* MenuBarMenu() const;

    // Expires when this object is freed. The window's own handling of a message (a command, a
    // menu loop, a box with its message loop, a timer inside one) may unskin the window or free
    // it with its form; after such a call this is looked at before anything of the object is.
    std::weak_ptr<bool> LifeToken() const { return FLife; }

    // ---- what the window is and how it stands
    TWndMethod OldWindowProc;  // the form's WindowProc before the form hook
    TWindowProcInstance WndProcInstance{TWindowProcKind::SkinnedWindow};
    TWindowProcInstance MDIClientInstance{TWindowProcKind::MDIClient};
    std::unique_ptr<TFont> CaptionFont;
    bool Started = false;
    TTimer* Timer = nullptr;  // the 250 ms hover timer, owned
    std::string WindowClass;
    bool SavedMenuUpdate = false;
    bool SkinFrame = false;
    TRect ClientRect;
    DWORD LastSysMenuTick = 0;
    DWORD DoubleClickTime = 0;
    int CaptionTextWidth = 0;
    HWND OwnerWindow = nullptr;
    HICON IconHandle = nullptr;
    int IconSize = 0;
    std::wstring CaptionText;
    int BorderLeft = 0;
    int BorderTop = 0;
    int BorderRight = 0;
    int BorderBottom = 0;
    TRect WindowRect;
    TRect SystemFrame;  // Right: the system frame's width, Bottom: its height
    int MenuBarHeight = 0;
    bool MenuTracking = false;
    bool RightToLeft = false;
    bool Sizable = false;
    bool IsUnicode = false;
    bool IsDialog = false;
    bool IsChild = false;
    // Shared with the menu loop that shows it: unskinning inside that loop lets go of it here,
    // and the loop frees it once it is over.
    std::shared_ptr<TPopupMenu> SysMenuPopup;
    HWND MDIClient = nullptr;
    HMENU MenuHandle = nullptr;
    HMENU SystemMenu = nullptr;
    HMENU TrackedMenu = nullptr;
    TColor SavedColor = clBtnFace;
    DWORD Style = 0;
    TNCObject* HotObject = nullptr;
    bool RegionSet = false;
    // The region last handed to the system with SetWindowRgn; it is the system's from then on.
    HRGN Region = nullptr;
    TControl* Control = nullptr;
    HWND Handle = nullptr;
    TSkinData* SkinData = nullptr;
    TWinSkinMenu* MenuBar = nullptr;
    std::vector<std::unique_ptr<TWinSysButton>> SysButtons;
    std::unique_ptr<TBitmap> IconBitmap;
    std::unique_ptr<TBitmap> CaptionBuffer;
    std::vector<TSkinControl*> Controls;  // owned
    bool Active = true;
    int WindowKind = wkPlain;
    int BorderKind = bkSizable;
    int ButtonSet = 0;
    int ShowState = ssNormal;
    int State = wsAttached;
    TSkinControl* HoverControl = nullptr;
    std::unique_ptr<TCanvas> Canvas;  // shared by the control skins of the window
    // Window size at the last paint, and the size the region was made for.
    int WindowWidth = 0;
    int WindowHeight = 0;
    int RegionWidth = -1;
    int RegionHeight = -1;
    // The largest left edge of the buttons placed from the right edge (0: none).
    int RightButtonsLeft = 0;
    // WM_NCCALCSIZE has given the client area inside the skin's borders.
    bool FrameComputed = false;

private:
    // The form's own handling (the WindowProc before the form hook); false when it freed this.
    bool PassToForm(TMessage& message);
    void Start();
    void SizeMessage(TMessage& message);
    void MinMaxMessage(TMessage& message);
    void ActivationMessage(TMessage& message);
    void MenuChangedMessage(TMessage& message);
    void SetTextMessage(TMessage& message);
    void WidenForCaption(int& width);
    void RestoreSize();
    bool TakeProcedureBack();
    void ReleaseFormHook();
    void GiveMenusBack(bool restoreColour);
    void SetControlColor(TColor colour);
    void PaintTitleText(TCanvas* canvas, int width);
    HRGN BorderPieceRegion(int part, const TRect& r);
    TDataSkinBorder* Border(int part) const;
    TBitmap* BorderPicture(int part, int width, int height, int frame);
    HICON SizedIcon();
    void FreeIconCopy();
    bool MenuHasImages(TMenuItem* item) const;
    void PaintMenuItemBitmap(TMenuItem* item, HMENU parentMenu, TCanvas* canvas, const TRect& r, bool selected,
                             bool separator);

    struct TBorderPicture {
        int Width = -1;
        int Height = -1;
        int Frame = 0;
        std::unique_ptr<TBitmap> Bitmap;
    };
    std::array<TBorderPicture, 4> FBorderPictures;  // left, right, top, bottom as last painted
    HICON FIconCopy = nullptr;  // IconHandle at IconSize, made once
    HICON FIconCopySource = nullptr;
    std::shared_ptr<bool> FLife = std::make_shared<bool>(true);
};

// Invalidates the whole window and paints it at once.
void RedrawWindowNow(HWND window);
std::wstring GetWindowTextWide(HWND window);
std::string GetWindowTextAnsi(HWND window);
std::string GetWindowClassName(HWND window);
// Windows NT before version 5, whose menus the engine leaves as they are.
bool RunsOnOldWindowsNT();
