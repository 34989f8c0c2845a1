// The login at start-up (first run, wrong entries, cancel) and the change of user, with the
// frame in this process and its profile under a key of the test's own.
#include "ModemFixture.h"

#include "DeviceView.h"
#include "LoginAnswerer.h"
#include "PasswordHash.h"
#include "ProgressDlg.h"
#include "ToolTestSupport.h"
#include "resource.h"

#include <string>
#include <vector>

using Strings = std::vector<std::string>;

namespace {

// The texts the frame's progress pop-up shows, noted from a timer.
CMainFrame* g_pFrame = nullptr;
Strings g_notices;

void CALLBACK NoteNotice(HWND, UINT, UINT_PTR, DWORD)
{
    CProgressDlg* pPopUp = g_pFrame->m_pProgressDlg;
    if (pPopUp == nullptr || !pPopUp->IsWindowVisible())
        return;
    CString text;
    pPopUp->GetDlgItemText(IDC_PROGRESS_TEXT, text);
    if (g_notices.empty() || g_notices.back() != (LPCTSTR)text)
        g_notices.push_back((LPCTSTR)text);
}

class LoginTest : public ModemTest {
protected:
    // Runs the start-up timer with the answers; true when the device page came up.
    bool StartUp(std::vector<LoginEntry> entries)
    {
        LoginAnswerer answerer(::GetCurrentProcessId(), std::move(entries), true);
        m_frame->SetTimer(TIMER_STARTUP, 10, NULL);
        HWND hFrame = m_hFrame;
        bool bShown = PumpUntil(
            [&] {
                return !::IsWindow(hFrame) || (m_frame->GetRightPage()->IsKindOf(RUNTIME_CLASS(CDeviceView)));
            },
            15000);
        answerer.Stop();
        m_captions = answerer.m_captions;
        m_shownUsers = answerer.m_shownUsers;
        m_messages = answerer.m_messages;
        return bShown && ::IsWindow(hFrame);
    }

    Strings m_captions, m_shownUsers, m_messages;
};

TEST_F(LoginTest, TheFirstRunCreatesTheUserOnceNameAndPasswordAreGiven)
{
    ASSERT_TRUE(StartUp({ { "", "pw" }, { "op", "" }, { "op", "secret" } }));
    EXPECT_EQ((Strings{ "创建新用户", "创建新用户", "创建新用户" }), m_captions);
    EXPECT_EQ((Strings{ "必须设置一个用户名！", "密码不能为空！" }), m_messages);
    EXPECT_EQ("op", m_profile.LoginValue("User"));
    EXPECT_EQ(HashPassword("secret"), m_profile.LoginValue("Passwd"));
    EXPECT_EQ(0u, TakeTranscript().find("ATE0")); // the modem starts after the login
}

// The name is filled in; a wrong password or a name in other letter case is refused as often
// as it is tried. A password longer than 16 characters counts with its first 16.
TEST_F(LoginTest, EveryStartAsksUntilNameAndPasswordMatch)
{
    m_profile.SetLogin("op", "abcdefghijklmnop");
    ASSERT_TRUE(StartUp({ { "op", "wrong" }, { "OP", "abcdefghijklmnop" }, { "op", "abcdefghijklmnopXYZ" } }));
    EXPECT_EQ((Strings{ "用户登录", "用户登录", "用户登录" }), m_captions);
    EXPECT_EQ((Strings{ "op", "op", "op" }), m_shownUsers);
    EXPECT_EQ((Strings{ "用户名或密码错误！", "用户名或密码错误！" }), m_messages);
    EXPECT_EQ(HashPassword("abcdefghijklmnop"), m_profile.LoginValue("Passwd"));
}

// A user stored without a password hash cannot log in; cancelling ends the program before the
// modem is started.
TEST_F(LoginTest, CancelClosesTheFrameWithoutStartingTheModem)
{
    m_profile.SetLogin("op", "");
    EXPECT_FALSE(StartUp({ { "op", "" }, { "op", "x" }, { "", "", IDCANCEL } }));
    EXPECT_EQ((Strings{ "用户名或密码错误！", "用户名或密码错误！" }), m_messages);
    EXPECT_TRUE(WaitForFrameToClose());
    EXPECT_EQ("", TakeTranscript());
}

TEST_F(LoginTest, ChangingTheUserAsksForBothAndTellsOfTheChange)
{
    m_profile.SetLogin("op", "pw");
    g_pFrame = m_frame;
    g_notices.clear();
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 100, NoteNotice);
    LoginAnswerer answerer(::GetCurrentProcessId(), { { "", "x" }, { "new", "" }, { "new", "pw2" } }, true);
    m_frame->SendMessage(WM_COMMAND, ID_CHANGE_USER);
    ::KillTimer(NULL, nTimer);
    answerer.Stop();
    EXPECT_EQ((Strings{ "修改用户资料", "修改用户资料", "修改用户资料" }), answerer.m_captions);
    EXPECT_EQ((Strings{ "op", "", "new" }), answerer.m_shownUsers); // what was typed stays
    EXPECT_EQ((Strings{ "必须设置一个用户名！", "密码不能为空！" }), answerer.m_messages);
    EXPECT_EQ("new", m_profile.LoginValue("User"));
    EXPECT_EQ(HashPassword("pw2"), m_profile.LoginValue("Passwd"));
    EXPECT_EQ(Strings{ "用户名、密码已经修改！" }, g_notices);

    LoginAnswerer cancel(::GetCurrentProcessId(), { { "other", "x", IDCANCEL } });
    m_frame->SendMessage(WM_COMMAND, ID_CHANGE_USER);
    cancel.Stop();
    EXPECT_EQ("new", m_profile.LoginValue("User"));
}

} // namespace
