// Reading a skin description into the skin objects: every section and key with its default and
// its limits, in the order the objects depend on each other.
#include "WinSkinData.h"

#include "ImgUtil.h"
#include "SkinObjectRules.h"
#include "SkinRead.h"
#include "SkinValues.h"
#include "WinSkinIni.h"
#include "components/BitmapFile.h"
#include "components/Graphics.h"
#include "components/SysUtils.h"
#include "components/TCanvas.h"

namespace {

const char* const Personality = "Personality";
// The looks of the combo button: normal, pressed, disabled, hot.
constexpr int ComboButtonFrames = 4;

// The part of the strip from column `left`, `width` wide, as a picture of its own.
void CopyColumns(TBitmap& source, int left, int width, TBitmap& target) {
    target.SetPixelFormat(pf24bit);
    target.SetSize(width, source.Height());
    BitBlt(target.Canvas()->Handle(), 0, 0, width, source.Height(), source.Canvas()->Handle(), left, 0, SRCCOPY);
}

}  // namespace

void TSkinData::ReadSkinIni() {
    TStringList sections;
    FIni->ReadSections(sections);
    FSections.clear();
    for (int i = 0; i < sections.Count(); ++i) FSections.push_back(sections.Get(i));
    FSkinName = FIni->ReadString("TitlebarSkin", "SkinName", "");

    ReadBorders();
    ReadColours();
    ReadTitleButtons();
    ReadButtons();
    ReadTitle(*Objects.Title, Personality);

    ReadBitmapObject(Objects.Progress, "Progress");
    ReadImageObject(Objects.ProgressChunk, "Progress.Chunk");
    ReadMenuBar(Objects.MenuBar, Personality);
    ReadImageObject(Objects.GroupBoxEdge, "GroupBoxEdge");
    ReadGroupBox(Objects.GroupBox, "GroupBox");
    ReadImageObjectEx(Objects.Tabs, "Tabs", "Border");
    ReadImageObject(Objects.StatusBarEdges, "StatusBarEdges");
    ReadImageObject(Objects.TabPane, "Tab.Pane");
    if (TDataSkinObject* pane = Objects.TabPane.get()) {
        // The pane's borders are drawn inside the page: wider ones would cover its controls.
        for (int* margin : {&pane->LeftWidth, &pane->TopHeight, &pane->RightWidth, &pane->BottomHeight})
            if (*margin > 4) *margin = 4;
    }
    ReadImageObject(Objects.ToolBars, "ToolBars");
    ReadImageObjectEx(Objects.ComboButton, "ComboButton", "****");
    ReadImageObject(Objects.SunkEdge, "SunkEdge");
    if (TDataSkinBorder* combo = Objects.ComboButton.get(); combo && combo->HasImage()) {
        // The button as it stands on the left of a right-to-left combo box; each look turned
        // where it stands, so that frame n is still look n.
        combo->Image2.Assign(&combo->Image);
        combo->Image2.SetPixelFormat(pf24bit);
        MirrorFrames(&combo->Image2, ComboButtonFrames);
    }

    ReadImageObject(Objects.ExtraImages, "ExtraImages");
    ReadImageObject(Objects.Headerbar, "Headerbar");
    ReadImageObject(Objects.MenuItem, "MenuItem");
    ReadImageObject(Objects.MenuBackground, "MenuBackground");
    ReadImageObject(Objects.Scrollbar, "Scrollbar");
    ReadImageObject(Objects.HorzScroll, "HorzScroll");
    ReadImageObject(Objects.VertScroll, "VertScroll");
    ReadImageObject(Objects.HorzScrollThumb, "HorzScrollThumb");
    ReadImageObject(Objects.VertScrollThumb, "VertScrollThumb");
    ReadImageObject(Objects.ThumbHorz, "Trackbar.ThumbHorz");
    ReadImageObject(Objects.ThumbVert, "Trackbar.ThumbVert");
    ReadImageObject(Objects.ThumbLeft, "Trackbar.ThumbLeft");
    ReadImageObject(Objects.ThumbRight, "Trackbar.ThumbRight");
    ReadImageObject(Objects.ThumbUp, "Trackbar.ThumbUp");
    ReadImageObject(Objects.ThumbDown, "Trackbar.ThumbDown");
    ReadImageObjectEx(Objects.UpDownHorz, "UpDown.Horz", "GlyphImage");
    ReadImageObjectEx(Objects.UpDownVert, "UpDown.Vert", "GlyphImage");
    ReadImageObject(Objects.Track, "Track");
    ReadImageObject(Objects.TrackVert, "TRACKVERT");
    if (!Objects.Track) ReadTrackFallback(Objects.Track, "TRACK");
    if (!Objects.TrackVert) ReadTrackFallback(Objects.TrackVert, "TRACKVERT");

    FixFrameCounts();
    BuildComboButton();
    BuildComboArrow();
    BuildToolbarBackground();
    for (TDataSkinObject* object : Objects.All()) object->Frame = KeptFrameCount(object->Frame);

    FSampledBackground = SampleBackground();
    if (FFaceBrush) DeleteObject(FFaceBrush);
    FFaceBrush = CreateSolidBrush(ColorToRGB(FColours.ButtonFace));

    FSections.clear();
    FSkinEmpty = false;
}

