// The modem page's port list and the progress pop-up.
#include "ModemFixture.h"

#include "DialogAnswerer.h"
#include "ModemView.h"
#include "ProgressDlg.h"
#include "ToolTestSupport.h"
#include "resource.h"

#include <algorithm>
#include <string>
#include <vector>

using gsmsim::GsmModem;

namespace {

class ModemPageTest : public ModemTest {
protected:
    CModemView* ShowPage()
    {
        m_frame->ShowModemView();
        CWnd* pPage = m_frame->GetRightPage();
        return pPage != nullptr && pPage->IsKindOf(RUNTIME_CLASS(CModemView)) ? static_cast<CModemView*>(pPage) : nullptr;
    }
    static std::vector<std::string> Items(CComboBox& list)
    {
        std::vector<std::string> items;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetLBText(i, text);
            items.push_back((LPCTSTR)text);
        }
        return items;
    }
    static std::string Selected(CWnd* pList)
    {
        CComboBox* pCombo = static_cast<CComboBox*>(pList);
        int nItem = pCombo->GetCurSel();
        if (nItem == CB_ERR)
            return "";
        CString text;
        pCombo->GetLBText(nItem, text);
        return (LPCTSTR)text;
    }
    // As the user's choice arrives: the selection, then its notice to the page.
    static void Choose(CModemView* pPage, int nItem)
    {
        pPage->m_cbPort.SetCurSel(nItem);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MODEM_PORT, CBN_SELCHANGE), (LPARAM)pPage->m_cbPort.m_hWnd);
    }
    std::string Com(int n) { return "COM" + std::to_string(n); }
};

// The frame's own port is listed without being probed (which would take it from the modem
// link); what else is listed depends on the ports of the machine.
TEST_F(ModemPageTest, TheListHoldsNoneTheFramesPortAndThePortsThatOpen)
{
    Modem([](GsmModem& modem) { modem.SetEcho(false); });
    ASSERT_EQ(0, m_frame->InitSmsModem());
    CModemView* pPage = ShowPage();
    ASSERT_NE(nullptr, pPage);
    std::vector<std::string> items = Items(pPage->m_cbPort);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ("无", items[0]);
    EXPECT_EQ(1, std::count(items.begin(), items.end(), Com(m_nPort)));
    for (size_t i = 1; i < items.size(); ++i)
        EXPECT_EQ(0u, items[i].find("COM")) << items[i];
    EXPECT_EQ(Com(m_nPort), Selected(&pPage->m_cbPort));
    EXPECT_TRUE(m_frame->m_Port.IsOpen());

    struct Fixed {
        int nID;
        const char* text;
    } fixedSettings[] = { { IDC_MODEM_MODEL, "Brenlo" }, { IDC_MODEM_BAUD, "9600" }, { IDC_MODEM_DATA_BITS, "8位" },
                          { IDC_MODEM_STOP_BITS, "1位" }, { IDC_MODEM_PARITY, "无校验" }, { IDC_MODEM_FLOW, "硬件流控" } };
    for (const Fixed& fixed : fixedSettings)
        EXPECT_EQ(fixed.text, Selected(pPage->GetDlgItem(fixed.nID))) << fixed.nID;
}

TEST_F(ModemPageTest, TheSelectionFollowsTheProfileWhenNoPortWasOpenedAndAFailedPortStaysListed)
{
    m_profile.SetModemPort(-1);
    CModemView* pPage = ShowPage();
    ASSERT_NE(nullptr, pPage);
    EXPECT_EQ("无", Selected(&pPage->m_cbPort));

    m_frame->ShowAboutView();
    m_profile.SetModemPort(99);
    {
        DialogAnswerer answerer(::GetCurrentThreadId(), "");
        ASSERT_EQ(-1, m_frame->InitSmsModem());
    }
    pPage = ShowPage();
    ASSERT_NE(nullptr, pPage);
    EXPECT_EQ("COM99", Selected(&pPage->m_cbPort));
}

