#pragma once
// Value types and event signatures shared by the control classes.
#include "components/Win32.h"

#include <functional>

#include "components/TypeInfo.h"

class TObject;

struct TPoint {
    int X = 0;
    int Y = 0;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    RECT ToRECT() const { return RECT{Left, Top, Right, Bottom}; }
    static TRect From(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }
    bool operator==(const TRect& o) const { return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom; }
};

// Signed client coordinates of a mouse message.
inline int MouseX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
inline int MouseY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

inline TRect Bounds(int left, int top, int width, int height) { return TRect{left, top, left + width, top + height}; }

// Keyboard and mouse button state of an input event.
enum TShiftStateFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;
TShiftState KeyboardShiftState();          // from the keyboard state now
TShiftState KeyDataToShiftState(LPARAM keyData);

// Keys the form handles when the focused control does not take them itself.
inline bool IsDialogKey(WORD key) {
    return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_CANCEL || (key >= VK_LEFT && key <= VK_DOWN);
}

// States of an item being drawn by a custom-draw event.
enum TCustomDrawStateFlag : unsigned { cdsSelected = 1, cdsGrayed = 2, cdsDisabled = 4, cdsChecked = 8, cdsFocused = 16, cdsDefault = 32, cdsHot = 64 };
using TCustomDrawState = unsigned;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
extern const TEnumType AlignType;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const TEnumType AlignmentType;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
extern const TEnumType BiDiModeType;

// Border of a form; controls with a border take only the first two values.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
extern const TEnumType BorderStyleType;
extern const TEnumType FormBorderStyleType;

// Modal results: the value a modal form ends with.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;
constexpr int mrNoToAll = 9;
constexpr int mrYesToAll = 10;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// Accelerator of a caption: the character after a single '&' ("&&" is a plain '&').
char GetHotkey(const std::string& caption);
bool IsAccel(char key, const std::string& caption);
std::string StripHotkey(const std::string& caption);
