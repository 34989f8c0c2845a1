#include "SmsListing.h"

#include "AtLine.h"

#include <climits>

namespace {

const char kHeader[] = "+CMGL: ";
const size_t kHeaderLength = sizeof kHeader - 1;

bool IsHeader(const std::string& line)
{
    return line.compare(0, kHeaderLength, kHeader) == 0;
}

// The decimal number at the start, as atoi reads it (blanks, a sign, digits), held at the
// bounds of int instead of overflowing.
int LeadingNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        bNegative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value <= INT_MAX)
            value = value * 10 + (text[i] - '0');
    if (value > INT_MAX)
        value = INT_MAX;
    return bNegative ? -(int)value : (int)value;
}

// Takes the text up to the next ',' out of rest (the ',' goes too); false when there is none.
bool TakeField(std::string& rest, std::string* field)
{
    size_t comma = rest.find(',');
    if (comma == std::string::npos)
        return false;
    if (field != nullptr)
        *field = rest.substr(0, comma);
    rest.erase(0, comma + 1);
    return true;
}

// A quoted sender loses its quotes and a leading "+86", the country code of the numbers the
// devices are listed under; an unquoted one is taken as it stands.
std::string NationalNumber(std::string sender)
{
    if (sender.empty() || sender[0] != '"')
        return sender;
    sender.erase(0, 1);
    if (sender.compare(0, 3, "+86") == 0)
        sender.erase(0, 3);
    if (!sender.empty())
        sender.erase(sender.size() - 1); // the closing quote
    return sender;
}

std::string Unquoted(std::string text)
{
    if (!text.empty() && text[0] == '"')
        text.erase(0, 1);
    if (!text.empty() && text[text.size() - 1] == '"')
        text.erase(text.size() - 1);
    return text;
}

// The text line without its line end. A lone '\n' goes too, so that no message ever carries
// a line break into the log.
std::string FirstLine(const std::string& line)
{
    return line.substr(0, line.find_first_of("\r\n"));
}

} // namespace

bool ParseListingHeader(const std::string& line, SmsEntry& entry)
{
    if (!IsHeader(line))
        return false;
    std::string rest = line.substr(kHeaderLength);
    int index = LeadingNumber(rest);
    std::string sender;
    // index, status, sender, the name the phone book gives the sender, and the time stamp
    if (index < 0 || !TakeField(rest, nullptr) || !TakeField(rest, nullptr) || !TakeField(rest, &sender) ||
        !TakeField(rest, nullptr))
        return false;
    size_t zone = rest.find('+');
    if (zone == std::string::npos)
        return false;
    entry.index = index;
    entry.sender = NationalNumber(sender);
    entry.time = Unquoted(rest.substr(0, zone));
    entry.message.clear();
    return true;
}

CSmsListing::Step CSmsListing::TakeLine(const std::string& line)
{
    if (m_bAwaitingText) {
        m_bAwaitingText = false;
        // A message with no text has an empty line there, which the reading drops: the next
        // header comes at once, and it is a header, not this message's text.
        if (!IsHeader(line)) {
            m_pending.message = FirstLine(line);
            m_entries.push_back(m_pending);
            return kMore;
        }
        m_entries.push_back(m_pending);
    }
    if (line == "OK\r\n")
        return kEnd;
    if (IsErrorAnswer(line)) {
        m_refusal = FirstLine(line);
        return kRefused;
    }
    if (IsHeader(line))
        TakeHeader(line);
    return kMore;
}

void CSmsListing::TakeHeader(const std::string& line)
{
    m_bAwaitingText = ParseListingHeader(line, m_pending);
}
