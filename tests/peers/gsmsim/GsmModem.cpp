#include "GsmModem.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace gsmsim {

namespace {

const std::string kOk = "\r\nOK\r\n";
const std::string kError = "\r\nERROR\r\n";
const std::string kGarbage("\0\x7f\xfe~#\0noise\x01\r\n", 14);
const char kCtrlZ = 0x1A;
const char kEscape = 0x1B;
const std::size_t kLongestLine = 4096;

std::string Upper(std::string text)
{
    for (char& ch : text)
        ch = (char)std::toupper((unsigned char)ch);
    return text;
}

std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool BeginsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// The first parameter of a command, without its quotes: "\"123\",129" gives 123.
std::string FirstParameter(const std::string& parameters)
{
    std::string first = Trimmed(parameters.substr(0, parameters.find(',')));
    if (first.size() >= 2 && first.front() == '"' && first.back() == '"')
        first = first.substr(1, first.size() - 2);
    return first;
}

} // namespace

GsmModem::GsmModem() = default;

// ---------------------------------------------------------------------------------------------
// Messages arriving.

int GsmModem::StoreMessage(const std::string& sender, const std::string& text, const std::string& timeStamp)
{
    if (m_store.size() >= kCapacity)
        return -1;
    int index = 1;
    for (const StoredSms& stored : m_store) { // kept in index order
        if (stored.index != index)
            break;
        ++index;
    }
    StoredSms sms;
    sms.index = index;
    sms.status = "REC UNREAD";
    sms.sender = sender;
    sms.timeStamp = timeStamp.empty() ? StampAt(m_now) : timeStamp;
    sms.text = text;
    auto place = std::find_if(m_store.begin(), m_store.end(), [index](const StoredSms& s) { return s.index > index; });
    m_store.insert(place, sms);
    return index;
}

void GsmModem::ScheduleMessage(Micros at, const std::string& sender, const std::string& text)
{
    m_scheduled.push_back({ at, sender, text });
}

void GsmModem::ArriveDuringListing(std::size_t nEntries, const std::string& sender, const std::string& text)
{
    m_arrivals.push_back({ nEntries, sender, text });
}

void GsmModem::AddDevice(const std::string& number, const std::string& reply, unsigned delayMs)
{
    m_devices.push_back({ number, reply, delayMs, false, ScriptedDevice() });
}

void GsmModem::AddTerminal(const std::string& number, unsigned delayMs)
{
    m_devices.push_back({ number, "", delayMs, true, ScriptedDevice() });
}

ScriptedDevice* GsmModem::Terminal(const std::string& number)
{
    for (Device& device : m_devices)
        if (device.bTerminal && device.number == number)
            return &device.terminal;
    return nullptr;
}

void GsmModem::AddSteadyCode(const std::string& line, unsigned periodMs)
{
    m_steady.push_back({ line, std::max(periodMs, 1u), 0 });
}

void GsmModem::Restart()
{
    m_bEcho = true;
    m_bTextMode = false;
    m_bTakingText = false;
    m_command.clear();
}

void GsmModem::Advance(Micros now)
{
    m_now = std::max(m_now, now);
    for (size_t i = 0; i < m_scheduled.size();) {
        if (m_scheduled[i].at > now) {
            ++i;
            continue;
        }
        Scheduled arrival = m_scheduled[i];
        m_scheduled.erase(m_scheduled.begin() + (std::ptrdiff_t)i);
        Arrive(arrival.sender, arrival.text);
    }
    for (Steady& steady : m_steady) {
        if (steady.due > now)
            continue;
        Unsolicited(steady.line, steady.due);
        // A driver that looked away for a while gets one code, not a burst.
        steady.due = std::max(steady.due + (Micros)steady.periodMs * 1000, now);
    }
}

// A message from the network goes into the store and is announced.
void GsmModem::Arrive(const std::string& sender, const std::string& text)
{
    int index = StoreMessage(sender, text);
    if (index >= 0 && m_bIndications)
        Unsolicited("+CMTI: \"SM\"," + std::to_string(index), m_now);
}

