#include "WMediaPlayer.h"

#include <algorithm>
#include <string>

#include "DataSkinObject.h"
#include "SkinDraw.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/PropertyAccess.h"
#include "components/TClassInfo.h"

namespace {

const char* const ButtonNames[PlayerButtonKinds] = {"btPlay", "btPause", "btStop", "btNext", "btPrev",
                                                     "btStep", "btBack", "btRecord", "btEject"};
const char* const GlyphNames[PlayerButtonKinds] = {"MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV",
                                                    "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};
// Glyph resource prefixes: enabled, disabled, coloured.
const char* const GlyphPrefixes[3] = {"EN", "DI", "CL"};
enum { GlyphEnabled, GlyphDisabled, GlyphColoured };

// Frames of the push-button image used here: 1 normal, 2 pressed, 3 disabled.
constexpr int FrameNormal = 1, FramePressed = 2, FrameDisabled = 3;

std::string SetPropText(TControl* player, const char* name) {
    if (!player || !GetPropInfo(player, name)) return std::string();
    return GetSetProp(player, name);
}

bool Mentions(const std::string& text, int kind) { return text.find(ButtonNames[kind]) != std::string::npos; }

}  // namespace

const char* PlayerButtonName(int kind) { return kind >= 0 && kind < PlayerButtonKinds ? ButtonNames[kind] : ""; }

const TClassInfo& TWMediaPlayer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TWMediaPlayer>("TWMediaPlayer").Build();
    return info;
}

TWMediaPlayer::TWMediaPlayer(TComponent* owner) : TCustomPanel(owner) {
    SetBevelOuter(bvNone);
    LoadGlyphs();
}

// The glyphs are the program's own bitmap resources ("EN_MPPLAY"); a missing one stays empty.
void TWMediaPlayer::LoadGlyphs() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int look = 0; look < 3; ++look) {
        for (int kind = 0; kind < PlayerButtonKinds; ++kind) {
            const std::string name = std::string(GlyphPrefixes[look]) + "_" + GlyphNames[kind];
            if (!FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(2))) continue;
            try {
                Buttons[static_cast<std::size_t>(kind)].Glyphs[look].LoadFromResourceName(instance, name);
            } catch (...) {
                // A damaged glyph is drawn as nothing.
            }
        }
    }
}

void TWMediaPlayer::Bind(TControl* player, TSkinMP* skin, TSkinData* skinData) {
    Player = player;
    Skin = skin;
    SkinData = skinData;
    if (skinData) SetTag(skinData->DisableTag());
    SetBoundsRect(player->BoundsRect());
    SetParent(player->Parent());
    HandleNeeded();
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWMediaPlayer::Layout() {
    ReadButtonSets();
    ButtonWidth = VisibleCount > 0 ? ClientRect().Width() / VisibleCount : 0;
}

void TWMediaPlayer::ReadButtonSets() {
    const std::string visible = SetPropText(Player, "VisibleButtons");
    const std::string enabled = SetPropText(Player, "EnabledButtons");
    const std::string coloured = SetPropText(Player, "ColoredButtons");
    VisibleCount = 0;
    for (int kind = 0; kind < PlayerButtonKinds; ++kind) {
        TButtonLook& button = Buttons[static_cast<std::size_t>(kind)];
        button.Visible = Mentions(visible, kind);
        button.Enabled = Mentions(enabled, kind);
        button.Coloured = Mentions(coloured, kind);
        if (button.Visible) ++VisibleCount;
    }
}

int TWMediaPlayer::HitTest(int x) const {
    int left = 0;
    for (int kind = 0; kind < PlayerButtonKinds; ++kind) {
        if (!Buttons[static_cast<std::size_t>(kind)].Visible) continue;
        if (x >= left && x <= left + ButtonWidth) return kind;
        left += ButtonWidth;
    }
    return NoPlayerButton;
}

void TWMediaPlayer::DrawButton(HDC dc, int kind, int x, int height) {
    TButtonLook& button = Buttons[static_cast<std::size_t>(kind)];
    TBitmap* glyph = &button.Glyphs[GlyphDisabled];
    if (button.Enabled) glyph = button.Coloured ? &button.Glyphs[GlyphColoured] : &button.Glyphs[GlyphEnabled];
    int frame = FrameNormal;
    if (!button.Enabled) frame = FrameDisabled;
    else if (Pressed && PressedButton == kind) frame = FramePressed;

    if (TDataSkinButton* face = SkinData ? SkinData->Objects.Button.get() : nullptr; face && face->HasImage())
        DrawSkinFrame(dc, TRect{x, 0, x + ButtonWidth, height}, &face->Image, false, face->Tile != 0, face->Trans != 0,
                      std::max(face->Frame, 1), frame, face->Margins());
    if (glyph->Empty()) return;
    const int shift = frame == FramePressed ? 1 : 0;
    const int gx = x + (ButtonWidth - glyph->Width()) / 2 + shift;
    const int gy = (height - glyph->Height()) / 2 + shift;
    // Olive is the glyphs' see-through colour.
    TransparentBlit(dc, TRect{gx, gy, gx + glyph->Width(), gy + glyph->Height()}, glyph, clOlive);
}

void TWMediaPlayer::Paint() {
    Layout();
    if (VisibleCount == 0) return;
    const TRect client = ClientRect();
    TBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(client.Width(), client.Height());
    work.Canvas()->Brush()->SetColor(SkinData ? SkinData->Colours().ButtonFace : clBtnFace);
    work.Canvas()->FillRect(client);
    HDC dc = work.Canvas()->Handle();
    int x = 0;
    for (int kind = 0; kind < PlayerButtonKinds; ++kind) {
        if (!Buttons[static_cast<std::size_t>(kind)].Visible) continue;
        DrawButton(dc, kind, x, client.Height());
        x += ButtonWidth;
    }
    Canvas()->Draw(0, 0, &work);
}

void TWMediaPlayer::WndProc(TMessage& message) {
    if (message.Msg != WM_LBUTTONDOWN && message.Msg != WM_LBUTTONUP) return TCustomPanel::WndProc(message);
    const std::weak_ptr<bool> life = FLife;
    const int x = static_cast<short>(LOWORD(message.LParam));
    // The buttons as the player has them now, painted or not.
    Layout();
    if (message.Msg == WM_LBUTTONDOWN) {
        Pressed = true;
        TCustomPanel::WndProc(message);
        if (Player) Player->Perform(WM_LBUTTONDOWN, message.WParam, message.LParam);
        // The player's handler may free the panel (an action that closes the form).
        if (life.expired()) return;
        ReleaseCapture();
        PressedButton = HitTest(x);
    } else {
        Pressed = false;
        TCustomPanel::WndProc(message);
        const int hit = HitTest(x);
        // A press that ends on another button runs nothing.
        if (hit == PressedButton && Player) Player->Perform(WM_LBUTTONUP, message.WParam, message.LParam);
        if (life.expired()) return;
        PressedButton = hit;
    }
    Invalidate();
}
