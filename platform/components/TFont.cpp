#include "components/TFont.h"

#include <cstring>

#include "components/TClassInfo.h"

const TEnumType FontStyleType{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};

const TClassInfo& TFont::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFont>("TFont")
        .Int("Charset", &TFont::Charset, &TFont::SetCharset)
        .Color("Color", &TFont::Color, &TFont::SetColor)
        .Int("Height", &TFont::Height, &TFont::SetHeight)
        .Str("Name", &TFont::Name, &TFont::SetName)
        .Set("Style", FontStyleType, &TFont::Style, &TFont::SetStyle)
        .Build();
    return info;
}

// The default face carries the Chinese characters of every user-visible text.
TFont::TFont() : FName("宋体"), FHeight(-12) {}

int TFont::ScreenPixelsPerInch() {
    static const int ppi = [] {
        HDC dc = GetDC(nullptr);
        const int value = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return value > 0 ? value : 96;
    }();
    return ppi;
}

void TFont::SetName(const std::string& name) {
    if (name == FName || name.empty()) return;
    FName = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    // The colour is not part of the GDI font: users are told, the handle stays.
    if (OnChange) OnChange(this);
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

HFONT TFont::Handle() {
    if (!CachedHandle()) {
        LOGFONTA lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
        lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = static_cast<BYTE>(FCharset);
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
        SetCachedHandle(CreateFontIndirectA(&lf));
    }
    return static_cast<HFONT>(CachedHandle());
}

void TFont::AssignLogFont(const LOGFONTA& font) {
    FName = font.lfFaceName;
    FHeight = font.lfHeight;
    TFontStyles none = 0;
    FStyle = (font.lfWeight >= FW_BOLD ? fsBold : none) | (font.lfItalic ? fsItalic : none) |
             (font.lfUnderline ? fsUnderline : none) | (font.lfStrikeOut ? fsStrikeOut : none);
    FCharset = font.lfCharSet;
    Changed();
}

void TFont::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TFont*>(source)) {
        FName = other->FName;
        FHeight = other->FHeight;
        FColor = other->FColor;
        FStyle = other->FStyle;
        FCharset = other->FCharset;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}
