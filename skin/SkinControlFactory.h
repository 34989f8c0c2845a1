#pragma once
// Where the control dispatch gets its control skins: one function per kind of skin, each making
// an unattached skin owned by `owner` (the control, or the window's skin for a raw window). The
// dispatch attaches what it gets with the skin's own attach (AttachControl, AttachHandle,
// AttachSkinScrollbars, or the speed button's own).
#include <functional>
#include <string>

class TCanvas;
class TComponent;
class TControl;
class TSkinControl;
class TSkinData;
class TWinSkinForm;

// ---- buttons
TSkinControl* NewSkinButton(TComponent* owner);
// glyphProperty: a graphic property read in place of "Glyph" (empty: the glyph strip).
TSkinControl* NewSkinBitButton(TComponent* owner, const std::string& glyphProperty);
TSkinControl* NewSkinMenuButton(TComponent* owner);
TSkinControl* NewSkinSpeedButton(TComponent* owner);
TSkinControl* NewSkinCheckBox(TComponent* owner);
TSkinControl* NewSkinRadioButton(TComponent* owner);
// The speed button has no window of its own: it is hooked through its WindowProc.
void AttachSkinSpeedButton(TSkinControl* skin, TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas);

// ---- panels, tabs, headers and bars
TSkinControl* NewSkinBox(TComponent* owner);
TSkinControl* NewSkinBoxH(TComponent* owner);  // a dialog page of the system
TSkinControl* NewSkinGroupBox(TComponent* owner);
TSkinControl* NewSkinStatusBar(TComponent* owner);
TSkinControl* NewSkinSizer(TComponent* owner);
// tabMode 2: a page control or tab control of the component layer; 0 otherwise.
TSkinControl* NewSkinTab(TComponent* owner, int tabMode);
TSkinControl* NewSkinTab31(TComponent* owner);
TSkinControl* NewSkinTabSheet(TComponent* owner);
// pageMode 4: the tab backgrounds are rendered from the skin.
TSkinControl* NewSkinAdvPage(TComponent* owner, int pageMode);
// glyphMode 1 check box, 2 radio button, 3 check box of another library.
TSkinControl* NewSkinObjImage(TComponent* owner, int glyphMode);

// ---- values and edits
TSkinControl* NewSkinTrackBar(TComponent* owner);
TSkinControl* NewSkinUpDown(TComponent* owner);
TSkinControl* NewSkinProgress(TComponent* owner);
TSkinControl* NewSkinEdit(TComponent* owner);
TSkinControl* NewSkinComBox(TComponent* owner);
TSkinControl* NewSkinDateTime(TComponent* owner);
TSkinControl* NewSkinMP(TComponent* owner);

// ---- scroll bars
// singleMode 1: one scroll bar only.
TSkinControl* NewSkinScrollbar(TComponent* owner, int singleMode);
TSkinControl* NewSkinListView(TComponent* owner);
// The scroll-bar skins' own attach (the list view's included).
void AttachSkinScrollbars(TSkinControl* skin, TControl* control, TSkinData* skinData, TWinSkinForm* form,
                          TCanvas* canvas);
// Whether the skin is a list view's (a new one of the same kind replaces it).
bool IsSkinListView(const TSkinControl* skin);

// How the dispatch hooks a skin it made: AttachControl with the attach flag off or on (the
// control taking the skin's colour), the scroll-bar skins' own attach, AttachHandle, or the
// speed button's own attach.
enum class TSkinAttachWay { Control, ControlInSkinColour, Scrollbars, Handle, Own };

// What the dispatch asks of the factory for one control: the skin's class name ("TSkinTab"),
// the control (or the window's skin, for a window no component made), the mode (0 where the
// kind has none) and how the skin is hooked.
struct TSkinRequest {
    std::string SkinClass;
    TComponent* Owner = nullptr;
    int Mode = 0;
    TSkinAttachWay Attach = TSkinAttachWay::Control;
};

// For tests: told of every skin the dispatch asks for, before the skin is made.
using TSkinRequestProbe = std::function<void(const TSkinRequest& request)>;
extern TSkinRequestProbe SkinRequestProbe;
