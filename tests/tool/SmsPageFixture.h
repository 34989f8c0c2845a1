// The device page in the frame, with the modem simulator on a serial pair and scripted
// terminals behind it: the page's SMS commands go out through the frame's modem link, and the
// terminals' replies come back with the frame's next poll.
#pragma once

#include "ModemFixture.h"

#include "DeviceView.h"
#include "MarqtelDoc.h"

#include <functional>
#include <string>
#include <vector>

class SmsPageTest : public ModemTest {
protected:
    static const char kPhone1[];
    static const char kPhone2[];

    void SetUp() override;
    void TearDown() override;

    // The doc's devices (name, phone), then the device page shows them.
    void OpenPage(const std::vector<std::pair<std::string, std::string>>& devices);
    gsmsim::ScriptedDevice& Terminal(const char* phone);

    HWND Item(int nID) { return ::GetDlgItem(m_page->m_hWnd, nID); }
    std::string Text(int nID);
    void SetText(int nID, const std::string& text) { ::SendMessageA(Item(nID), WM_SETTEXT, 0, (LPARAM)text.c_str()); }
    void Click(int nID) { ::SendMessageA(Item(nID), BM_CLICK, 0, 0); }
    // A page button pressed whether it is enabled or not.
    void Press(int nID) { m_page->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)Item(nID)); }
    bool Checked(int nID) { return ::SendMessageA(Item(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int nID) { return ::IsWindowEnabled(Item(nID)) != FALSE; }
    int Selection(int nID) { return (int)::SendMessageA(Item(nID), CB_GETCURSEL, 0, 0); }
    void SelectRow(int nRow);
    void TickAllGroups();
    // The texts of the message boxes the action opened, each answered with the button.
    std::vector<std::string> Boxes(const std::function<void()>& action, int nButton = IDOK);
    // The frames the modem sent since the last call.
    std::vector<std::string> TakeFrames();
    std::string Ini(const std::string& name, const char* section, const char* key);
    const DeviceInfo& Record(int nIndex);
    // The frame is reply flag, two characters of the alphabet, "T", the commands and their code.
    void ExpectFrame(const std::string& frame, char flag, const std::string& commands);

    std::string m_folder;
    CMarqtelDoc* m_devices = nullptr;
    CDeviceView* m_page = nullptr;
    size_t m_nFramesTaken = 0;
};
