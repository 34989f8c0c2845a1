#pragma once
// The skin data component: the one component a form carries to skin its program. It holds the
// skin package inside the form description (the binary property "SkinStream"), the settings
// that say which windows and controls are skinned, and, once the package is read, every skin
// object of its description. When the form that owns it has been read, it starts the skin
// manager, which does the skinning.
#include "components/Win32.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DataSkinObject.h"
#include "components/ControlTypes.h"
#include "components/TComponent.h"
#include "components/TFont.h"
#include "components/TImageList.h"
#include "components/TMemoryStream.h"
#include "components/TStringList.h"

class TControl;
class TQuickIni;
class TSkinReader;

// Which kinds of control and menu are skinned (a set: member k is bit k).
enum TSkinControlType {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress,
    xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox, xcStatusBar, xcTab,
    xcTrackBar, xcSystemMenu, xcFastReport,
};
using TSkinControlTypes = unsigned;
extern const TEnumType SkinControlTypeType;

enum TSkinOption {
    xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
    xoMDIChildBorder, xoMenuBG,
};
using TSkinOptions = unsigned;
extern const TEnumType SkinOptionType;

// Which windows a component skins: every form of the program, only its own form, dialogs, or
// the forms of a library.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };
extern const TEnumType SkinFormTypeType;

constexpr TSkinControlTypes SkinControlBit(TSkinControlType type) { return 1u << type; }
constexpr TSkinOptions SkinOptionBit(TSkinOption option) { return 1u << option; }

class TSkinData;
// Asked for every window before it is skinned, with its class name; clearing DoSkin leaves it.
using TOnFormSkin = std::function<void(TObject* Sender, const std::string& aName, bool& DoSkin)>;
// Asked for every control, with the control skin chosen for it, which the handler may replace.
using TOnSkinControl = std::function<void(TComponent* Sender, TSkinData* SkinData, TControl* Form, TControl* Control,
                                          const std::string& ControlClass, TComponent*& SkinnedControl)>;

// The colour scheme of a skin (section "Colours"); without a skin, the system's colours.
struct TSkinColours {
    TColor WindowText = clWindowText;
    TColor TitleTextActive = clCaptionText;
    TColor TitleTextNoActive = clInactiveCaptionText;
    TColor ButtonFace = clBtnFace;
    TColor ButtonText = clBtnText;
    TColor ButtonHilight = clBtnHighlight;
    TColor Buttonlight = clBtnHighlight;
    TColor ButtonShadow = clBtnShadow;
    TColor ButtonDkShadow = cl3DDkShadow;
    TColor HilightText = clHighlightText;
    TColor Hilight = clHighlight;
    TColor Menubar = clBtnFace;
    TColor MenuBarText = clMenuText;
    TColor MenuText = clMenuText;
    TColor Menu = clMenu;
    TColor Scrollbar = clScrollBar;
};

// Every skin object a description can give. An object the skin does not describe stays absent;
// the title, the push buttons and the four borders are always there.
struct TSkinObjects {
    enum TBorder { bLeft, bRight, bTop, bBottom };

    std::unique_ptr<TDataSkinTitle> Title;
    std::vector<std::unique_ptr<TDataSkinSysButton>> TitleButtons;  // the three MDI buttons last
    std::unique_ptr<TDataSkinButton> Button;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinBorder> UpDownHorz;
    std::unique_ptr<TDataSkinBorder> UpDownVert;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> ComboxArrow;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinObject> Toolbar;  // the derived tool bar background
    std::unique_ptr<TDataSkinObject> ToolBars;
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> ProgressChunk;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinObject> TabPane;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll;
    std::unique_ptr<TDataSkinObject> VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb;
    std::unique_ptr<TDataSkinObject> VertScrollThumb;
    std::unique_ptr<TDataSkinObject> ThumbHorz;
    std::unique_ptr<TDataSkinObject> ThumbVert;
    std::unique_ptr<TDataSkinObject> Track;
    std::unique_ptr<TDataSkinObject> TrackVert;
    std::unique_ptr<TDataSkinObject> ThumbLeft;
    std::unique_ptr<TDataSkinObject> ThumbRight;
    std::unique_ptr<TDataSkinObject> ThumbUp;
    std::unique_ptr<TDataSkinObject> ThumbDown;
    std::array<std::unique_ptr<TDataSkinBorder>, 4> Borders;