// ---- values -----------------------------------------------------------------------------------

void TSkinData::LoadBitmap(TBitmap& bitmap, const std::string& value) {
    bitmap.Assign(nullptr);
    const std::string entry = ImageEntryName(value);
    if (entry.empty() || !FReader) return;
    FReader->ExtractFile(entry, *FEntry);
    // A damaged entry is no picture, as a missing one is; so is a picture too large to paint
    // with, known from its header before its pixels take any memory.
    TBitmapFileLayout layout;
    const auto size = static_cast<std::size_t>(FEntry->Size());
    if (size == 0 || !ReadBitmapFileLayout(FEntry->Memory(), size, layout)) return;
    if (!IsSkinPictureSize(layout.Width, layout.Height)) return;
    bitmap.TryLoadFromStream(*FEntry);
}

void TSkinData::ReadImage(TBitmap& bitmap, const std::string& section, const std::string& key) {
    LoadBitmap(bitmap, FIni->ReadString(section, key, ""));
}

namespace {

bool HasValue(const TQuickIni& ini, const std::string& section, const std::string& key) {
    return !ini.ReadString(section, key, "").empty();
}

TColor ReadColour(const TQuickIni& ini, const std::string& section, const std::string& key, TColor fallback) {
    return ColourTextToColor(ini.ReadString(section, key, ""), fallback);
}

// A tile flag read as 0 or 1: values above 1 take the given one.
int ReadTile(const TQuickIni& ini, const std::string& section, const std::string& key, int fallback, int aboveOne) {
    const int tile = ini.ReadInteger(section, key, fallback);
    return tile > 1 ? aboveOne : tile;
}

}  // namespace

void TSkinData::ReadMargins(TDataSkinObject& object, const std::string& section) {
    object.LeftWidth = FIni->ReadInteger(section, "LeftWidth", 0);
    object.RightWidth = FIni->ReadInteger(section, "RightWidth", 0);
    object.TopHeight = FIni->ReadInteger(section, "TopHeight", 0);
    object.BottomHeight = FIni->ReadInteger(section, "BottomHeight", 0);
}

void TSkinData::ReadStateColours(TDataSkinObject& object, const std::string& section) {
    object.NormalColour = FIni->ReadInteger(section, "NormalColour", -1);
    object.MouseOverColour = FIni->ReadInteger(section, "MouseOverColour", -1);
    object.PressedColour = FIni->ReadInteger(section, "PressedColour", -1);
    object.NormalColour2 = ReadColour(*FIni, section, "NormalColour2", FColours.ButtonText);
    object.MouseOverColour2 = ReadColour(*FIni, section, "MouseOverColour2", FColours.ButtonText);
    object.PressedColour2 = ReadColour(*FIni, section, "PressedColour2", FColours.ButtonText);
}

// ---- the object readers -----------------------------------------------------------------------

void TSkinData::ReadImageObject(std::unique_ptr<TDataSkinObject>& slot, const std::string& section) {
    slot.reset();
    if (!HasValue(*FIni, section, "Image")) return;
    auto object = std::make_unique<TDataSkinObject>(section);
    ReadImage(object->Image, section, "Image");
    object->Style = FIni->ReadInteger(section, "Style", 0);
    ReadMargins(*object, section);
    object->Frame = FIni->ReadInteger(section, "Frame", 0);
    object->Trans = FIni->ReadInteger(section, "Trans", 0);
    object->Tile = ReadTile(*FIni, section, "Tile", 0, 0);
    ReadStateColours(*object, section);
    slot = std::move(object);
}

