#include "SmsPageFixture.h"

#include "DialogAnswerer.h"
#include "Marqtel.h"
#include "SmsFrame.h"
#include "TestSupport.h"
#include "resource.h"

#include <cctype>

const char SmsPageTest::kPhone1[] = "13900000001";
const char SmsPageTest::kPhone2[] = "13900000002";

void SmsPageTest::SetUp()
{
    ModemTest::SetUp();
    static int s_run = 0;
    m_folder = TempPath("marqtel-sms-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++s_run));
    ::CreateDirectoryA(m_folder.c_str(), NULL);
    ::CreateDirectoryA((m_folder + "\\devices").c_str(), NULL);
    theApp.m_strAppPath = m_folder.c_str();
    OpenReadyModem();
    Modem([](gsmsim::GsmModem& modem) {
        modem.AddTerminal(kPhone1, 0);
        modem.AddTerminal(kPhone2, 0);
    });
}

void SmsPageTest::TearDown()
{
    ModemTest::TearDown();
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA((m_folder + "\\devices\\*.ini").c_str(), &found);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &found))
        ::DeleteFileA((m_folder + "\\devices\\" + found.cFileName).c_str());
    ::FindClose(hFind);
    ::RemoveDirectoryA((m_folder + "\\devices").c_str());
    ::DeleteFileA((m_folder + "\\devices.csv").c_str());
    ::RemoveDirectoryA(m_folder.c_str());
}

void SmsPageTest::OpenPage(const std::vector<std::pair<std::string, std::string>>& devices)
{
    m_devices = static_cast<CMarqtelDoc*>(m_doc);
    for (const auto& device : devices) {
        DeviceInfo info(device.first.c_str());
        info.m_strPhone = device.second.c_str();
        m_devices->m_deviceList.AddTail(info);
    }
    m_frame->ShowDeviceView();
    m_page = m_frame->GetDeviceView();
    ASSERT_NE(nullptr, m_page);
    m_page->FillDeviceList();
}

gsmsim::ScriptedDevice& SmsPageTest::Terminal(const char* phone)
{
    return *Modem([phone](gsmsim::GsmModem& modem) { return modem.Terminal(phone); });
}

std::string SmsPageTest::Text(int nID)
{
    return WindowTextOf(Item(nID));
}

void SmsPageTest::SelectRow(int nRow)
{
    m_page->m_list.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void SmsPageTest::TickAllGroups()
{
    for (int nID : { IDC_NM_ENABLE, IDC_DIAL_ENABLE, IDC_SERIAL_ENABLE, IDC_GATEWAY_ENABLE, IDC_WMMP_ENABLE,
                     IDC_MULTI_CENTER_ENABLE })
        if (!Checked(nID))
            Click(nID);
}

std::vector<std::string> SmsPageTest::Boxes(const std::function<void()>& action, int nButton)
{
    DialogAnswerer answerer(::GetCurrentThreadId(), "", nButton);
    action();
    answerer.Stop();
    return answerer.m_messages;
}

std::vector<std::string> SmsPageTest::TakeFrames()
{
    std::vector<gsmsim::SentSms> sent = Modem([](gsmsim::GsmModem& modem) { return modem.Sent(); });
    std::vector<std::string> frames;
    for (size_t i = m_nFramesTaken; i < sent.size(); ++i)
        frames.push_back(sent[i].text);
    m_nFramesTaken = sent.size();
    return frames;
}

std::string SmsPageTest::Ini(const std::string& name, const char* section, const char* key)
{
    char value[256] = "";
    std::string path = m_folder + "\\devices\\" + name + ".ini";
    ::GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, path.c_str());
    return value;
}

const DeviceInfo& SmsPageTest::Record(int nIndex)
{
    return m_devices->m_deviceList.GetAt(m_devices->m_deviceList.FindIndex(nIndex));
}

void SmsPageTest::ExpectFrame(const std::string& frame, char flag, const std::string& commands)
{
    ASSERT_GE(frame.size(), 12u) << frame;
    EXPECT_EQ(flag, frame[0]) << frame;
    EXPECT_TRUE(std::isalnum((unsigned char)frame[1]) && std::isalnum((unsigned char)frame[2])) << frame;
    EXPECT_EQ('T', frame[3]) << frame;
    EXPECT_EQ(commands, frame.substr(4, frame.size() - 12)) << frame;
    EXPECT_EQ(SignFrame(frame.substr(0, frame.size() - 8)), frame);
}
