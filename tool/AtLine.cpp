#include "AtLine.h"

#include <cstring>

bool CAtLine::AddToLine(char ch)
{
    Append(ch);
    if (ch != '\n')
        return false;
    if (m_text == "\r\n") {
        m_text.clear();
        return false;
    }
    return true;
}

bool CAtLine::AddAndFind(char ch, const char* wanted)
{
    Append(ch);
    size_t nWanted = std::strlen(wanted);
    return m_text.size() >= nWanted && m_text.compare(m_text.size() - nWanted, nWanted, wanted) == 0;
}

bool CAtLine::BeginsWith(const char* prefix) const
{
    return m_text.compare(0, std::strlen(prefix), prefix) == 0;
}

namespace {

// A modem that babbles (a boot loop) does not fill the log with it.
const size_t kLongestDescription = 256;

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

} // namespace

bool IsUnsolicitedCode(const std::string& line)
{
    static const char* const kCodes[] = {
        "+CMTI:", "+CDSI:", "+CBMI:", "+CDS:", "+CBM:", "RING", "+CRING:", "+CLIP:", "+CREG:", "+CGREG:",
        "+CEREG:", "+CPIN:", "+CFUN:", "RDY", "^",
    };
    for (const char* code : kCodes)
        if (StartsWith(line, code))
            return true;
    return false;
}

bool IsErrorAnswer(const std::string& line)
{
    return StartsWith(line, "ERROR") || StartsWith(line, "+CMS ERROR:") || StartsWith(line, "+CME ERROR:");
}

std::string DescribeDiscardedInput(const std::string& bytes)
{
    std::string description;
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find('\n', start);
        size_t next = end == std::string::npos ? bytes.size() : end + 1;
        std::string line = bytes.substr(start, next - start);
        start = next;
        size_t last = line.find_last_not_of("\r\n");
        if (last == std::string::npos || IsUnsolicitedCode(line))
            continue;
        line.erase(last + 1);
        for (char& ch : line)
            if ((unsigned char)ch < 0x20 || ch == 0x7F)
                ch = '.';
        description += "[" + line + "]";
        if (description.size() > kLongestDescription) {
            description.resize(kLongestDescription);
            return description + "...";
        }
    }
    return description;
}

bool IsDialableNumber(const char* phone)
{
    if (phone == nullptr)
        return false;
    if (*phone == '+')
        ++phone;
    if (*phone == '\0')
        return false;
    for (; *phone != '\0'; ++phone)
        if (*phone < '0' || *phone > '9')
            return false;
    return true;
}

bool IsSendableText(const char* text)
{
    return text != nullptr && std::strpbrk(text, "\x1A\x1B") == nullptr;
}
