#pragma once
// Value and edit control skins in the test's own process: the common controls the component
// layer has no class for (track bars, up-down, progress bars, date-time pickers) as test-only
// controls on the standard windows, a media player with the published button sets a player
// has, and what the screen shows of a window.
#include "SkinControlSupport.h"
#include "components/TCustomControl.h"

// A control on a standard window class of the common controls, with extra window styles.
class TCommonControl : public TWinControl {
public:
    TCommonControl(TComponent* owner, const std::string& baseClass, DWORD style);
    // The messages the control's own procedure got (CN_NOTIFY among them).
    std::map<UINT, int> Seen;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    std::string FBaseClass;
    DWORD FStyle;
};

// A control of the console's form placed on the skinned form (100 x 30 at (10, 10)) with its
// window made.
TCommonControl* PlaceCommon(TWinControl& parent, const std::string& baseClass, DWORD style = 0, int width = 100,
                            int height = 30);

// A media player: which of its nine buttons it shows, enables and colours, and the clicks it
// was given.
enum { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
class TTestMediaPlayer : public TCustomControl {
    DECLARE_CLASS(TTestMediaPlayer, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    int VisibleButtons = 0;  // sets: button k is bit k
    int EnabledButtons = 0;
    int ColoredButtons = 0;
    std::vector<std::pair<UINT, int>> Clicks;  // message and x
    std::function<void()> OnButtonDown;  // run for each press, as a button's action would

protected:
    void WndProc(TMessage& message) override;
};
constexpr int ButtonBit(int kind) { return 1 << kind; }

// The skin of the kind made for the control (owned by it) and attached to the skinned form.
template <class Skin>
Skin* AttachSkin(TControl& form, TControl* control) {
    auto* skin = new Skin(control);
    skin->AttachControl(SkinOf(form.Handle()), TestSkin(), SharedCanvas(form), false);
    return skin;
}

// The window as it stands on the screen, after it and its children have repainted.
std::unique_ptr<TBitmap> ScreenOf(HWND window);
// Moves the mouse cursor off every test window.
void ParkCursor();

// The colours of the console's skin.
TRgb FaceRgb();
TRgb ShadowRgb();
constexpr TRgb White{255, 255, 255};
