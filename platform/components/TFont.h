#pragma once
#include <string>

#include "components/Colors.h"
#include "components/TGraphicsObject.h"

enum TFontStyleFlag : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
extern const TEnumType FontStyleType;

// A font by name, height in pixels (negative: character height, as LOGFONT takes it) and
// style. A control's font tells the control when it changes.
class TFont : public TGraphicsObject {
    DECLARE_CLASS(TFont, TGraphicsObject)
public:
    TFont();

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    int Size() const;  // points at the screen's pixels per inch
    void SetSize(int points);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    int Charset() const { return FCharset; }
    void SetCharset(int charset);

    HFONT Handle();
    // Takes name, height, style and charset of a LOGFONT (the system fonts come so).
    void AssignLogFont(const LOGFONTA& font);
    void Assign(TPersistent* source) override;

    static int ScreenPixelsPerInch();

private:
    std::string FName;
    int FHeight;
    TColor FColor = clWindowText;
    TFontStyles FStyle = 0;
    int FCharset = DEFAULT_CHARSET;
};
