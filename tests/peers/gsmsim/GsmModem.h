// A GSM modem as its serial line shows it, in SMS text mode: what a program writes goes in
// (Receive), what the modem answers comes out when it is due (TakeOutput). Free of window and
// port code: a driver moves the bytes and gives the time.
//
// It echoes what it receives until ATE0, answers AT, ATE0/ATE1, ATZ, AT+CMGF, AT+CMGS (the "> "
// prompt, the text up to Ctrl-Z, "+CMGS: <ref>" and OK), AT+CMGL, AT+CMGD and anything else
// with ERROR; it keeps a message store with indexes, status and time stamps. Messages arrive
// when a test says so, at a given time or during a listing; a scripted device answers a
// message sent to it after a delay. Faults can be set per command, and every byte received is
// kept in a transcript.
#pragma once

#include "ScriptedDevice.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace gsmsim {

// Microseconds on the driver's clock.
typedef std::uint64_t Micros;

enum class Fault {
    Silence,    // no answer at all (AT+CMGS: the text is taken in, nothing is sent or answered)
    Error,      // "ERROR" instead of the answer (AT+CMGS: instead of the prompt)
    Delay,      // the answer comes delayMs late
    NoPrompt,   // AT+CMGS: no "> ", the text is taken all the same
    NoCmgs,     // AT+CMGS: the message is refused after its text: "+CMS ERROR: 500", no "+CMGS:"
    Dribble,    // the answer goes out one byte at a time, delayMs apart
    Garbage,    // garbage and NUL bytes, ending in CR LF, ahead of the answer
    CutListing, // AT+CMGL: the listing stops after cutAfter bytes, with no OK
    Reset,      // after the answer the modem restarts, with its echo on again
};

struct FaultRule {
    std::string command; // the commands it spoils, by their beginning ("ATE0", "AT+CMGL", ...)
    Fault fault;
    int times = 1;            // how many of them; -1: all
    unsigned delayMs = 0;     // Delay, Dribble
    std::size_t cutAfter = 0; // CutListing
};

struct StoredSms {
    int index = 0;
    std::string status;    // "REC UNREAD" until listed, then "REC READ"
    std::string sender;    // the field as the listing shows it: "\"+8613800000000\"", quotes and all
    std::string timeStamp; // likewise: "\"09/01/06,10:20:30+32\""
    std::string text;
};

struct SentSms {
    std::string number; // as given to AT+CMGS, without quotes
    std::string text;
};

class GsmModem {
public:
    GsmModem();

    // Settings.
    void SetEcho(bool bEcho) { m_bEcho = bEcho; }
    void SetTextMode(bool bTextMode) { m_bTextMode = bTextMode; }
    // Bytes a second on the line; 0 puts every answer out at once. 960 is 9600 baud.
    void SetLineRate(unsigned nBytesPerSecond) { m_nLineRate = nBytesPerSecond; }
    void AddFault(const FaultRule& rule) { m_faults.push_back(rule); }

    // Messages arriving. The sender and time stamp are the listing's fields as they stand
    // (Quoted() makes the usual form); an empty time stamp gets one from the modem's clock.
    // Each returns the index the message is stored under (-1: the store is full).
    int StoreMessage(const std::string& sender, const std::string& text, const std::string& timeStamp = "");
    void ScheduleMessage(Micros at, const std::string& sender, const std::string& text);
    // Arrives while the next listing goes out, once nEntries of its entries are out; it is not
    // in that listing.
    void ArriveDuringListing(std::size_t nEntries, const std::string& sender, const std::string& text);
    // A device with this number answers each message sent to it with the reply, delayMs later,
    // from "+86" and the number.
    void AddDevice(const std::string& number, const std::string& reply, unsigned delayMs);
    // A terminal with this number answers each command frame sent to it as a ScriptedDevice
    // does, delayMs later, from "+86" and the number.
    void AddTerminal(const std::string& number, unsigned delayMs);
    // The terminal of the number, or nullptr.
    ScriptedDevice* Terminal(const std::string& number);

    // The line.
    void Receive(const char* pData, std::size_t nSize, Micros now);
    // The bytes due by now, in order.
    std::string TakeOutput(Micros now);
    // Fires what is scheduled up to now.
    void Advance(Micros now);

    // What happened.
    const std::string& Transcript() const { return m_transcript; }
    void ClearTranscript() { m_transcript.clear(); }
    const std::vector<StoredSms>& Store() const { return m_store; }
    const std::vector<SentSms>& Sent() const { return m_sent; }
    bool Echo() const { return m_bEcho; }

    static std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
    static const std::size_t kCapacity = 255;

private:
    struct Pending {
        Micros due;
        char byte;
    };
    struct Scheduled {
        Micros at;
        std::string sender;
        std::string text;
    };
    struct Arrival {
        std::size_t nEntries;
        std::string sender;
        std::string text;
    };
    struct Device {
        std::string number;
        std::string reply;
        unsigned delayMs;
        bool bTerminal;
        ScriptedDevice terminal;
    };
    // How one answer goes out.
    struct Answer {
        Micros at = 0;
        bool bDribble = false;
        unsigned gapMs = 0;
    };

    void TakeByte(char ch, Micros now);
    void TakeTextByte(char ch, Micros now);
    void RunCommand(const std::string& command, Micros now);
    void RunSend(const std::string& number, const FaultRule* pFault, Micros now);
    void FinishSend(Micros now);
    void RunList(const std::string& status, const FaultRule* pFault, Micros now);
    void RunDelete(const std::string& argument, const FaultRule* pFault, Micros now);
    const FaultRule* TakeFault(const std::string& command);
    Answer AnswerFor(const FaultRule* pFault, Micros now) const;
    void Queue(const std::string& bytes, const Answer& answer);
    void Reply(const std::string& bytes, const FaultRule* pFault, Micros now);
    std::string StampAt(Micros now) const;

    bool m_bEcho = true;
    bool m_bTextMode = false;
    unsigned m_nLineRate = 0;
    std::string m_command;
    // A message being typed after AT+CMGS.
    bool m_bTakingText = false;
    std::string m_sendNumber;
    std::string m_sendText;
    const FaultRule* m_pSendFault = nullptr;
    FaultRule m_sendFault;
    int m_nNextReference = 1;

    std::vector<FaultRule> m_faults;
    std::vector<StoredSms> m_store;
    std::vector<SentSms> m_sent;
    std::vector<Scheduled> m_scheduled;
    std::vector<Arrival> m_arrivals;
    std::vector<Device> m_devices;
    std::deque<Pending> m_output;
    Micros m_lineFreeAt = 0;
    Micros m_now = 0;
    std::string m_transcript;
};

} // namespace gsmsim
