#pragma once
// Skinned windows in the test's own process: the colour-plan skin held by a main-form component
// that lives as long as the program, forms and raw windows shown and activated until the engine
// has skinned them, and their frames rendered into memory bitmaps through the engine's own
// paint-to message.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "SkinDataSupport.h"
#include "WinSkinDlg.h"
#include "WinSkinForm.h"

// The colour-plan skin, registered with the manager as the program's main-form skin.
TSkinData* TestSkin();

// Every test starts with the manager switched on and running, and no window skinned.
class SkinWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// The engine's object for the window; nullptr when it is not skinned.
TWinSkinForm* SkinOf(HWND window);
// Handles messages until the window's skin has started (its frame laid out); false when that
// did not happen within the time.
bool WaitSkinned(HWND window, int timeoutMs = 3000);

// A plain form of the component layer (bsSizeable, 300 x 200, no caption), set up by the caller,
// shown, activated and skinned.
std::unique_ptr<TForm> ShowForm(const std::function<void(TForm&)>& setUp = nullptr);

// A top-level window of a class registered by the test in this module (the A or W functions),
// counting the messages its own procedure gets.
struct TRawWindow {
    HWND Handle = nullptr;
    int Count(UINT msg) const;
    ~TRawWindow();
};
std::unique_ptr<TRawWindow> CreateRawWindow(const std::string& className, bool unicode = false, HINSTANCE instance = nullptr);
// Shows and activates it.
void Activate(HWND window);

// The whole window as the skin paints its frame, on a background of (1, 2, 3).
std::unique_ptr<TBitmap> PaintFrame(HWND window);
constexpr TRgb Untouched{1, 2, 3};

// The window's size.
SIZE WindowSize(HWND window);