void TSkinData::ReadImageObjectEx(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section,
                                  const std::string& extraKey) {
    slot.reset();
    if (!HasValue(*FIni, section, "Image")) return;
    auto object = std::make_unique<TDataSkinBorder>(section);
    ReadImage(object->Image, section, "Image");
    ReadImage(object->Image2, section, extraKey);
    object->Style = FIni->ReadInteger(section, "Style", 0);
    ReadMargins(*object, section);
    object->Trans = FIni->ReadInteger(section, "Trans", 0);
    object->Tile = ReadTile(*FIni, section, "Tile", 0, 0);
    ReadStateColours(*object, section);
    slot = std::move(object);
}

void TSkinData::ReadBitmapObject(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section) {
    slot.reset();
    if (!HasValue(*FIni, section, "Bitmap")) return;
    auto object = std::make_unique<TDataSkinBorder>(section);
    ReadImage(object->Image, section, "Bitmap");
    object->Style = FIni->ReadInteger(section, "Style", 0);
    ReadMargins(*object, section);
    object->Trans = FIni->ReadInteger(section, "Trans", 0);
    object->Tile = ReadTile(*FIni, section, "Tile", 0, 1);
    slot = std::move(object);
}

void TSkinData::ReadGroupBox(std::unique_ptr<TDataSkinBoxLabel>& slot, const std::string& section) {
    slot.reset();
    if (!HasValue(*FIni, section, "Image")) return;
    auto object = std::make_unique<TDataSkinBoxLabel>(section);
    ReadImage(object->Image, section, "Image");
    object->Style = FIni->ReadInteger(section, "Style", 0);
    ReadMargins(*object, section);
    object->Trans = FIni->ReadInteger(section, "Trans", 0);
    object->Tile = ReadTile(*FIni, section, "Tile", 0, 0);
    ReadStateColours(*object, section);
    object->BackgroundAlignment = FIni->ReadInteger(section, "BackgroundAlignment", 0);
    object->BackgroundLeftShift = FIni->ReadInteger(section, "BackgroundLeftShift", 0);
    object->BackgroundRightShift = FIni->ReadInteger(section, "BackgroundRightShift", 0);
    slot = std::move(object);
}

void TSkinData::ReadMenuBar(std::unique_ptr<TDataSkinObject>& slot, const std::string& section) {
    slot.reset();
    if (!HasValue(*FIni, section, "menuBar")) return;
    auto object = std::make_unique<TDataSkinObject>(section);
    ReadImage(object->Image, section, "menuBar");
    object->Tile = ReadTile(*FIni, section, "TileMenu", 1, 1);
    object->LeftWidth = FIni->ReadInteger(section, "TileLeftMenu", 1);
    object->RightWidth = FIni->ReadInteger(section, "TileRightMenu", 1);
    slot = std::move(object);
}

void TSkinData::ReadBorders() {
    for (std::size_t i = 0; i < Objects.Borders.size(); ++i) {
        TDataSkinBorder& border = *Objects.Borders[i];
        const std::string& b = border.Name;
        const int first = FIni->ReadInteger(Personality, b + "TopHeight", 0);
        const int last = FIni->ReadInteger(Personality, b + "BotHeight", 0);
        // The side borders run down the window, the top and bottom ones across it.
        const bool side = i == TSkinObjects::bLeft || i == TSkinObjects::bRight;
        border.TopHeight = side ? first : 0;
        border.BottomHeight = side ? last : 0;
        border.LeftWidth = side ? 0 : first;
        border.RightWidth = side ? 0 : last;
        border.Frame = FIni->ReadInteger(Personality, b + "Frame", 1);
        border.Tile = ReadTile(*FIni, Personality, b + "Stretch", 1, 1);
        border.Trans = FIni->ReadInteger(Personality, b + "Trans", 1);
        ReadImage(border.Image, Personality, b);
    }
}

void TSkinData::ReadColours() {
    const char* const section = "Colours";
    TSkinColours& c = FColours;
    const auto read = [&](const char* key, TColor fallback) { return ReadColour(*FIni, section, key, fallback); };
    c.WindowText = read("WindowText", clWindowText);
    c.ButtonFace = read("ButtonFace", clBtnFace);
    c.Scrollbar = read("Scrollbar", clScrollBar);
    c.HilightText = read("HilightText", clHighlightText);
    c.Hilight = read("Hilight", clHighlight);
    c.Menubar = read("Menubar", c.ButtonFace);
    c.Menu = read("Menu", clMenu);
    c.MenuText = read("MenuText", clMenuText);
    c.ButtonText = read("ButtonText", clBtnText);
    c.ButtonHilight = read("ButtonHilight", clBtnHighlight);
    c.Buttonlight = read("Buttonlight", clBtnHighlight);
    c.ButtonShadow = read("ButtonShadow", clBtnShadow);
    c.ButtonDkShadow = read("ButtonDkShadow", cl3DDkShadow);
    c.MenuBarText = read("MenuBarText", clMenuText);
    c.TitleTextActive = read("TitleTextActive", clCaptionText);
    c.TitleTextNoActive = read("TitleTextNoActive", clInactiveCaptionText);

    FColourTable.clear();
    for (const std::string& name : FSections) {
        const std::string upper = UpperCase(name);
        if (upper.compare(0, 6, "COLOUR") == 0 && upper != "COLOURS")
            FColourTable.push_back(ReadColour(*FIni, name, "color", clWindowText));
    }
    for (std::size_t i = 0; i < FCustomColours.size(); ++i)
        FCustomColours[i] = ReadColour(*FIni, "Customcolors", "Color" + IntToStr(static_cast<int>(i)), clWhite);
}

