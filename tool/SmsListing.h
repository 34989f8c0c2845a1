// The modem's listing of its stored messages (the answer to AT+CMGL="ALL" in text mode), taken
// line by line: every entry is a header line and a line of text,
//     +CMGL: 3,"REC UNREAD","+8613800000000",,"09/01/06,10:20:30+32"
//     the message
// and the listing ends with "OK", or with a refusal ("+CMS ERROR: 302" from a modem in PDU
// mode). Free of window code, so that it is also built natively.
#pragma once

#include <string>
#include <vector>

struct SmsEntry {
    int index = 0;       // where the modem stores it: what AT+CMGD deletes
    std::string sender;  // the number, without quotes and without a leading "+86"
    std::string time;    // the modem's time stamp up to its zone: "09/01/06,10:20:30"
    std::string message; // the first line of the text
};

// Reads a header line into the entry (its index, sender and time). False when the entry is to
// be skipped: a negative index, a field missing, or a time stamp with no '+'.
bool ParseListingHeader(const std::string& line, SmsEntry& entry);

class CSmsListing {
public:
    enum Step { kMore, kEnd, kRefused };

    // Takes the next line, as read with its "\r\n". kEnd at the line "OK", kRefused at an error
    // answer (where an entry's text is awaited, any line is its text).
    Step TakeLine(const std::string& line);
    // The error answer that refused the listing, without its line end.
    const std::string& Refusal() const { return m_refusal; }

    // The entries read whole, in listing order. An entry whose text never came (the listing
    // ended or timed out after its header) is not among them.
    const std::vector<SmsEntry>& Entries() const { return m_entries; }

private:
    void TakeHeader(const std::string& line);

    std::vector<SmsEntry> m_entries;
    std::string m_refusal;
    SmsEntry m_pending;
    bool m_bAwaitingText = false;
};
