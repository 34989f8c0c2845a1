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

// What may follow "AT+CMGS=": an optional '+' and at least one digit. Anything else (a ';'
// chains a further command) never reaches the modem.
bool IsDialableNumber(const char* phone);

// What may be typed after the modem's "> " prompt: Ctrl-Z would end the message early and hand
// the rest to the modem as commands, and ESC would cancel it.
bool IsSendableText(const char* text);
