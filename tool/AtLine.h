// The modem's answers as the modem link reads them: one byte at a time, into lines or into a
// text that is waited for. Free of window code, so that it is also built natively.
#pragma once

#include <string>

class CAtLine {
public:
    // Adds one byte to the line. True when the byte ended the line, which then keeps its "\r\n".
    // A NUL byte becomes a space, so the line stays a C string; an empty line ("\r\n", the
    // separator the modem puts around its answers) is dropped and the line starts again.
    bool AddToLine(char ch);
    // Adds one byte to a text that runs across lines (NUL bytes become spaces too). True when
    // the text now ends with wanted: it is looked for after every byte, so that is where it
    // shows first.
    bool AddAndFind(char ch, const char* wanted);

    const std::string& Text() const { return m_text; }
    bool BeginsWith(const char* prefix) const;
    void Clear() { m_text.clear(); }

private:
    void Append(char ch) { m_text += ch == '\0' ? ' ' : ch; }

    std::string m_text;
};

// Whether a line, as read with its end, is a code the modem sends of its own accord and not an
// answer to a command: a message arrived ("+CMTI:"), a ring, the network's registration, the
// modem coming up, and the like. A reader waiting for an answer passes over them.
bool IsUnsolicitedCode(const std::string& line);
// Whether a line is a refusal: "ERROR", "+CMS ERROR: <n>" or "+CME ERROR: <n>".
bool IsErrorAnswer(const std::string& line);
// The bytes a reader found waiting and threw away, for the log: each line in brackets, without
// its end ("[+CMGS: 3][OK]"), blank lines and unsolicited codes left out, control bytes as '.',
// cut after 256 characters ("..."). Empty when nothing but those was there.
std::string DescribeDiscardedInput(const std::string& bytes);

// How long one read of the modem may go on, in idle steps of 100 ms: the steps it waited with
// nothing to read, or, when the bytes came faster than it waited, the steps the line took to
// carry them (96 bytes a step at 9600 baud). So a modem that never pauses cannot hold a read
// beyond its time either.
class CReadBudget {
public:
    explicit CReadBudget(int nSteps) : m_nEmptyReads(nSteps), m_nBytes((long)nSteps * kBytesPerStep) {}
    // Waiting and carrying bounded apart: a slow line may take longer than its bytes would.
    CReadBudget(int nEmptyReads, int nByteSteps) : m_nEmptyReads(nEmptyReads), m_nBytes((long)nByteSteps * kBytesPerStep) {}
    void SpendEmptyRead() { --m_nEmptyReads; }
    void SpendByte() { --m_nBytes; }
    bool IsSpent() const { return m_nEmptyReads <= 0 || m_nBytes <= 0; }

    static const long kBytesPerStep = 96;

private:
    int m_nEmptyReads; // left
    long m_nBytes;     // left
};

// What may follow "AT+CMGS=": an optional '+' and at least one digit. Anything else (a ';'
// chains a further command) never reaches the modem.
bool IsDialableNumber(const char* phone);

// What may be typed after the modem's "> " prompt: Ctrl-Z would end the message early and hand
// the rest to the modem as commands, and ESC would cancel it.
bool IsSendableText(const char* text);