    // Every object there is, the title buttons and borders included, in declaration order.
    std::vector<TDataSkinObject*> All() const;
    // The object read from that section (or of that fixed name), letter case aside.
    TDataSkinObject* Find(const std::string& name) const;
};

class TSkinData : public TComponent {
    DECLARE_CLASS(TSkinData, TComponent)
public:
    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    // ---- published properties
    bool Active() const { return FActive; }
    void SetActive(bool value);
    int DisableTag() const { return FDisableTag; }  // a control with this Tag is not skinned
    void SetDisableTag(int tag) { FDisableTag = tag; }
    TSkinControlTypes SkinControls() const { return FSkinControls; }
    void SetSkinControls(TSkinControlTypes controls) { FSkinControls = controls; }
    TSkinOptions Options() const { return FOptions; }
    void SetOptions(TSkinOptions options) { FOptions = options; }
    // Control classes of other libraries and the kind of control skin each gets (Class=kind).
    TStrings* Skin3rd() const { return FSkin3rd.get(); }
    void SetSkin3rd(TStrings* lines);
    const std::string& SkinFile() const { return FSkinFile; }
    void SetSkinFile(const std::string& fileName);
    std::string SkinStore();
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return FSkinFormtype; }
    void SetSkinFormtype(TSkinFormType type) { FSkinFormtype = type; }
    std::string Version() const { return FVersion; }
    void SetVersion(const std::string&) {}
    bool MenuUpdate() const { return FMenuUpdate; }
    void SetMenuUpdate(bool update) { FMenuUpdate = update; }
    bool MenuMerge() const { return FMenuMerge; }
    void SetMenuMerge(bool merge) { FMenuMerge = merge; }

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;

    // ---- streaming and life
    void DefineProperties(TFiler& filer) override;
    // Starts the engine once the owner's form has been read.
    void Loaded() override;

    // Reads the package held in the skin stream into skin objects; false when it is not a
    // package of ours (the skin then stays empty).
    bool LoadSkin();
    // Reads every section of the description, in a fixed order (the readers of a load exist).
    void ReadSkinIni();
    // Applies a newly loaded skin to the windows skinned already.
    void Reapply();
    // Whether the window of that class is skinned: OnFormSkin decides when assigned.
    void DoFormSkin(HWND window, const std::string& className, bool& doSkin);
    // OnSkinChanged, after each action of the manager.
    void DoSkinChanged();
    void CreateCaptionFont();
    // GetScrollBarInfo where the system has it; false otherwise.
    bool GetScrollBarInfoSafe(HWND window, LONG objectId, SCROLLBARINFO& info);
    // Asks for WM_MOUSELEAVE where the system can send it.
    void TrackMouseLeave(HWND window);

    // ---- the loaded skin, for the painters
    TSkinObjects Objects;
    const TSkinColours& Colours() const { return FColours; }
    const std::vector<TColor>& ColourTable() const { return FColourTable; }
    const std::array<TColor, 10>& CustomColours() const { return FCustomColours; }
    HBRUSH FaceBrush() const { return FFaceBrush; }
    TColor SampledBackground() const { return FSampledBackground; }
    const std::string& SkinName() const { return FSkinName; }
    // True until a package and its description were read; an empty skin is never applied.
    bool SkinEmpty() const { return FSkinEmpty; }
    // The package as the form holds it (without its size).
    TMemoryStream& SkinStream() { return FSkinStream; }

    TBitmap* AppIconBitmap() const { return FAppIconBitmap.get(); }
    TImageList* MenuGlyphs() const { return FMenuGlyphs.get(); }
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    SIZE MaximizedSize() const { return FMaximizedSize; }
    HWND AskedWindow() const { return FAskedWindow; }
    // The window procedure turns it off while a menu changes.
    bool NonClientPainting = true;

