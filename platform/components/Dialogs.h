#pragma once
// The plain message box and the input box of the component layer, and the measuring they use.
#include <string>

#include "components/ControlTypes.h"

class TCanvas;

// The texts of the program's string table that these boxes use; where the program's string
// table lacks them, the English text stands.
constexpr int SMsgDlgOK = 65232;
constexpr int SMsgDlgCancel = 65233;
constexpr int SCannotOpenClipboard = 65241;
std::string LoadResString(int id, const std::string& fallback);

// A message box with the application title as caption and an OK button.
void ShowMessage(const std::string& text);
// An input box: the value edited, true when OK was pressed; on Cancel the value is unchanged.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// The edited text, or the default when the box was cancelled.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue);

// The average width of the 52 letters A-Z and a-z in the canvas's font, and their height.
TPoint GetAveCharSize(TCanvas* canvas);
// The same for a font, measured on the screen.
TPoint MeasureDialogUnits(class TFont* font);
// The system's message font (non-client metrics) into a control's font.
void UseMessageFont(class TControl* control);