void GsmModem::Unsolicited(const std::string& line, Micros at)
{
    Answer answer;
    answer.at = at;
    Send("\r\n" + line + "\r\n", answer, true);
}

// A time stamp with a date, the time of day the clock gives and the zone.
std::string GsmModem::StampAt(Micros now) const
{
    unsigned long seconds = (unsigned long)((10 * 3600 + 20 * 60 + 30) + now / 1000000) % 86400;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "\"09/01/06,%02lu:%02lu:%02lu+32\"", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return stamp;
}

// ---------------------------------------------------------------------------------------------
// The line.

void GsmModem::Receive(const char* pData, std::size_t nSize, Micros now)
{
    Advance(now);
    for (std::size_t i = 0; i < nSize; ++i)
        TakeByte(pData[i], now);
}

std::string GsmModem::TakeOutput(Micros now)
{
    Advance(now);
    PutOnLine(now);
    std::string bytes;
    while (!m_output.empty() && m_output.front().due <= now) {
        bytes += m_output.front().byte;
        m_output.pop_front();
    }
    return bytes;
}

// The answers that are due go on the line in the order they fell due, each one whole; an
// unsolicited code waits while the text of a message is being typed.
void GsmModem::PutOnLine(Micros now)
{
    for (;;) {
        auto next = m_outgoing.end();
        for (auto it = m_outgoing.begin(); it != m_outgoing.end(); ++it)
            if (it->answer.at <= now && !(it->bUnsolicited && m_bTakingText) &&
                (next == m_outgoing.end() || it->answer.at < next->answer.at))
                next = it;
        if (next == m_outgoing.end())
            return;
        Outgoing outgoing = *next;
        m_outgoing.erase(next);
        Queue(outgoing.bytes, outgoing.answer);
    }
}

void GsmModem::TakeByte(char ch, Micros now)
{
    m_transcript += ch;
    if (m_bEcho) {
        Answer echo;
        echo.at = now;
        Send(std::string(1, ch), echo);
    }
    if (m_bTakingText) {
        TakeTextByte(ch, now);
        return;
    }
    if (ch == '\r') {
        std::string command = Trimmed(m_command);
        m_command.clear();
        if (!command.empty())
            RunCommand(command, now);
    } else if (ch != '\n' && ch != kCtrlZ && ch != kEscape && m_command.size() < kLongestLine) {
        m_command += ch;
    }
}

void GsmModem::TakeTextByte(char ch, Micros now)
{
    if (ch == kCtrlZ) {
        FinishSend(now);
    } else if (ch == kEscape) {
        m_bTakingText = false;
        Reply(kOk, nullptr, now);
    } else if (ch == '\r') {
        // A further line of the message: the modem prompts for it.
        m_sendText += '\n';
        if (m_pSendFault == nullptr)
            Reply("\r\n> ", nullptr, now);
    } else if (ch != '\n' && m_sendText.size() < kLongestLine) {
        m_sendText += ch;
    }
}

// ---------------------------------------------------------------------------------------------
// Commands.

const FaultRule* GsmModem::TakeFault(const std::string& command)
{
    for (FaultRule& rule : m_faults) {
        if (rule.times == 0 || !BeginsWith(command, Upper(rule.command).c_str()))
            continue;
        if (rule.times > 0)
            --rule.times;
        return &rule;
    }
    return nullptr;
}

