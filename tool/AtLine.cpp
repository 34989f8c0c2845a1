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