void TSkinData::ReadTitleButtons() {
    Objects.TitleButtons.clear();
    for (const std::string& name : FSections) {
        if (Objects.TitleButtons.size() == static_cast<std::size_t>(MaxTitleButtons)) break;
        if (!IsTitleButtonSection(name)) continue;
        const int action = FIni->ReadInteger(name, "Action", 0);
        if (!KeepsTitleButton(action, FIni->ReadInteger(name, "Visibility", -1))) continue;

        auto button = std::make_unique<TDataSkinSysButton>(UpperCase(name));
        button->Action = action;
        button->Align = FIni->ReadInteger(name, "Align", 0);
        button->Xcoord = FIni->ReadInteger(name, "Xcoord", 0);
        button->Ycoord = FIni->ReadInteger(name, "Ycoord", 0);
        button->Visibility = FIni->ReadInteger(name, "Visibility", 0);
        button->Visibility1 = FIni->ReadInteger(name, "Visibility1", action == -1 ? -1 : 0);
        button->CombineOp = FIni->ReadInteger(name, "CombineOp", -1);
        const int frame = FIni->ReadInteger(name, "frame", 0);
        ReadImage(button->Image, name, "ButtonImage");
        button->Frame = TitleButtonFrameCount(frame, button->Image.Width(), button->Image.Height(), action);
        if (TitleButtonLosesImage(frame, action)) button->Image.Assign(nullptr);
        Objects.TitleButtons.push_back(std::move(button));
    }

    // The minimise, restore and close buttons of a maximised MDI child, in its frame's menu bar.
    const std::size_t firstMdi = Objects.TitleButtons.size();
    for (int action : {7, 8, 9}) {
        auto button = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
        button->Action = action;
        button->Align = 100;
        button->Visibility = 100;
        button->Visibility1 = 100;
        button->Frame = 4;
        Objects.TitleButtons.push_back(std::move(button));
    }
    ReadMDIControls(firstMdi);
}

// One strip of 12 frames: the three MDI buttons, four looks each.
void TSkinData::ReadMDIControls(std::size_t firstIndex) {
    TBitmap strip;
    ReadImage(strip, "MDICONTROLS", "Image");
    if (strip.Empty()) return;
    const int unit = strip.Width() / 12;
    for (int i = 0; i < 3; ++i) {
        TDataSkinSysButton& button = *Objects.TitleButtons[firstIndex + static_cast<std::size_t>(i)];
        CopyColumns(strip, 4 * i * unit, 4 * unit, button.Image);
        button.Xcoord = (unit + 4) * (3 - i);
    }
}

void TSkinData::ReadButtons() {
    const char* const section = "Buttons";
    TDataSkinButton& button = *Objects.Button;
    ReadMargins(button, section);
    button.Trans = FIni->ReadInteger(section, "Trans", 0);
    ReadImage(button.Image, section, "Bitmap");
    button.Tile = ReadTile(*FIni, section, "Tile", 0, 0);
    ReadImage(button.CheckButton, section, "CheckButton");
    ReadImage(button.RadioButton, section, "RadioButton");
    button.NormalColour = FIni->ReadInteger(section, "NormalColour", -1);
    button.MouseOverColour = FIni->ReadInteger(section, "MouseOverColour", -1);
    button.PressedColour = FIni->ReadInteger(section, "PressedColour", -1);
    button.RadioButtonFrame = FIni->ReadInteger(section, "RadioButtonFrame", 0);
    button.CheckButtonFrame = FIni->ReadInteger(section, "CheckButtonFrame", 0);
    button.HasNormalColour2 = HasValue(*FIni, section, "NormalColour2");
    button.HasMouseOverColour2 = HasValue(*FIni, section, "MouseOverColour2");
    button.HasPressedColour2 = HasValue(*FIni, section, "PressedColour2");
    button.NormalColour2 = ReadColour(*FIni, section, "NormalColour2", FColours.ButtonText);
    button.MouseOverColour2 = ReadColour(*FIni, section, "MouseOverColour2", FColours.ButtonText);
    button.PressedColour2 = ReadColour(*FIni, section, "PressedColour2", FColours.ButtonText);
}