TEST_F(ModemPageTest, AChoiceIsStoredAndStartsTheModemOnIt)
{
    Modem([](GsmModem& modem) { modem.SetEcho(false); });
    ASSERT_EQ(0, m_frame->InitSmsModem());
    TakeTranscript();
    CModemView* pPage = ShowPage();
    ASSERT_NE(nullptr, pPage);

    Choose(pPage, 0);
    EXPECT_EQ(-1, m_profile.ModemPort());
    EXPECT_FALSE(m_frame->m_Port.IsOpen());
    EXPECT_EQ("没有短信模块!", Status());

    Choose(pPage, pPage->m_cbPort.FindStringExact(0, Com(m_nPort).c_str()));
    EXPECT_EQ(m_nPort, m_profile.ModemPort());
    EXPECT_EQ("ATE0\r\nATE0\r\nAT+CMGF=1\r", TakeTranscript());
    EXPECT_EQ("短信模块就绪", Status());

    // No selection at all is no choice (and not COM0).
    Choose(pPage, -1);
    EXPECT_EQ(m_nPort, m_profile.ModemPort());
    EXPECT_EQ("", TakeTranscript());
    EXPECT_TRUE(m_frame->m_Port.IsOpen());
}

TEST_F(ModemPageTest, ThePopUpShowsItsTextOverTheDisabledFrameAndFillsItsBarTickByTick)
{
    m_frame->MoveWindow(40, 30, 900, 600);
    m_frame->ShowProgress("设备列表已保存！", 1, 3);
    CProgressDlg* pPopUp = m_frame->m_pProgressDlg;
    ASSERT_NE(nullptr, pPopUp);
    EXPECT_TRUE(pPopUp->IsWindowVisible());
    EXPECT_FALSE(m_frame->IsWindowEnabled());
    CString text;
    pPopUp->GetDlgItemText(IDC_PROGRESS_TEXT, text);
    EXPECT_STREQ("设备列表已保存！", text);
    CRect rcFrame, rcPopUp;
    m_frame->GetWindowRect(&rcFrame);
    pPopUp->GetWindowRect(&rcPopUp);
    EXPECT_EQ(rcFrame.left + (rcFrame.Width() - rcPopUp.Width()) / 2, rcPopUp.left);
    EXPECT_EQ(rcFrame.top + (rcFrame.Height() - rcPopUp.Height()) / 2, rcPopUp.top);

    int positions[] = { 33, 66, 100, 100 };
    for (int nPosition : positions) {
        pPopUp->SendMessage(WM_TIMER, TIMER_PROGRESS);
        EXPECT_EQ(nPosition, pPopUp->m_Progress.GetPos());
    }
    m_frame->ShowProgress("短信模块初始化完成", 1, 0);
    EXPECT_EQ(100, pPopUp->m_Progress.GetPos());
    m_frame->ShowProgress("", 0, 0);
    EXPECT_FALSE(pPopUp->IsWindowVisible());
    EXPECT_TRUE(m_frame->IsWindowEnabled());
    m_frame->ShowProgress("正在发送短信到[设备1,13800000001]...", 1, 15);
    EXPECT_EQ(0, pPopUp->m_Progress.GetPos());
    EXPECT_EQ(pPopUp, m_frame->m_pProgressDlg); // made once, then shown and hidden
    m_frame->ShowProgress("", 0, 0);
}

// A tick queued before the bar was stopped may come when no count of ticks was ever given.
TEST_F(ModemPageTest, ATickWithNoCountOfTicksShowsAFullBar)
{
    CProgressDlg popUp;
    ASSERT_TRUE(popUp.Create(IDD_PROGRESS, m_frame));
    popUp.Start(0);
    popUp.SendMessage(WM_TIMER, TIMER_PROGRESS);
    EXPECT_EQ(100, popUp.m_Progress.GetPos());
    popUp.DestroyWindow();
}

} // namespace
