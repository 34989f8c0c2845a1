#pragma once
// Skin data components read from form descriptions, as a program's form carries them: packages
// of the colour-plan skin (as the build packed it, or its source folder with the description
// edited), forms holding them, and the older-skin box answered while a form is read.
#include <functional>
#include <memory>
#include <string>

#include "WinSkinData.h"
#include "components/TForm.h"
#include "core/SkinTestFiles.h"

TBytes FileBytes(const std::string& path);
// The colour-plan skin's folder packed, its description changed by the edit first.
TBytes EditedSkinPackage(const std::function<void(std::string& ini)>& edit);
// Sets the key of the section (adding the section when there is none); an empty value removes
// the key. Letter case of section and key names aside.
void SetIniKey(std::string& ini, const std::string& section, const std::string& key, const std::string& value);
void RemoveIniSection(std::string& ini, const std::string& section);

// The stored form of a binary property: the 32-bit size and the bytes, in hexadecimal.
std::string SkinStreamHex(const TBytes& package);

// A form holding one skin data component "SkinData1" with these properties and the package as
// its SkinStream (none when empty).
struct TSkinForm {
    std::unique_ptr<TForm> Form;
    TSkinData* Skin = nullptr;
    TSkinData* operator->() const { return Skin; }
};
TSkinForm ReadSkinForm(const TBytes& package, const std::string& properties = "Active = True");

// While the action runs, every message box of this thread is answered with OK; returns how many
// there were (the last one's text in `text`).
int AnswerBoxesDuring(const std::function<void()>& action, std::string* text = nullptr);

// The pixel of a bitmap as red, green and blue.
struct TRgb {
    int R, G, B;
    bool operator==(const TRgb& o) const { return R == o.R && G == o.G && B == o.B; }
    bool operator!=(const TRgb& o) const { return !(*this == o); }
};
TRgb RgbAt(TBitmap& bitmap, int x, int y);
std::ostream& operator<<(std::ostream& out, const TRgb& rgb);
constexpr TRgb Magenta{255, 0, 255};
// What the colour plan of the console's skin puts into frame `frame` (from 1), zone `zone`, of
// image number `image` (skin/data/COLOURS.md).
constexpr TRgb Plan(int image, int frame, int zone) { return TRgb{4 * image, 10 * frame, 20 + 25 * zone}; }
