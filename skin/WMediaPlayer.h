#pragma once
// The panel laid over a media player in place of its button bar: the player's visible buttons
// side by side on the skin's push-button image, each with its glyph; clicks are handed to the
// player, which runs the button's action.
#include <array>
#include <memory>

#include "components/TBitmap.h"
#include "components/TCustomPanel.h"

class TSkinData;
class TSkinMP;

// The player's buttons, in the order the player lays them out.
enum { PlayerButtonKinds = 9, NoPlayerButton = 9 };

class TWMediaPlayer : public TCustomPanel {
    DECLARE_CLASS(TWMediaPlayer, TCustomPanel)
public:
    explicit TWMediaPlayer(TComponent* owner);

    // Lays the panel over the player, on the player's parent; the skin's disable tag keeps the
    // panel itself from being skinned.
    void Bind(TControl* player, TSkinMP* skin, TSkinData* skinData);
    // Reads which buttons the player shows, enables and colours.
    void ReadButtonSets();
    // The button sets and the width each visible button gets.
    void Layout();
    // The visible button under x; NoPlayerButton when none is.
    int HitTest(int x) const;

    struct TButtonLook {
        bool Visible = false;
        bool Enabled = false;
        bool Coloured = false;
        TBitmap Glyphs[3];  // enabled, disabled, coloured
    };
    std::array<TButtonLook, PlayerButtonKinds> Buttons;
    TSkinData* SkinData = nullptr;
    bool Pressed = false;
    int PressedButton = NoPlayerButton;
    int ButtonUnderCursor = NoPlayerButton;
    int ButtonWidth = 0;
    TControl* Player = nullptr;
    TSkinMP* Skin = nullptr;
    int VisibleCount = 0;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    void LoadGlyphs();
    void DrawButton(HDC dc, int kind, int x, int height);

    std::shared_ptr<bool> FLife = std::make_shared<bool>(true);
};

// The player's name of the button kind ("btPlay").
const char* PlayerButtonName(int kind);
