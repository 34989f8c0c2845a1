#include "ConfigGroups.h"

#include "SmsFrame.h"

#include <climits>
#include <cstdlib>
#include <vector>

namespace {

std::string Number(int n)
{
    return std::to_string(n);
}

std::string Join(const std::vector<std::string>& fields)
{
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += ",";
        text += fields[i];
    }
    return text;
}

struct TextField {
    const char* label;
    const std::string* value;
    bool bListOfNumbers;
};

std::vector<TextField> TextFieldsOf(char letter, const DeviceConfigValues& v)
{
    switch (letter) {
    case 'A':
        return { { "信任手机号", &v.trustList, true } };
    case '8':
        return { { "网管设备号", &v.nmDeviceId, false }, { "服务器地址", &v.serverAddr, false } };
    case 'E':
        return { { "平台设备号", &v.platformDeviceId, false }, { "网关地址", &v.wmmpAddr, false },
                 { "短信中心号码", &v.smsCenter, false }, { "短信报警号码", &v.smsAlarm, false } };
    case 'B':
        return { { "DTU设备号", &v.dtuId, false }, { "网关地址", &v.gatewayAddr, false } };
    case 'G':
        return { { "扩展1地址", &v.extAddr[0], false }, { "扩展2地址", &v.extAddr[1], false },
                 { "扩展3地址", &v.extAddr[2], false }, { "扩展4地址", &v.extAddr[3], false } };
    case '7':
        return { { "APN", &v.apn, false }, { "拨号号码", &v.dialNumber, false }, { "用户名", &v.dialUser, false },
                 { "密码", &v.dialPassword, false } };
    default:
        return {};
    }
}

// A list index taken from an answer: kept only when it names an item of the list.
// The index is wide so that an answer's number shifted onto its list (a baud code less one,
// data bits less five) never overflows, however far out of range the device's number is.
void SelectItem(int& item, long long index, int count)
{
    if (index >= 0 && index < count)
        item = index;
}

// The fields of an answer, cut at ",", as many as asked for (missing ones empty).
std::vector<std::string> Fields(std::string value, size_t count)
{
    std::vector<std::string> fields;
    for (size_t i = 0; i < count; ++i)
        fields.push_back(NextField(value, ','));
    return fields;
}

// The strategy a multi-centre answer gives: the concurrent one ("并发") for the index the set
// command sends for it (1), and for the letter "N"/"n" (or its character code, 78 or 110) that
// some terminals answer; the round-robin one ("轮询") for anything else.
int StrategyItem(const std::string& field)
{
    if (!field.empty() && (field[0] == 'N' || field[0] == 'n'))
        return 1;
    int n = LeadingInt(field);
    return n == 1 || n == 78 || n == 110 ? 1 : 0;
}

} // namespace

FieldFault CheckGroupFields(char letter, const DeviceConfigValues& values)
{
    for (const TextField& field : TextFieldsOf(letter, values)) {
        const std::string& text = *field.value;
        for (char ch : text) {
            unsigned char byte = (unsigned char)ch;
            if (ch == ';')
                return { field.label, "分号“;”" };
            if (ch == ',' && !field.bListOfNumbers)
                return { field.label, "逗号“,”" };
            if (byte < 0x20 || byte == 0x7F)
                return { field.label, "控制字符" };
        }
    }
    return {};
}

std::string BuildSetGroup(char letter, const DeviceConfigValues& v)
{
    switch (letter) {
    case 'A':
        return "Ax:" + v.trustList + "," + SignTrustList(v.trustList) + ";";
    case '8':
        return "8x:" + Join({ Number(v.nmMode + 1), "3", v.nmDeviceId, "0", v.serverAddr, Number(v.serverPort) }) + ";";
    case 'E':
        return "Ex:" +
               Join({ Number(v.platform), v.platformDeviceId, v.wmmpAddr, Number(v.wmmpPort), "0",
                      Number(v.heartbeat), v.smsCenter, v.smsAlarm, "" }) +
               ";";
    case 'C':
        return "Cx:" +
               Join({ Number(v.baud + 1), Number(v.dataBits + 5), Number(v.stopBits), Number(v.parity), "", "" }) +
               ";";
    case 'B':
        return "Bx:" + Join({ v.dtuId, v.gatewayAddr, Number(v.gatewayPort), Number(v.link), "", "", "" }) + ";";
    case 'G':
        return "Gx:" +
               Join({ Number(v.strategy), v.extAddr[0], Number(v.extPort[0]), v.extAddr[1], Number(v.extPort[1]),
                      v.extAddr[2], Number(v.extPort[2]), v.extAddr[3], Number(v.extPort[3]), "" }) +
               ";";
    case '7':
        return "7x:" +
               Join({ Number(v.autoDial), v.apn, v.dialNumber, v.dialUser, v.dialPassword, "60", Number(v.auth), "" }) +
               ";";
    default:
        return "";
    }
}

