// A data terminal as its SMS commands show it: it checks a command frame's shape and check code
// with the keys of docs/sms-commands.md, keeps its configuration per command letter, runs
// actions and answers in the reply format ("#", three characters, entries). Free of window and
// port code; the modem simulator carries its answers back after a delay.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace gsmsim {

class ScriptedDevice {
public:
    ScriptedDevice();

    // The reply to a frame the device received; empty when it does not answer: the frame's
    // reply flag is "-", or nothing in it can be read as a command.
    std::string Answer(const std::string& frame);

    // The value a query of the letter answers (the set command's fields; for "A" the numbers
    // of the trusted list), the work status ("6"), the IP ("F") and the signal that force
    // online reports ("4").
    void SetValue(char letter, const std::string& value) { m_values[letter] = value; }
    std::string Value(char letter) const;
    // The next nTimes answers carry "Error,<code>" for every command of their frame.
    void FailWith(int code, int nTimes = 1)
    {
        m_failCode = code;
        m_failTimes = nTimes;
    }
    // The actions run, by letter, in order.
    const std::string& Actions() const { return m_actions; }
    const std::vector<std::string>& Frames() const { return m_frames; }

private:
    struct Command {
        char letter = 0;
        char mode = 0;        // 'q' or 'x'
        bool bSet = false;    // "x:" and fields
        std::string fields;
    };
    std::string Run(const Command& command);
    std::string Set(const Command& command);

    std::map<char, std::string> m_values;
    std::string m_actions;
    std::vector<std::string> m_frames;
    int m_failCode = 0;
    int m_failTimes = 0;
};

// The check codes as a terminal computes them: 32 upper-case hex digits of MD5 over the 16-byte
// key (0: frames, 1: the trusted list) and the text.
std::string TerminalCheckCode(int nKey, const std::string& text);

} // namespace gsmsim
