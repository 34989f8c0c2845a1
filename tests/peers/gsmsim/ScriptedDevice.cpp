#include "ScriptedDevice.h"

#include "Md5.h"

#include <cctype>

namespace gsmsim {

namespace {

// The keys as docs/sms-commands.md gives them to terminal writers.
const unsigned char kKeys[2][16] = {
    { 0x3A, 0x91, 0x5C, 0x07, 0xE2, 0x48, 0xB6, 0x1D, 0x73, 0xAF, 0x20, 0xC5, 0x6E, 0x09, 0xD4, 0x82 },
    { 0x58, 0x0B, 0xF3, 0x66, 0x2D, 0x94, 0x71, 0xCE, 0x15, 0xA8, 0x3F, 0xE0, 0x47, 0x9A, 0x62, 0xBD },
};

const int kFormatError = -1;
const int kCheckCodeError = -3;
const int kTrustCodeError = -5;
const int kUnsupported = -101;
const int kUnknownOperation = -102;

bool IsAlphanumeric(char ch)
{
    return std::isalnum((unsigned char)ch) != 0;
}

bool IsUpperHex(const std::string& text)
{
    for (char ch : text)
        if (!std::isxdigit((unsigned char)ch) || std::islower((unsigned char)ch))
            return false;
    return true;
}

std::string Entry(char letter, char mode, const std::string& value)
{
    return std::string(1, letter) + mode + ":" + value + ";";
}

std::string Error(int code)
{
    return "Error," + std::to_string(code);
}

bool IsGroupLetter(char letter)
{
    return std::string("789ABCDEG").find(letter) != std::string::npos;
}

} // namespace

std::string TerminalCheckCode(int nKey, const std::string& text)
{
    std::string keyed(reinterpret_cast<const char*>(kKeys[nKey == 1 ? 1 : 0]), 16);
    keyed += text;
    unsigned char digest[16];
    MD5(keyed.data(), keyed.size(), digest);
    return DigestToHex(digest);
}

ScriptedDevice::ScriptedDevice()
{
    m_values['7'] = "1,cmnet,*99***1#,GPRS,DTUP,60,0,";
    m_values['8'] = "1,3,,0,192.0.2.10,9000";
    m_values['9'] = "0";
    m_values['A'] = "13900000000";
    m_values['B'] = ",0.0.0.0,4321,0,,,";
    m_values['C'] = "6,8,0,0,,";
    m_values['D'] = "0";
    m_values['E'] = "0,,198.51.100.20,54321,0,0,8613800100500,,";
    m_values['G'] = "0,0.0.0.0,4321,0.0.0.0,4321,0.0.0.0,4321,0.0.0.0,4321,";
    m_values['6'] = "23,0,460001234567890,861234567890123,1A2B,0,V2.3,3,345012345";
    m_values['F'] = "10.20.30.40";
    m_values['4'] = "21";
}

std::string ScriptedDevice::Value(char letter) const
{
    auto found = m_values.find(letter);
    return found == m_values.end() ? "" : found->second;
}

// Frame: flag, two letters or digits, "T", commands each ending in ";", 8 hex digits.
std::string ScriptedDevice::Answer(const std::string& frame)
{
    m_frames.push_back(frame);
    bool bShaped = frame.size() >= 4 + 8 && (frame[0] == '+' || frame[0] == '-') && IsAlphanumeric(frame[1]) &&
                   IsAlphanumeric(frame[2]) && frame[3] == 'T' && IsUpperHex(frame.substr(frame.size() - 8));
    std::string body = frame.size() > 12 ? frame.substr(4, frame.size() - 12) : "";
    bShaped = bShaped && !body.empty() && body.back() == ';';
    if (!frame.empty() && frame[0] == '-')
        return "";

    std::vector<Command> commands;
    for (size_t at = 0; at < body.size();) {
        size_t end = body.find(';', at);
        std::string text = body.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? body.size() : end + 1;
        if (text.size() < 2)
            continue;
        Command command;
        command.letter = text[0];
        command.mode = text[1];
        command.bSet = text.size() > 2 && text[2] == ':';
        command.fields = command.bSet ? text.substr(3) : "";
        commands.push_back(command);
    }
    if (commands.empty())
        return "";

    int frameError = 0;
    if (!bShaped)
        frameError = kFormatError;
    else if (TerminalCheckCode(0, frame.substr(0, frame.size() - 8)).substr(0, 8) != frame.substr(frame.size() - 8))
        frameError = kCheckCodeError;
    else if (m_failTimes > 0) {
        --m_failTimes;
        frameError = m_failCode;
    }

    std::string reply = "#" + frame.substr(1, 3);
    for (const Command& command : commands)
        reply += frameError != 0 ? Entry(command.letter, command.mode, Error(frameError)) : Run(command);
    return reply;
}

std::string ScriptedDevice::Run(const Command& command)
{
    char letter = command.letter;
    if (command.mode == 'q') {
        if (IsGroupLetter(letter) || letter == 'F')
            return Entry(letter, 'q', Value(letter));
        return Entry(letter, 'q', Error(kUnsupported));
    }
    if (command.mode != 'x')
        return Entry(letter, command.mode, Error(kUnknownOperation));
    if (command.bSet)
        return Set(command);
    switch (letter) {
    case '1':
    case '2':
    case '3':
    case '5':
        m_actions += letter;
        return Entry(letter, 'x', "OK");
    case '4':
        m_actions += letter;
        return Entry(letter, 'x', "OK," + Value('4'));
    case '6':
        return Entry(letter, 'x', Value('6'));
    default:
        return Entry(letter, 'x', Error(kUnknownOperation));
    }
}

// The trusted list is the text before its check code; the device keeps its numbers.
std::string ScriptedDevice::Set(const Command& command)
{
    char letter = command.letter;
    if (!IsGroupLetter(letter) || letter == '9' || letter == 'D')
        return Entry(letter, 'x', Error(kUnsupported));
    if (letter != 'A') {
        m_values[letter] = command.fields;
        return Entry(letter, 'x', "OK");
    }
    size_t at = command.fields.rfind(',');
    std::string list = at == std::string::npos ? "" : command.fields.substr(0, at);
    std::string code = at == std::string::npos ? command.fields : command.fields.substr(at + 1);
    if (TerminalCheckCode(1, list + ",") != code)
        return Entry(letter, 'x', Error(kTrustCodeError));
    std::string numbers;
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(',', start);
        std::string number = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!number.empty())
            numbers += (numbers.empty() ? "" : ",") + number;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    m_values['A'] = numbers;
    return Entry(letter, 'x', "OK");
}

} // namespace gsmsim
