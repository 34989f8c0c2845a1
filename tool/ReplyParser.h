// A device's answer to SMS commands, free of window code:
//
//   "#", three characters not looked at, then entries back to back
//   entry: letter, optionally "q" (query answer) or "x" (set or action; also when neither
//          stands there), optionally ":", then the value up to ";" or the end of the text
//
// Each entry becomes what the operator is told of it (ReplyOutcome); the device page carries
// that out: log lines, message boxes, the values put into the page, one summary box.
#pragma once

#include <string>
#include <vector>

struct ReplyEntry {
    char letter = 0;
    char mode = 'x'; // 'q' or 'x'
    std::string value;
};

enum class ReplyShape {
    TooShort,  // fewer than 5 characters: ignored
    NotAReply, // no "#" at the start: told as an error answer
    Entries,
};

// Cuts a reply into its entries. Every cut stays inside the text, whatever it holds.
ReplyShape CutReply(const std::string& message, std::vector<ReplyEntry>& entries);

// What one entry tells the operator. Every outcome writes its text to the log at level 1.
struct ReplyOutcome {
    std::string text;
    bool bBox = false;         // shown in a message box of its own
    bool bDeviceError = false; // completed by the explanation of the value's error code, then
                               // logged and shown (instead of the plain log line)
    bool bApply = false;       // the value goes into the page
    bool bApplyFirst = false;  // ... before the text is logged and shown
    std::string summaryLine;   // appended to the reply's summary box, CR LF included
};
ReplyOutcome InterpretEntry(const ReplyEntry& entry, const std::string& name, const std::string& phone);

// What an error answer's value means: "\n错误信息：" and the explanation of its code, or of a
// value that carries none.
std::string DeviceErrorText(const std::string& value);

// The texts of an answer that is no reply, and of a received message.
std::string NotAReplyLogText(const std::string& message);
std::string NotAReplyBoxText(const std::string& name, const std::string& phone, const std::string& message);
std::string ReceivedText(const std::string& message);