std::vector<std::string> PackSetFrames(const std::vector<std::string>& groups)
{
    std::vector<std::string> frames;
    std::string buffer;
    for (const std::string& group : groups) {
        if (!buffer.empty() && buffer.size() + group.size() >= kSetFrameCut) {
            frames.push_back(buffer);
            buffer.clear();
        }
        buffer += group;
    }
    if (!buffer.empty())
        frames.push_back(buffer);
    return frames;
}

std::string NextField(std::string& text, char separator)
{
    size_t at = text.find(separator);
    if (at == std::string::npos) {
        std::string field;
        field.swap(text);
        return field;
    }
    std::string field = text.substr(0, at);
    text.erase(0, at + 1);
    return field;
}

int LeadingInt(const std::string& text)
{
    size_t i = 0;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        bNegative = text[i++] == '-';
    long long n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        n = n * 10 + (text[i] - '0');
        if (n > (long long)INT_MAX + 1)
            n = (long long)INT_MAX + 1;
    }
    n = bNegative ? -n : n;
    return n > INT_MAX ? INT_MAX : (int)n;
}

void ApplyAnswerFields(char letter, const std::string& value, DeviceConfigValues& v)
{
    switch (letter) {
    case '7': {
        std::vector<std::string> f = Fields(value, 7);
        SelectItem(v.autoDial, LeadingInt(f[0]), ConfigLists::kAutoDial);
        v.apn = f[1];
        v.dialNumber = f[2];
        v.dialUser = f[3];
        v.dialPassword = f[4];
        SelectItem(v.auth, LeadingInt(f[6]), ConfigLists::kAuth);
        break;
    }
    case '8': {
        std::vector<std::string> f = Fields(value, 6);
        SelectItem(v.nmMode, (long long)LeadingInt(f[0]) - 1, ConfigLists::kNmMode);
        v.nmDeviceId = f[2];
        v.serverAddr = f[4];
        v.serverPort = LeadingInt(f[5]);
        break;
    }
    case 'A': {
        std::vector<std::string> f = Fields(value, 3);
        v.trustList = f[0];
        for (size_t i = 1; i < f.size(); ++i)
            if (!f[i].empty())
                v.trustList += "," + f[i];
        break;
    }
    case 'B': {
        std::vector<std::string> f = Fields(value, 4);
        v.dtuId = f[0];
        v.gatewayAddr = f[1];
        v.gatewayPort = LeadingInt(f[2]);
        SelectItem(v.link, LeadingInt(f[3]), ConfigLists::kLink);
        break;
    }
    case 'C': {
        std::vector<std::string> f = Fields(value, 4);
        int baudCode = LeadingInt(f[0]);
        SelectItem(v.baud, (baudCode == 0 ? 6LL : baudCode) - 1, ConfigLists::kBaud);
        SelectItem(v.dataBits, (long long)LeadingInt(f[1]) - 5, ConfigLists::kDataBits);
        SelectItem(v.stopBits, LeadingInt(f[2]), ConfigLists::kStopBits);
        SelectItem(v.parity, LeadingInt(f[3]), ConfigLists::kParity);
        break;
    }
    case 'E': {
        std::vector<std::string> f = Fields(value, 8);
        SelectItem(v.platform, LeadingInt(f[0]), ConfigLists::kPlatform);
        v.platformDeviceId = f[1];
        v.wmmpAddr = f[2];
        v.wmmpPort = LeadingInt(f[3]);
        v.heartbeat = LeadingInt(f[5]);
        v.smsCenter = f[6];
        v.smsAlarm = f[7];
        break;
    }
    case 'G': {
        std::vector<std::string> f = Fields(value, 9);
        v.strategy = StrategyItem(f[0]);
        for (int i = 0; i < 4; ++i) {
            v.extAddr[i] = f[1 + 2 * i];
            v.extPort[i] = LeadingInt(f[2 + 2 * i]);
        }
        break;
    }
    case '4': {
        std::vector<std::string> f = Fields(value, 2);
        v.signal = Number(LeadingInt(f[1]));
        break;
    }
    case '6': {
        std::vector<std::string> f = Fields(value, 9);
        v.signal = Number(LeadingInt(f[0]));
        v.version = f[6];
        v.nmDeviceId = f[8];
        break;
    }
    default:
        break;
    }
}

std::string WorkStatusText(const std::string& name, const std::string& phone, const std::string& value)
{
    std::vector<std::string> f = Fields(value, 9);
    return "[" + name + "(" + phone + ")]的信号是" + Number(LeadingInt(f[0])) + "; IMSI号是" + f[2] + "; IMEI号是" +
           f[3] + "; 基站小区ID是" + f[4] + "; 版本号是 " + f[6] + "; 厂商标识是 " + f[7] + "; 网管设备号是 " + f[8];
}