void TSkinData::ReadTitle(TDataSkinTitle& title, const std::string& section) {
    ReadImage(title.Image, section, "TextBack");
    title.LeftWidth = FIni->ReadInteger(section, "TextShift", 0);
    title.TopHeight = FIni->ReadInteger(section, "TextShiftVert", 0);
    title.RightWidth = FIni->ReadInteger(section, "TextRightClip", 0);
    title.BottomHeight = 0;
    title.TextAlignment = FIni->ReadInteger(section, "TextAlignment", 0);
    title.Textbackground = FIni->ReadInteger(section, "Textbackground", 0);
    title.FontHeight = FIni->ReadInteger("Fonts", "FontHeight", 14);
    title.TXTBackleft = FIni->ReadInteger(section, "TXTBackleft", 0);
    title.TXTBackRight = FIni->ReadInteger(section, "TXTBackRight", 0);
    // A skin without title text colours leaves them to the system, also after one that had them.
    const auto readTriple = [&](const std::string& name, TColor& colour) {
        colour = clNone;
        ColourFromChannels(FIni->ReadInteger(section, name + "R", -1), FIni->ReadInteger(section, name + "G", -1),
                           FIni->ReadInteger(section, name + "B", -1), colour);
    };
    readTriple("ActiveText", title.ActiveText);
    readTriple("InActiveText", title.InActiveText);
}

// The program's own channel of a track bar, for skins that have none.
void TSkinData::ReadTrackFallback(std::unique_ptr<TDataSkinObject>& slot, const std::string& name) {
    auto object = std::make_unique<TDataSkinObject>(name);
    try {
        object->Image.LoadFromResourceName(GetModuleHandleA(nullptr), name);
    } catch (const Exception&) {
        object->Image.Assign(nullptr);
    }
    object->LeftWidth = object->TopHeight = object->RightWidth = object->BottomHeight = 3;
    object->Tile = 0;
    object->Frame = 1;
    slot = std::move(object);
}

// Most painters know how many looks their strip has; the description gives the count only for
// the strips whose length varies.
void TSkinData::FixFrameCounts() {
    TSkinObjects& o = Objects;
    const auto set = [](TDataSkinObject* object, int frames) {
        if (object) object->Frame = frames;
    };
    set(o.Title.get(), 2);
    set(o.Button.get(), 5);
    set(o.Tabs.get(), 5);
    set(o.UpDownHorz.get(), 8);
    set(o.UpDownVert.get(), 8);
    set(o.SunkEdge.get(), 4);
    set(o.ExtraImages.get(), 5);
    set(o.ComboButton.get(), ComboButtonFrames);
    set(o.GroupBoxEdge.get(), 2);
    set(o.ToolBars.get(), 5);
    if (o.Progress) o.Progress->Frame = o.Progress->Style != 0 ? 1 : 2;
    set(o.GroupBox.get(), 1);
    set(o.StatusBarEdges.get(), 3);
    set(o.TabPane.get(), 1);
    if (o.Headerbar && o.Headerbar->Frame == 0) o.Headerbar->Frame = 5;
    set(o.MenuBar.get(), 2);
    set(o.MenuItem.get(), 5);
    set(o.MenuBackground.get(), 1);
    set(o.Scrollbar.get(), 23);
    set(o.HorzScroll.get(), 4);
    set(o.VertScroll.get(), 4);
    for (TDataSkinObject* thumb : {o.HorzScrollThumb.get(), o.VertScrollThumb.get()})
        if (thumb) thumb->Frame = FIni->ReadInteger(thumb->Name, "FrameCount", 3);
    for (TDataSkinObject* thumb : {o.ThumbHorz.get(), o.ThumbVert.get(), o.ThumbLeft.get(), o.ThumbRight.get(),
                                   o.ThumbUp.get(), o.ThumbDown.get()})
        set(thumb, 5);

    TDataSkinButton& button = *o.Button;
    button.RadioButtonFrame =
        MarkFrameCount(button.RadioButtonFrame, button.RadioButton.Width(), button.RadioButton.Height());
    button.CheckButtonFrame =
        MarkFrameCount(button.CheckButtonFrame, button.CheckButton.Width(), button.CheckButton.Height());
}
