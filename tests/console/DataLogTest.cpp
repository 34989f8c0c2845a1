// The rolling data log files: their bytes, rolling, forcing, same-second names and failures.
#include "ConsoleFixture.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "DataLogFormat.h"
#include "SettingsFile.h"
#include "components/DateTimeText.h"

namespace {

class DataLogs : public ConsoleWithTerminalTest {
protected:
    void SwitchLogging(bool on) {
        if (form->CheckBox4->Checked() != on) ClickControl(form->CheckBox4);
    }

    std::vector<std::string> Logs() { return FilesIn(folder, "*.log"); }
    std::string Log(const std::string& name) { return ReadFileBytes(folder + "\\" + name); }

    static int Records(const std::string& log) {
        int lines = 0;
        for (std::size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 2)) ++lines;
        return lines / 2;
    }

    // The time text of the last data event, from its memo header.
    std::string LastEventTime() {
        const auto lines = MemoLines();
        const std::string header = lines[lines.size() - 2];
        const std::size_t at = header.find("接收时间: ") + std::string("接收时间: ").size();
        return header.substr(at, 19);
    }
};

}  // namespace

TEST_F(DataLogs, ARecordIsTwoGbkLinesWithTheRawIdAndTimeFields) {
    SwitchLogging(true);
    EXPECT_FALSE(form->F1->Enabled()) << "the log settings are locked while logging";
    EXPECT_TRUE(Logs().empty()) << "no file before the first record";
    SendFromTerminal(*terminal, {0x41, 0x00, 0xFF});
    const auto logs = Logs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(form->LogFileName, folder + "\\" + logs[0]);

    const std::string expected = std::string("USERID\xA3\xBA") + std::string("13800000001\0", 12) + "    RECV_TIME\xA3\xBA" +
                                 LastEventTime() + std::string(1, '\0') + "    DATA_LENGTH\xA3\xBA" + "3\r\n" + "DATA\xA3\xBA" + "41 00 FF \r\n";
    EXPECT_EQ(Log(logs[0]), expected);

    // Named after the moment it was made: digits and '_' only.
    const std::string name = logs[0];
    EXPECT_EQ(name.substr(name.size() - 4), ".log");
    EXPECT_EQ(name.find_first_not_of("0123456789_"), name.size() - 4) << name;
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(name.find(std::to_string(now.wYear)), 0u) << name;

    SwitchLogging(false);
    EXPECT_TRUE(form->F1->Enabled());
    SendFromTerminal(*terminal, Bytes("not logged"));
    EXPECT_EQ(Records(Log(logs[0])), 1);
}

TEST_F(DataLogs, AFileHoldsTheSetNumberOfRecordsThenTheNextOneStarts) {
    form->RecordsPerFile = 100;
    SwitchLogging(true);
    ChooseMenuItem(form.get(), form->N13);  // the memo display only slows this down
    for (int i = 0; i < 101; ++i) {
        ASSERT_TRUE(terminal->sendData(Bytes("record " + std::to_string(i))));
        if (i % 10 == 9) Sleep(5);
    }
    ASSERT_TRUE(PumpUntil([&] { return EventCount() == 101; }, 20000));
    const auto logs = Logs();
    ASSERT_EQ(logs.size(), 2u) << "the 101st record starts a new file, even within the same second";
    const std::string first = folder + "\\" + logs[0] == form->LogFileName ? logs[1] : logs[0];
    EXPECT_EQ(Records(Log(first)), 100);
    EXPECT_NE(Log(first).find("DATA\xA3\xBA" "72 65 63 6F 72 64 20 30 \r\n"), std::string::npos) << "record 0";
    EXPECT_EQ(Records(ReadFileBytes(form->LogFileName)), 1);
    EXPECT_NE(ReadFileBytes(form->LogFileName).find("72 65 63 6F 72 64 20 31 30 30 "), std::string::npos) << "record 100";
}

TEST_F(DataLogs, StartingTheServiceOrSwitchingLoggingOnStartsANewFile) {
    SwitchLogging(true);
    SendFromTerminal(*terminal, Bytes("one"));
    SendFromTerminal(*terminal, Bytes("two"));
    ASSERT_EQ(Logs().size(), 1u);

    SwitchLogging(false);
    SwitchLogging(true);
    SendFromTerminal(*terminal, Bytes("three"));
    ASSERT_EQ(Logs().size(), 2u);

    StopService();
    StartService();
    terminal = LoginTerminal("13800000001");
    SendFromTerminal(*terminal, Bytes("four"));
    ASSERT_EQ(Logs().size(), 3u);
    int records = 0;
    for (const auto& name : Logs()) records += Records(Log(name));
    EXPECT_EQ(records, 4) << "no record lost";
}

