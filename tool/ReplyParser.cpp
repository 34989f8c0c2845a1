#include "ReplyParser.h"

#include "ConfigGroups.h"

#include <cstdarg>
#include <cstdio>

namespace {

const std::size_t kReplyHead = 4; // "#" and three characters
const std::size_t kShortestReply = 5;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list count;
    va_copy(count, args);
    int nLength = std::vsnprintf(nullptr, 0, format, count);
    va_end(count);
    std::string text(nLength > 0 ? (std::size_t)nLength : 0, '\0');
    if (nLength > 0)
        std::vsnprintf(&text[0], text.size() + 1, format, args);
    va_end(args);
    return text;
}

bool BeginsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Each format takes the device's name and phone number (the set failures of "7" and "G" also
// the value).
struct ActionTexts {
    char letter;
    const char* success;
    const char* failure;
};
const ActionTexts kActions[] = {
    { '1', "设置[%s(%s)]重新启动成功!", "设置[%s(%s)]重新启动失败!" },
    { '2', "设置[%s(%s)]恢复出厂参数成功!", "设置[%s(%s)]恢复出厂参数失败!" },
    { '3', "设置[%s(%s)]恢复关键参数成功!", "设置[%s(%s)]恢复关键参数失败!" },
    { '4', "设置[%s(%s)]的强制上线成功!", "设置[%s(%s)]强制上线失败!" },
    { '5', "设置[%s(%s)]的强制下线成功!", "设置[%s(%s)]强制下线失败!" },
};

struct GroupTexts {
    char letter;
    const char* setSuccess;
    const char* setSummary; // nullptr: nothing goes into the summary
    const char* setFailure;
    const char* queryFailure;
    const char* querySuccess;
    const char* querySummary;
    bool bFailureShowsValue;
};
const GroupTexts kGroups[] = {
    { '7', "设置[%s(%s)]的拨号参数成功!", "拨号参数设置成功!", "设置[%s(%s)]的拨号参数失败[失败信息：%s]!",
      "查询[%s(%s)]的拨号参数失败!", "查询[%s(%s)]的拨号参数成功!", "拨号参数查询成功!", true },
    { '8', "设置[%s(%s)]的网管平台参数成功!", "网管平台参数设置成功!", "设置[%s(%s)]的网管平台参数失败!",
      "查询[%s(%s)]的网管平台参数失败!", "查询[%s(%s)]的网管平台参数成功!", "网管平台参数读取成功!", false },
    { '9', "设置[%s(%s)]的加密参数成功!", "加密参数设置成功!", "设置[%s(%s)]的加密参数失败!",
      "查询[%s(%s)]的加密参数失败!", "查询[%s(%s)]的加密参数成功!", "加密参数查询成功!", false },
    { 'A', "设置[%s(%s)]的信任列表成功!", nullptr, "设置[%s(%s)]的信任列表失败!", "查询[%s(%s)]的信任列表失败!",
      "查询[%s(%s)]的信任列表成功!", nullptr, false },
    { 'B', "设置[%s(%s)]的企业网关参数成功!", "企业网关参数设置成功!", "设置[%s(%s)]的企业网关参数失败!",
      "查询[%s(%s)]的企业网关参数失败!", "查询[%s(%s)]的企业网关参数成功!", "企业网关参数查询成功!", false },
    { 'C', "设置[%s(%s)]的串口参数成功!", "串口参数设置成功!", "设置[%s(%s)]的串口参数失败!",
      "查询[%s(%s)]的串口参数失败!", "查询[%s(%s)]的串口参数成功!", "串口参数查询成功!", false },
    { 'D', "设置[%s(%s)]的工作模式参数成功!", "工作模式参数设置成功!", "设置[%s(%s)]的工作模式参数失败!",
      "查询[%s(%s)]的工作模式参数失败!", "查询[%s(%s)]的工作模式参数成功!", "工作模式参数查询成功!", false },
    { 'E', "设置[%s(%s)]的支撑平台(WMMP)参数成功!", "网管参数设置成功!", "设置[%s(%s)]的支撑平台(WMMP)参数失败!",
      "查询[%s(%s)]的支撑平台(WMMP)参数失败!", "查询[%s(%s)]的支撑平台(WMMP)参数成功!",
      "支撑平台(WMMP)参数查询成功!", false },
    { 'G', "设置[%s(%s)]的多中心参数成功!", "多中心参数设置成功!", "设置[%s(%s)]的多中心参数失败[失败信息：%s]!",
      "查询[%s(%s)]的多中心参数失败!", "查询[%s(%s)]的多中心参数成功!", "多中心参数查询成功!", true },
};

struct ErrorCodeText {
    int code;
    const char* text;
};
const ErrorCodeText kErrorCodes[] = {
    { -1, "短信格式错误" },         { -2, "目的地址错误" },       { -3, "短信校验码错误" },
    { -4, "没有执行该操作的权限" }, { -5, "信任列表校验码错误" }, { -101, "不支持的命令/参数" },
    { -102, "未知的命令操作" },
};