void GsmModem::RunCommand(const std::string& command, Micros now)
{
    std::string upper = Upper(command);
    const FaultRule* pFault = TakeFault(upper);
    if (pFault != nullptr && pFault->fault == Fault::Silence && !BeginsWith(upper, "AT+CMGS=")) {
        return;
    }
    if (pFault != nullptr && pFault->fault == Fault::Error) {
        Reply(kError, nullptr, now);
        return;
    }
    if (upper == "AT") {
        Reply(kOk, pFault, now);
    } else if (upper == "ATE0" || upper == "ATE" || upper == "ATE1") {
        m_bEcho = upper == "ATE1";
        Reply(kOk, pFault, now);
    } else if (upper == "ATZ") {
        // Back to the stored profile, as after a restart: echo on, PDU mode.
        m_bEcho = true;
        m_bTextMode = false;
        Reply(kOk, pFault, now);
    } else if (upper == "AT+CMGF=1" || upper == "AT+CMGF=0") {
        m_bTextMode = upper == "AT+CMGF=1";
        Reply(kOk, pFault, now);
    } else if (upper == "AT+CMGF?") {
        Reply(std::string("\r\n+CMGF: ") + (m_bTextMode ? "1" : "0") + "\r\n" + kOk, pFault, now);
    } else if (BeginsWith(upper, "AT+CMGS=")) {
        RunSend(FirstParameter(command.substr(8)), pFault, now);
    } else if (BeginsWith(upper, "AT+CMGL")) {
        std::string status = upper.size() > 8 && upper[7] == '=' ? FirstParameter(upper.substr(8)) : "REC UNREAD";
        RunList(status, pFault, now);
    } else if (BeginsWith(upper, "AT+CMGD=")) {
        RunDelete(command.substr(8), pFault, now);
    } else {
        Reply(kError, pFault, now);
    }
}

void GsmModem::RunSend(const std::string& number, const FaultRule* pFault, Micros now)
{
    if (!m_bTextMode) {
        Reply("\r\n+CMS ERROR: 302\r\n", pFault, now);
        return;
    }
    if (number.empty()) {
        Reply(kError, pFault, now);
        return;
    }
    m_bTakingText = true;
    m_sendNumber = number;
    m_sendText.clear();
    m_pSendFault = nullptr;
    if (pFault != nullptr) {
        m_sendFault = *pFault;
        m_pSendFault = &m_sendFault;
    }
    if (pFault == nullptr || (pFault->fault != Fault::Silence && pFault->fault != Fault::NoPrompt))
        Reply("\r\n> ", pFault, now);
}

void GsmModem::FinishSend(Micros now)
{
    m_bTakingText = false;
    const FaultRule* pFault = m_pSendFault;
    m_pSendFault = nullptr;
    if (pFault != nullptr && pFault->fault == Fault::Silence)
        return;
    // The network answers seconds later; the modem takes further commands meanwhile.
    Micros answered = now + (Micros)m_nNetworkDelayMs * 1000;
    if (pFault != nullptr && pFault->fault == Fault::NoCmgs) {
        Reply("\r\n+CMS ERROR: 500\r\n", nullptr, answered);
        return;
    }
    m_sent.push_back({ m_sendNumber, m_sendText });
    std::string answer = "\r\n+CMGS: " + std::to_string(m_nNextReference++) + "\r\n" + kOk;
    if (pFault != nullptr && pFault->fault == Fault::SlowReference) {
        Answer slow;
        slow.at = answered;
        slow.pauseBefore = answer.find(' ') + 1;
        slow.pauseMs = pFault->delayMs;
        Send(answer, slow);
    } else {
        Reply(answer, pFault, answered);
    }
    for (Device& device : m_devices) {
        if (device.number != m_sendNumber)
            continue;
        std::string reply = device.bTerminal ? device.terminal.Answer(m_sendText) : device.reply;
        if (reply.empty())
            continue;
        std::string from = device.number[0] == '+' ? device.number : "+86" + device.number;
        ScheduleMessage(answered + (Micros)device.delayMs * 1000, Quoted(from), reply);
    }
}