private:
    void ReadSkinStream(TStream& stream);
    void LoadStoredSkin();
    void WriteSkinStream(TStream& stream);
    bool Designing() const { return InState(csDesigning); }
    bool Reading() const { return InState(csReading) || InState(csLoading); }
    void BuildAppIconBitmap();
    void LoadMenuGlyphs();
    void MakeAlwaysPresentObjects();

    // ---- reading the description (WinSkinDataRead.cpp)
    void LoadBitmap(TBitmap& bitmap, const std::string& value);
    void ReadImage(TBitmap& bitmap, const std::string& section, const std::string& key);
    void ReadStateColours(TDataSkinObject& object, const std::string& section);
    void ReadMargins(TDataSkinObject& object, const std::string& section);
    void ReadImageObject(std::unique_ptr<TDataSkinObject>& slot, const std::string& section);
    void ReadImageObjectEx(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section, const std::string& extraKey);
    void ReadBitmapObject(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section);
    void ReadGroupBox(std::unique_ptr<TDataSkinBoxLabel>& slot, const std::string& section);
    void ReadMenuBar(std::unique_ptr<TDataSkinObject>& slot, const std::string& section);
    void ReadBorders();
    void ReadColours();
    void ReadTitleButtons();
    void ReadMDIControls(std::size_t firstIndex);
    void ReadButtons();
    void ReadTitle(TDataSkinTitle& title, const std::string& section);
    void ReadTrackFallback(std::unique_ptr<TDataSkinObject>& slot, const std::string& name);
    void FixFrameCounts();

    // ---- images derived from the description (WinSkinDataImages.cpp)
    void BuildComboButton();
    void BuildComboArrow();
    void BuildToolbarBackground();
    TColor SampleBackground();

    std::string FSkinFile;
    // The readers of a load: they exist only while LoadSkin runs.
    TQuickIni* FIni = nullptr;
    TMemoryStream* FEntry = nullptr;
    TSkinReader* FReader = nullptr;
    std::vector<std::string> FSections;  // the description's sections, while it is read

    bool FActive = false;
    int FDisableTag = 99;
    TSkinControlTypes FSkinControls = 0x1FFFFB;  // all but xcMenuItem and xcFastReport
    TSkinOptions FOptions = SkinOptionBit(xoPreview) | SkinOptionBit(xoToolbarBK);
    TSkinFormType FSkinFormtype = sfMainform;
    std::unique_ptr<TStringList> FSkin3rd;
    bool FMenuUpdate = true;
    std::string FVersion = "3.97.02.16";
    bool FMenuMerge = false;

    TMemoryStream FSkinStream;
    bool FSkinEmpty = true;

    TSkinColours FColours;
    std::vector<TColor> FColourTable;
    std::array<TColor, 10> FCustomColours{};
    HBRUSH FFaceBrush = nullptr;
    TColor FSampledBackground = clBtnFace;

    std::unique_ptr<TBitmap> FAppIconBitmap;
    std::unique_ptr<TImageList> FMenuGlyphs;
    std::string FSkinName;
    SIZE FMaximizedSize{};
    std::unique_ptr<TFont> FCaptionFont;
    HWND FAskedWindow = nullptr;
};

// The user32 functions older systems lack, looked up when the program starts; nullptr where the
// running system has none.
struct TUser32Entries {
    BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
    BOOL(WINAPI* TrackMouseEvent)(LPTRACKMOUSEEVENT) = nullptr;
    BOOL(WINAPI* GetComboBoxInfo)(HWND, PCOMBOBOXINFO) = nullptr;
};
TUser32Entries& User32Entries();

// The default lines of Skin3rd.
const std::vector<std::string>& DefaultSkin3rd();