TEST_F(DataLogs, ANewFileNeverOverwritesOneOfTheSameName) {
    // Whatever second the next file is made in, a file of that name is there already.
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME base;
    SystemTimeToFileTime(&now, &base);
    std::vector<std::string> taken;
    for (int second = 0; second < 5; ++second) {
        ULARGE_INTEGER t{{base.dwLowDateTime, base.dwHighDateTime}};
        t.QuadPart += static_cast<ULONGLONG>(second) * 10000000ULL;
        FILETIME ft{t.LowPart, t.HighPart};
        SYSTEMTIME st;
        FileTimeToSystemTime(&ft, &st);
        const std::string name = DataLogFileName(DateTimeToStr(st));
        std::ofstream(folder + "\\" + name, std::ios::binary) << "an earlier file";
        taken.push_back(name);
    }
    SwitchLogging(true);
    SendFromTerminal(*terminal, Bytes("new"));
    for (const auto& name : taken) EXPECT_EQ(Log(name), "an earlier file") << name;
    const std::string made = form->LogFileName.substr(folder.size() + 1);
    EXPECT_EQ(std::find(taken.begin(), taken.end(), made), taken.end()) << made;
    EXPECT_EQ(made.substr(made.size() - 6), "_2.log") << "beside the taken name";
    EXPECT_EQ(Records(Log(made)), 1);
}

TEST_F(DataLogs, AFolderThatCannotBeWrittenIsReportedAndLoggingTriesAgain) {
    const std::string missing = folder + "\\later";
    form->LogDir = missing;
    SwitchLogging(true);
    SendFromTerminal(*terminal, Bytes("lost"));
    EXPECT_EQ(LastMemoLine(), "Cannot open log file.");
    SendFromTerminal(*terminal, Bytes("lost too"));
    EXPECT_EQ(LastMemoLine(), "Cannot open log file.");
    EXPECT_TRUE(form->CheckBox4->Checked()) << "logging stays on";

    ASSERT_TRUE(CreateDirectoryA(missing.c_str(), nullptr));
    SendFromTerminal(*terminal, Bytes("kept"));
    EXPECT_EQ(LastMemoLine(), "接收的数据: kept");
    const auto logs = FilesIn(missing, "*.log");
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(Records(ReadFileBytes(missing + "\\" + logs[0])), 1);
}

TEST_F(DataLogs, NoDirMeansTheProgramsOwnFolder) {
    form->LogDir = "NODIR";
    SwitchLogging(true);
    SendFromTerminal(*terminal, Bytes("beside the program"));
    const std::string path = form->LogFileName;
    EXPECT_EQ(path.substr(0, ProgramFolder().size() + 1), ProgramFolder() + "\\");
    EXPECT_EQ(Records(ReadFileBytes(path)), 1);
    DeleteFileA(path.c_str());
}

TEST_F(DataLogs, TheFileIsHeldOpenAndAReaderSeesEachRecordAsItIsHandled) {
    SwitchLogging(true);
    for (int i = 1; i <= 3; ++i) {
        SendFromTerminal(*terminal, Bytes("record " + std::to_string(i)));
        EXPECT_EQ(Records(ReadFileBytes(form->LogFileName)), i) << "on disk once counted";
    }
    EXPECT_FALSE(DeleteFileA(form->LogFileName.c_str())) << "held open: it cannot go from under the console";
    const std::string first = form->LogFileName;
    SwitchLogging(false);
    EXPECT_TRUE(DeleteFileA(first.c_str())) << "let go when logging stops";
}

TEST_F(DataLogs, ARolledFileIsLetGoAndTheNextOneHeld) {
    form->RecordsPerFile = 2;
    SwitchLogging(true);
    SendFromTerminal(*terminal, Bytes("a"));
    const std::string first = form->LogFileName;
    SendFromTerminal(*terminal, Bytes("b"));
    SendFromTerminal(*terminal, Bytes("c"));
    ASSERT_NE(form->LogFileName, first);
    EXPECT_EQ(Records(Log(first.substr(folder.size() + 1))), 2);
    EXPECT_TRUE(DeleteFileA(first.c_str())) << "the full file is closed";
    EXPECT_FALSE(DeleteFileA(form->LogFileName.c_str()));
    EXPECT_EQ(Records(ReadFileBytes(form->LogFileName)), 1);
}

TEST_F(DataLogs, AFileRemovedWhileWrittenIsMadeAnewUnderItsPathAtTheNextRecord) {
    SwitchLogging(true);
    SendFromTerminal(*terminal, Bytes("before"));
    const std::string path = form->LogFileName;
    if (!RemoveFromHost(path)) GTEST_SKIP() << "no host system to remove the file from under Windows";
    SendFromTerminal(*terminal, Bytes("after"));
    EXPECT_EQ(form->LogFileName, path);
    const std::string log = ReadFileBytes(path);
    EXPECT_EQ(Records(log), 1);
    EXPECT_NE(log.find("DATA\xA3\xBA" "61 66 74 65 72 \r\n"), std::string::npos) << "the record after the removal";
    EXPECT_EQ(LastMemoLine(), "接收的数据: after") << "no error";
    form->RecordsPerFile = 2;
    SendFromTerminal(*terminal, Bytes("rolls"));
    EXPECT_NE(form->LogFileName, path) << "the removed file's records still count toward its roll";
}