void GsmModem::RunList(const std::string& status, const FaultRule* pFault, Micros now)
{
    if (!m_bTextMode) {
        Reply("\r\n+CMS ERROR: 302\r\n", pFault, now);
        return;
    }
    if (status != "ALL" && status != "REC UNREAD" && status != "REC READ") {
        Reply(kError, pFault, now);
        return;
    }
    std::string listing = "\r\n";
    std::vector<size_t> entryEnds; // where each entry ends in the listing
    for (StoredSms& sms : m_store) {
        if (status != "ALL" && sms.status != status)
            continue;
        listing += "+CMGL: " + std::to_string(sms.index) + ",\"" + sms.status + "\"," + sms.sender + ",," +
                   sms.timeStamp + "\r\n" + sms.text + "\r\n";
        entryEnds.push_back(listing.size());
        sms.status = "REC READ";
    }
    listing += kOk;
    if (pFault != nullptr && pFault->fault == Fault::CutListing)
        listing.resize(std::min(listing.size(), pFault->cutAfter));

    Answer answer = AnswerFor(pFault, now);
    if (pFault != nullptr && pFault->fault == Fault::Garbage)
        Send(kGarbage, answer);
    if (pFault != nullptr && pFault->fault == Fault::CodeFirst)
        Arrive(Quoted("+8613800000099"), "#arrived");
    Micros listingStart = std::max(answer.at, m_lineFreeAt);
    Send(listing, answer);
    // What arrives meanwhile comes as the entries go out: after this listing was made.
    Micros perByte = m_nLineRate > 0 ? 1000000 / m_nLineRate : 0;
    for (const Arrival& arrival : m_arrivals) {
        size_t nBytes = arrival.nEntries == 0 || entryEnds.empty()
                            ? 0
                            : entryEnds[std::min(arrival.nEntries, entryEnds.size()) - 1];
        ScheduleMessage(listingStart + nBytes * perByte, arrival.sender, arrival.text);
    }
    m_arrivals.clear();
    if (pFault != nullptr && pFault->fault == Fault::Reset)
        Restart();
}

void GsmModem::RunDelete(const std::string& argument, const FaultRule* pFault, Micros now)
{
    std::string trimmed = Trimmed(argument);
    char* end = nullptr;
    long index = std::strtol(trimmed.c_str(), &end, 10);
    auto found = std::find_if(m_store.begin(), m_store.end(), [index](const StoredSms& s) { return s.index == index; });
    if (trimmed.empty() || *end != '\0' || found == m_store.end()) {
        Reply("\r\n+CMS ERROR: 321\r\n", pFault, now);
        return;
    }
    m_store.erase(found);
    Reply(kOk, pFault, now);
}

// ---------------------------------------------------------------------------------------------
// Answers.

GsmModem::Answer GsmModem::AnswerFor(const FaultRule* pFault, Micros now) const
{
    Answer answer;
    answer.at = now;
    if (pFault != nullptr && pFault->fault == Fault::Delay)
        answer.at += (Micros)pFault->delayMs * 1000;
    if (pFault != nullptr && pFault->fault == Fault::Dribble) {
        answer.bDribble = true;
        answer.gapMs = pFault->delayMs;
    }
    return answer;
}

void GsmModem::Reply(const std::string& bytes, const FaultRule* pFault, Micros now)
{
    Answer answer = AnswerFor(pFault, now);
    if (pFault != nullptr && pFault->fault == Fault::Garbage)
        Send(kGarbage, answer);
    if (pFault != nullptr && pFault->fault == Fault::CodeFirst)
        Arrive(Quoted("+8613800000099"), "#arrived");
    Send(bytes, answer);
    if (pFault != nullptr && pFault->fault == Fault::Reset)
        Restart();
}

void GsmModem::Send(const std::string& bytes, const Answer& answer, bool bUnsolicited)
{
    m_outgoing.push_back({ answer, bytes, bUnsolicited });
    PutOnLine(m_now);
}

// The line carries one byte after the other, at its rate.
void GsmModem::Queue(const std::string& bytes, const Answer& answer)
{
    Micros perByte = m_nLineRate > 0 ? 1000000 / m_nLineRate : 0;
    Micros at = answer.at;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == answer.pauseBefore)
            at = std::max(at, m_lineFreeAt) + (Micros)answer.pauseMs * 1000;
        Micros due = std::max(at, m_lineFreeAt);
        m_output.push_back({ due, bytes[i] });
        m_lineFreeAt = due + perByte;
        if (answer.bDribble)
            at = due + (Micros)answer.gapMs * 1000;
    }
}

} // namespace gsmsim
