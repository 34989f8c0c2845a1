// The SMS command logic without windows: MD5, the frame and its check codes, the password hash,
// the set commands of every group, the fields of the answers, the reply cutter and what each
// entry tells the operator.
#include <gtest/gtest.h>

#include "ConfigGroups.h"
#include "Md5.h"
#include "PasswordHash.h"
#include "ReplyParser.h"
#include "SmsFrame.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace {

std::string Md5Hex(const std::string& text)
{
    unsigned char digest[16];
    MD5(text.data(), text.size(), digest);
    return DigestToHex(digest);
}

TEST(Md5Test, TheTestSuiteOfTheRfcAndInputCutAnyWay)
{
    EXPECT_EQ("D41D8CD98F00B204E9800998ECF8427E", Md5Hex(""));
    EXPECT_EQ("0CC175B9C0F1B6A831C399E269772661", Md5Hex("a"));
    EXPECT_EQ("900150983CD24FB0D6963F7D28E17F72", Md5Hex("abc"));
    EXPECT_EQ("F96B697D7CB7938D525A2F31AAF161D0", Md5Hex("message digest"));
    EXPECT_EQ("C3FCD3D76192E4007DFB496CCA67E13B", Md5Hex("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ("D174AB98D277D9F5A5611C2C9F419D9F",
              Md5Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"));
    std::string digits;
    for (int i = 0; i < 8; ++i)
        digits += "1234567890";
    EXPECT_EQ("57EDF4A22BE3C955AC49DA2E2107B67A", Md5Hex(digits));

    // 55, 56 and 64 bytes pad across one or two blocks; pieces of every size give one digest.
    for (size_t nLength : { 55u, 56u, 63u, 64u, 65u, 200u }) {
        std::string text(nLength, 'x');
        for (size_t nPiece : { 1u, 7u, 64u }) {
            MD5Context context;
            MD5Init(&context);
            for (size_t at = 0; at < text.size(); at += nPiece)
                MD5Update(&context, text.data() + at, std::min(nPiece, text.size() - at));
            unsigned char digest[16];
            MD5Final(digest, &context);
            EXPECT_EQ(Md5Hex(text), DigestToHex(digest)) << nLength << " " << nPiece;
        }
    }
}

// Worked examples with the keys in docs/sms-commands.md, worked out apart from this code.
TEST(SmsFrameTest, CheckCodesAreKeyedMd5OverTheWholeTextWithEitherKey)
{
    EXPECT_EQ("B356F587E171D2D377D92AB56CEEB8D4", SignSms("+8dT6x;Fq;", kFrameKey));
    EXPECT_EQ("-8dT1x;9B9A7682", SignFrame("-8dT1x;"));
    EXPECT_EQ("B89F9640B2B0CF0D40CB37FAD84EF1E9", SignSms("", kFrameKey));
    EXPECT_EQ("553378F855BC6CC359EB2DA969527EB9", SignTrustList("13900000001,"));
    EXPECT_EQ(SignSms("13900000001,,", kTrustKey), SignTrustList("13900000001,"));
    // A text of any length is signed: nothing is copied into a buffer of fixed size.
    EXPECT_EQ(32u, SignSms(std::string(100000, 'A'), kFrameKey).size());
}

TEST(SmsFrameTest, PrefixCharactersLengthAndControlCharacters)
{
    EXPECT_EQ("0z", RandomPair(0, 61));
    EXPECT_EQ("fr", RandomPair(41, 53));
    EXPECT_EQ("1A", RandomPair(63, 62 + 10));
    EXPECT_EQ(FrameFault::None, CheckFrameText("+frT" + std::string(136, 'a')));
    EXPECT_EQ(FrameFault::TooLong, CheckFrameText("+frT" + std::string(137, 'a')));
    for (char bad : { '\x1A', '\x1B', '\r', '\n', '\x7F', '\0' }) {
        std::string text = std::string("+frT7x:") + bad + ";";
        EXPECT_EQ(FrameFault::ControlCharacter, CheckFrameText(text)) << (int)bad;
    }
    EXPECT_EQ(FrameFault::None, CheckFrameText("+frT7x:\xB2\xE2;")); // GBK text goes
}

TEST(PasswordHashTest, SixteenBytesOfThePasswordAndTheBuiltInConstant)
{
    EXPECT_EQ("73C90886784818A2221704AD0B9D6553", HashPassword("secret"));
    EXPECT_EQ("B3AA79C0015FBCC0FD911CE086982F08", HashPassword("abcdefghijklmnopqrst"));
    EXPECT_EQ(HashPassword("abcdefghijklmnop"), HashPassword("abcdefghijklmnopqrst"));
    EXPECT_NE(HashPassword("Secret"), HashPassword("secret"));
    // The password is padded with zero bytes: a trailing NUL adds nothing.
    EXPECT_EQ(HashPassword(""), HashPassword(std::string(1, '\0')));
    EXPECT_EQ("748F2771EEFBFC326EBA3BA6E75AB14E", HashPassword(""));
}

DeviceConfigValues SampleValues()
{
    DeviceConfigValues v;
    v.nmMode = 1;
    v.nmDeviceId = "345012345";
    v.serverAddr = "dm.example.com";
    v.serverPort = 9100;
    v.trustList = "13900000001,";
    v.platform = 1;
    v.platformDeviceId = "88";
    v.wmmpAddr = "198.51.100.7";
    v.wmmpPort = 6000;
    v.heartbeat = 30;
    v.smsCenter = "8613800100500";
    v.smsAlarm = "13700000000";
    v.baud = 5;
    v.dataBits = 3;
    v.stopBits = 2;
    v.parity = 1;
    v.dtuId = "77";
    v.gatewayAddr = "192.0.2.5";
    v.gatewayPort = 5000;
    v.link = 5;
    v.strategy = 1;
    const char* addrs[] = { "a.b", "c", "1.2.3.4", "" };
    for (int i = 0; i < 4; ++i) {
        v.extAddr[i] = addrs[i];
        v.extPort[i] = i + 1;
    }
    v.autoDial = 1;
    v.apn = "cmnet";
    v.dialNumber = "*99***1#";
    v.dialUser = "GPRS";
    v.dialPassword = "DTUP";
    v.auth = 2;
    return v;
}

TEST(ConfigGroupsTest, EverySetCommandHasItsFieldsInItsOrder)
{
    DeviceConfigValues v = SampleValues();
    EXPECT_EQ("Ax:13900000001,,553378F855BC6CC359EB2DA969527EB9;", BuildSetGroup('A', v));
    EXPECT_EQ("8x:2,3,345012345,0,dm.example.com,9100;", BuildSetGroup('8', v));
    EXPECT_EQ("Ex:1,88,198.51.100.7,6000,0,30,8613800100500,13700000000,;", BuildSetGroup('E', v));
    EXPECT_EQ("Cx:6,8,2,1,,;", BuildSetGroup('C', v));
    EXPECT_EQ("Bx:77,192.0.2.5,5000,5,,,;", BuildSetGroup('B', v));
    EXPECT_EQ("Gx:1,a.b,1,c,2,1.2.3.4,3,,4,;", BuildSetGroup('G', v));
    EXPECT_EQ("7x:1,cmnet,*99***1#,GPRS,DTUP,60,2,;", BuildSetGroup('7', v));
    EXPECT_EQ("", BuildSetGroup('9', v));
}

// Each set command read back through its query answer gives the values that were sent.
TEST(ConfigGroupsTest, AQueryAnswerInTheSetLayoutReadsBackWhatWasSent)
{
    DeviceConfigValues sent = SampleValues();
    for (char letter : { '8', 'E', 'C', 'B', 'G', '7' }) {
        std::string group = BuildSetGroup(letter, sent);
        DeviceConfigValues read;
        ApplyAnswerFields(letter, group.substr(3, group.size() - 4), read);
        EXPECT_EQ(BuildSetGroup(letter, sent), BuildSetGroup(letter, read)) << letter;
    }
}

// Every multi-centre answer names a strategy: the concurrent one for what a terminal may send for
// it, the round-robin one for anything else, whatever the page showed before.
TEST(ConfigGroupsTest, AMultiCentreAnswerSelectsConcurrentOrElseRoundRobin)
{
    DeviceConfigValues read;
    for (const char* concurrent : { "1", "N", "n", "78", "110", "Nein", "1x" }) {
        read.strategy = 0;
        ApplyAnswerFields('G', concurrent, read);
        EXPECT_EQ(1, read.strategy) << concurrent;
    }
    for (const char* roundRobin : { "0,,,,,,,,", "2", "", "-1", "x", "77", "111", "M" }) {
        read.strategy = 1;
        ApplyAnswerFields('G', roundRobin, read);
        EXPECT_EQ(0, read.strategy) << roundRobin;
    }
}

std::vector<std::string> Groups(std::initializer_list<size_t> lengths)
{
    std::vector<std::string> groups;
    char letter = 'a';
    for (size_t length : lengths)
        groups.push_back(std::string(length, letter++));
    return groups;
}

// A frame is closed before a group that would bring it to 127 characters, never before the first
// group it would hold; a long group has a frame of its own.
TEST(ConfigGroupsTest, SetCommandsArePackedIntoFramesBelow127Characters)
{
    EXPECT_TRUE(PackSetFrames({}).empty());
    EXPECT_EQ((std::vector<std::string>{ std::string(60, 'a') + std::string(66, 'b') }), PackSetFrames(Groups({ 60, 66 })));
    EXPECT_EQ((std::vector<std::string>{ std::string(60, 'a'), std::string(67, 'b') }), PackSetFrames(Groups({ 60, 67 })));
    EXPECT_EQ((std::vector<std::string>{ std::string(200, 'a'), std::string(10, 'b') }), PackSetFrames(Groups({ 200, 10 })));
    EXPECT_EQ((std::vector<std::string>{ std::string(10, 'a'), std::string(130, 'b'), std::string(5, 'c') }),
              PackSetFrames(Groups({ 10, 130, 5 })));
    // 40 + 40 + 40 + 6 is 126 and stays together; the next group would make 127.
    std::vector<std::string> frames = PackSetFrames(Groups({ 40, 40, 40, 6, 1, 120 }));
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(std::string(40, 'a') + std::string(40, 'b') + std::string(40, 'c') + std::string(6, 'd'), frames[0]);
    EXPECT_EQ("e" + std::string(120, 'f'), frames[1]);
}

TEST(ConfigGroupsTest, AnswerFieldsMissingEmptyOrOutsideTheirLists)
{
    DeviceConfigValues v;
    ApplyAnswerFields('C', "0,8,0,0", v);
    EXPECT_EQ(5, v.baud); // 9600
    EXPECT_EQ(3, v.dataBits);
    ApplyAnswerFields('C', "13,4,3,-1", v); // none of these names an item
    EXPECT_EQ(5, v.baud);
    EXPECT_EQ(3, v.dataBits);
    ApplyAnswerFields('C', "-99999999999,-99999999999,0,0", v); // shifted onto the lists, still out
    EXPECT_EQ(5, v.baud);
    EXPECT_EQ(3, v.dataBits);
    EXPECT_EQ(0, v.stopBits);
    EXPECT_EQ(0, v.parity);
    ApplyAnswerFields('8', "2", v);
    EXPECT_EQ(1, v.nmMode);
    EXPECT_EQ("", v.serverAddr);
    EXPECT_EQ(0, v.serverPort);
    ApplyAnswerFields('8', "3,3,id,0,addr,80x", v);
    EXPECT_EQ(1, v.nmMode);
    EXPECT_EQ(80, v.serverPort);

    ApplyAnswerFields('A', "139,,137,136", v);
    EXPECT_EQ("139,137", v.trustList);
    ApplyAnswerFields('4', "OK,23", v);
    EXPECT_EQ("23", v.signal);
    ApplyAnswerFields('6', "17,0,4600,8600,1A2B,0,V2.1,3,345012345", v);
    EXPECT_EQ("17", v.signal);
    EXPECT_EQ("V2.1", v.version);
    EXPECT_EQ("345012345", v.nmDeviceId);
    EXPECT_EQ("[d(139)]的信号是17; IMSI号是4600; IMEI号是8600; 基站小区ID是1A2B; 版本号是 V2.1; 厂商标识是 3; "
              "网管设备号是 345012345",
              WorkStatusText("d", "139", "17,0,4600,8600,1A2B,0,V2.1,3,345012345"));
    DeviceConfigValues untouched = v;
    ApplyAnswerFields('9', "1,2,3", v);
    ApplyAnswerFields('D', "1,2,3", v);
    EXPECT_EQ(BuildSetGroup('7', untouched), BuildSetGroup('7', v));
}

TEST(ConfigGroupsTest, FieldsThatWouldBreakTheirGroupAreNamed)
{
    DeviceConfigValues v = SampleValues();
    for (char letter : { 'A', '8', 'E', 'C', 'B', 'G', '7' })
        EXPECT_EQ("", CheckGroupFields(letter, v).label) << letter;
    v.apn = "cmnet;1x";
    EXPECT_EQ("APN", CheckGroupFields('7', v).label);
    EXPECT_EQ("分号“;”", CheckGroupFields('7', v).what);
    v.apn = "cmnet";
    v.serverAddr = "a,b";
    EXPECT_EQ("服务器地址", CheckGroupFields('8', v).label);
    EXPECT_EQ("逗号“,”", CheckGroupFields('8', v).what);
    v.extAddr[3] = "x\x1Ay";
    EXPECT_EQ("扩展4地址", CheckGroupFields('G', v).label);
    EXPECT_EQ("控制字符", CheckGroupFields('G', v).what);
    v.trustList = "139,138,"; // the separator of the list goes
    EXPECT_EQ("", CheckGroupFields('A', v).label);
    v.trustList = "139;2x";
    EXPECT_EQ("信任手机号", CheckGroupFields('A', v).label);
}

TEST(ConfigGroupsTest, FieldsAndNumbersAreCutWithinTheText)
{
    std::string text = "a,b,";
    EXPECT_EQ("a", NextField(text, ','));
    EXPECT_EQ("b", NextField(text, ','));
    EXPECT_EQ("", NextField(text, ','));
    EXPECT_EQ("", text);
    EXPECT_EQ("", NextField(text, ','));
    EXPECT_EQ(-101, LeadingInt("-101abc"));
    EXPECT_EQ(0, LeadingInt("x1"));
    EXPECT_EQ(0, LeadingInt("-"));
    EXPECT_EQ(2147483647, LeadingInt("99999999999999999999"));
    EXPECT_EQ(-2147483647 - 1, LeadingInt("-99999999999999999999"));
}

std::vector<ReplyEntry> Cut(const std::string& message)
{
    std::vector<ReplyEntry> entries;
    EXPECT_EQ(ReplyShape::Entries, CutReply(message, entries)) << message;
    return entries;
}

TEST(ReplyParserTest, EntriesAreCutWithOrWithoutModeColonAndEndMark)
{
    std::vector<ReplyEntry> entries;
    EXPECT_EQ(ReplyShape::TooShort, CutReply("#frT", entries));
    EXPECT_EQ(ReplyShape::NotAReply, CutReply("hello", entries));

    entries = Cut("#frT1xOK;7:OK;8q:2,3,id;Zq:1;Fq:10.0.0.1");
    ASSERT_EQ(5u, entries.size());
    EXPECT_EQ('1', entries[0].letter);
    EXPECT_EQ('x', entries[0].mode);
    EXPECT_EQ("OK", entries[0].value);
    EXPECT_EQ('7', entries[1].letter);
    EXPECT_EQ('x', entries[1].mode);
    EXPECT_EQ("OK", entries[1].value);
    EXPECT_EQ('q', entries[2].mode);
    EXPECT_EQ("2,3,id", entries[2].value);
    EXPECT_EQ('Z', entries[3].letter);
    EXPECT_EQ("10.0.0.1", entries[4].value); // the last entry needs no ";"

    // Entries ending right after their letter, mode or colon.
    entries = Cut("#frTA");
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ("", entries[0].value);
    entries = Cut("#frT;;7q");
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(';', entries[0].letter);
    EXPECT_EQ('q', entries[1].mode);
    EXPECT_EQ(1u, Cut("#frT7x:").size());
}

ReplyOutcome Outcome(const std::string& entryText)
{
    std::vector<ReplyEntry> entries = Cut("#frT" + entryText);
    EXPECT_EQ(1u, entries.size());
    return InterpretEntry(entries.at(0), "站1", "139");
}

TEST(ReplyParserTest, ActionsAreBoxedOrExplainedAndForceOnlineAppliesFirst)
{
    const char* success[] = { "设置[站1(139)]重新启动成功!", "设置[站1(139)]恢复出厂参数成功!",
                              "设置[站1(139)]恢复关键参数成功!", "设置[站1(139)]的强制上线成功!",
                              "设置[站1(139)]的强制下线成功!" };
    const char* failure[] = { "设置[站1(139)]重新启动失败!", "设置[站1(139)]恢复出厂参数失败!",
                              "设置[站1(139)]恢复关键参数失败!", "设置[站1(139)]强制上线失败!",
                              "设置[站1(139)]强制下线失败!" };
    for (int i = 0; i < 5; ++i) {
        std::string letter(1, (char)('1' + i));
        ReplyOutcome ok = Outcome(letter + "xOK,12;");
        EXPECT_EQ(success[i], ok.text);
        EXPECT_TRUE(ok.bBox);
        EXPECT_EQ(i == 3, ok.bApply && ok.bApplyFirst);
        EXPECT_EQ("", ok.summaryLine);
        ReplyOutcome failed = Outcome(letter + "x:Error,-4;");
        EXPECT_EQ(failure[i], failed.text);
        EXPECT_TRUE(failed.bDeviceError);
        EXPECT_FALSE(failed.bBox);
    }
}

TEST(ReplyParserTest, GroupsGoIntoTheSummaryOrAreExplained)
{
    ReplyOutcome set7 = Outcome("7x:OK;");
    EXPECT_EQ("设置[站1(139)]的拨号参数成功!", set7.text);
    EXPECT_EQ("拨号参数设置成功!\r\n", set7.summaryLine);
    EXPECT_FALSE(set7.bBox || set7.bApply);
    EXPECT_EQ("网管平台参数设置成功!\r\n", Outcome("8x:OK;").summaryLine);
    EXPECT_EQ("网管参数设置成功!\r\n", Outcome("Ex:OK;").summaryLine);
    EXPECT_EQ("", Outcome("Ax:OK;").summaryLine);
    EXPECT_EQ("设置[站1(139)]的信任列表成功!", Outcome("Ax:OK;").text);

    ReplyOutcome failed7 = Outcome("7x:FAIL;");
    EXPECT_EQ("设置[站1(139)]的拨号参数失败[失败信息：FAIL]!", failed7.text);
    EXPECT_TRUE(failed7.bBox);
    EXPECT_FALSE(failed7.bDeviceError);
    EXPECT_EQ("设置[站1(139)]的多中心参数失败[失败信息：Error,-3]!", Outcome("Gx:Error,-3;").text);
    ReplyOutcome failed8 = Outcome("8x:Error,-3;");
    EXPECT_EQ("设置[站1(139)]的网管平台参数失败!", failed8.text);
    EXPECT_TRUE(failed8.bDeviceError);

    ReplyOutcome query = Outcome("Cq:6,8,0,0;");
    EXPECT_EQ("查询[站1(139)]的串口参数成功!", query.text);
    EXPECT_TRUE(query.bApply);
    EXPECT_FALSE(query.bApplyFirst);
    EXPECT_EQ("串口参数查询成功!\r\n", query.summaryLine);
    EXPECT_EQ("网管平台参数读取成功!\r\n", Outcome("8q:1;").summaryLine);
    EXPECT_EQ("", Outcome("Aq:139;").summaryLine);
    ReplyOutcome queryFailed = Outcome("Eq:Error,-101;");
    EXPECT_EQ("查询[站1(139)]的支撑平台(WMMP)参数失败!", queryFailed.text);
    EXPECT_TRUE(queryFailed.bDeviceError);
    EXPECT_FALSE(queryFailed.bApply);
}

TEST(ReplyParserTest, StatusIpAndUnknownLetters)
{
    ReplyOutcome status = Outcome("6x:17,0,4600;");
    EXPECT_EQ("查询[站1(139)]的工作状态成功，信号值: 17!", status.text);
    EXPECT_TRUE(status.bApply);
    EXPECT_FALSE(status.bBox);
    for (const char* bad : { "6x:17;", "6x:,17;", "6x:Error,-2;" }) {
        EXPECT_EQ("查询[站1(139)]的工作状态失败!", Outcome(bad).text) << bad;
        EXPECT_TRUE(Outcome(bad).bDeviceError);
    }
    ReplyOutcome ip = Outcome("Fq:10.1.2.3;");
    EXPECT_EQ("查询[站1(139)]的IP成功，IP: 10.1.2.3!", ip.text);
    EXPECT_TRUE(ip.bBox);
    for (const char* bad : { "Fq:Error.x;", "Fq:.1;", "Fq:none;" })
        EXPECT_EQ("查询[站1(139)]的IP失败!", Outcome(bad).text) << bad;
    ReplyOutcome unknown = Outcome("Zq:1;");
    EXPECT_EQ("收到来自[站1(139)]的未知命令[Z, 1]!", unknown.text);
    EXPECT_TRUE(unknown.bBox);
    // A "%" from the device is text, never a format.
    EXPECT_EQ("收到来自[站1(139)]的未知命令[Z, %s%n]!", Outcome("Zq:%s%n;").text);
}

TEST(ReplyParserTest, EveryErrorCodeHasItsExplanation)
{
    const std::pair<const char*, const char*> codes[] = {
        { "Error,-1", "短信格式错误" },         { "Error,-2", "目的地址错误" },
        { "Error,-3", "短信校验码错误" },       { "Error,-4", "没有执行该操作的权限" },
        { "Error,-5", "信任列表校验码错误" },   { "Error,-101", "不支持的命令/参数" },
        { "Error,-102", "未知的命令操作" },     { "x Error,-3 y", "短信校验码错误" },
        { "Error,-9", "未知错误码，Error,-9" }, { "FAIL", "未知错误，FAIL" },
        { "Error,", "未知错误码，Error," },
    };
    for (const auto& code : codes)
        EXPECT_EQ(std::string("\n错误信息：") + code.second, DeviceErrorText(code.first)) << code.first;
}

} // namespace