ReplyOutcome Action(const ActionTexts& texts, const ReplyEntry& entry, const char* name, const char* phone)
{
    ReplyOutcome outcome;
    if (BeginsWith(entry.value, "OK")) {
        outcome.text = Format(texts.success, name, phone);
        outcome.bBox = true;
        outcome.bApply = outcome.bApplyFirst = entry.letter == '4';
    } else {
        outcome.text = Format(texts.failure, name, phone);
        outcome.bDeviceError = true;
    }
    return outcome;
}

// The work status and the IP answer carry a value with a "," or a "." at a place past the
// first; anything else, an "Error" among it, is a failure.
bool IsQueryFailure(const std::string& value, char mark)
{
    std::size_t at = value.find(mark);
    return at == std::string::npos || at == 0 || value.compare(0, at, "Error") == 0;
}

ReplyOutcome Group(const GroupTexts& texts, const ReplyEntry& entry, const char* name, const char* phone)
{
    ReplyOutcome outcome;
    if (entry.mode == 'x') {
        if (BeginsWith(entry.value, "OK")) {
            outcome.text = Format(texts.setSuccess, name, phone);
            if (texts.setSummary != nullptr)
                outcome.summaryLine = std::string(texts.setSummary) + "\r\n";
        } else if (texts.bFailureShowsValue) {
            outcome.text = Format(texts.setFailure, name, phone, entry.value.c_str());
            outcome.bBox = true;
        } else {
            outcome.text = Format(texts.setFailure, name, phone);
            outcome.bDeviceError = true;
        }
    } else if (BeginsWith(entry.value, "Error")) {
        outcome.text = Format(texts.queryFailure, name, phone);
        outcome.bDeviceError = true;
    } else {
        outcome.text = Format(texts.querySuccess, name, phone);
        outcome.bApply = true;
        if (texts.querySummary != nullptr)
            outcome.summaryLine = std::string(texts.querySummary) + "\r\n";
    }
    return outcome;
}

} // namespace

ReplyShape CutReply(const std::string& message, std::vector<ReplyEntry>& entries)
{
    entries.clear();
    if (message.size() < kShortestReply)
        return ReplyShape::TooShort;
    if (message[0] != '#')
        return ReplyShape::NotAReply;
    std::size_t at = kReplyHead;
    while (at < message.size()) {
        ReplyEntry entry;
        entry.letter = message[at++];
        if (at < message.size() && (message[at] == 'q' || message[at] == 'x'))
            entry.mode = message[at++];
        if (at < message.size() && message[at] == ':')
            ++at;
        std::size_t end = message.find(';', at);
        if (end == std::string::npos) {
            entry.value = message.substr(at);
            at = message.size();
        } else {
            entry.value = message.substr(at, end - at);
            at = end + 1;
        }
        entries.push_back(entry);
    }
    return ReplyShape::Entries;
}

ReplyOutcome InterpretEntry(const ReplyEntry& entry, const std::string& name, const std::string& phone)
{
    const char* pszName = name.c_str();
    const char* pszPhone = phone.c_str();
    for (const ActionTexts& texts : kActions)
        if (texts.letter == entry.letter)
            return Action(texts, entry, pszName, pszPhone);
    for (const GroupTexts& texts : kGroups)
        if (texts.letter == entry.letter)
            return Group(texts, entry, pszName, pszPhone);

    ReplyOutcome outcome;
    if (entry.letter == '6') {
        if (IsQueryFailure(entry.value, ',')) {
            outcome.text = Format("查询[%s(%s)]的工作状态失败!", pszName, pszPhone);
            outcome.bDeviceError = true;
        } else {
            outcome.text = Format("查询[%s(%s)]的工作状态成功，信号值: %d!", pszName, pszPhone, LeadingInt(entry.value));
            outcome.bApply = true;
        }
    } else if (entry.letter == 'F') {
        if (IsQueryFailure(entry.value, '.')) {
            outcome.text = Format("查询[%s(%s)]的IP失败!", pszName, pszPhone);
            outcome.bDeviceError = true;
        } else {
            outcome.text = Format("查询[%s(%s)]的IP成功，IP: %s!", pszName, pszPhone, entry.value.c_str());
            outcome.bBox = true;
        }
    } else {
        outcome.text = Format("收到来自[%s(%s)]的未知命令[%c, %s]!", pszName, pszPhone, entry.letter, entry.value.c_str());
        outcome.bBox = true;
    }
    return outcome;
}

std::string DeviceErrorText(const std::string& value)
{
    std::string text = "\n错误信息：";
    std::size_t at = value.find("Error,");
    if (at == std::string::npos)
        return text + "未知错误，" + value;
    int code = LeadingInt(value.substr(at + 6));
    for (const ErrorCodeText& known : kErrorCodes)
        if (known.code == code)
            return text + known.text;
    return text + "未知错误码，" + value;
}

std::string NotAReplyLogText(const std::string& message)
{
    return "收到回应的错误信息[" + message + "]";
}

std::string NotAReplyBoxText(const std::string& name, const std::string& phone, const std::string& message)
{
    return "收到[" + name + "(" + phone + ")]回应的错误信息[" + message + "]";
}

std::string ReceivedText(const std::string& message)
{
    return "收到短信息[" + message + "]";
}
