// A GSM modem as its serial line shows it: what a program writes goes in (Receive), what the
// modem answers comes out when it is due (TakeOutput). Free of window and port code: a driver
// moves the bytes and gives the time.
//
// Like a real one at its worst, it comes up (and comes back from a restart) in PDU mode with
// its echo on; it echoes what it receives until ATE0 and answers AT, ATE0/ATE1, ATZ, AT+CMGF,
// AT+CMGS (the "> " prompt, the text up to Ctrl-Z, then, once the network has taken the
// message seconds later, "+CMGS: <ref>" and OK), AT+CMGL, AT+CMGD and anything else with
// ERROR; a command that needs text mode is refused with "+CMS ERROR: 302" in PDU mode. It goes
// on taking commands while a message is with the network, so that late answer may come in the
// middle of a later exchange. It keeps a message store with indexes, status and time stamps,
// and announces each message that arrives with the unsolicited "+CMTI:"; it can send steady
// unsolicited codes of any kind. Its answers go out at the line's rate (9600 baud unless set),
// one whole answer at a time; unsolicited codes wait while the text of a message is typed.
//
// Messages arrive when a test says so, at a given time or during a listing; a scripted device
// answers a message sent to it after a delay. Faults can be set per command, and every byte
// received is kept in a transcript.
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
    Reset,      // after the answer the modem restarts: echo on, PDU mode
    SlowReference, // AT+CMGS: "+CMGS: " comes, then the reference and OK delayMs later
    CodeFirst,  // a message arrives just then: its "+CMTI:" goes out ahead of the answer
};

struct FaultRule {
    std::string command; // the commands it spoils, by their beginning ("ATE0", "AT+CMGL", ...)
    Fault fault;
    int times = 1;            // how many of them; -1: all
    unsigned delayMs = 0;     // Delay, Dribble, SlowReference
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
    // Bytes a second on the line; 0 puts every answer out at once. 960 (the default) is 9600 baud.
    void SetLineRate(unsigned nBytesPerSecond) { m_nLineRate = nBytesPerSecond; }
    // From the Ctrl-Z that ends a message to the network's answer; 3000 ms unless set.
    void SetNetworkDelay(unsigned ms) { m_nNetworkDelayMs = ms; }
    // Whether a message that arrives is announced with "+CMTI:" (it is unless set off).
    void SetNewMessageIndications(bool bOn) { m_bIndications = bOn; }
    // An unsolicited line ("+CREG: 1", "RDY", ...) that goes out at once and then every periodMs.
    void AddSteadyCode(const std::string& line, unsigned periodMs);
    void AddFault(const FaultRule& rule) { m_faults.push_back(rule); }
    // The modem restarts: echo on, PDU mode, a message being typed is dropped.
    void Restart();

    // Messages arriving. The sender and time stamp are the listing's fields as they stand
    // (Quoted() makes the usual form); an empty time stamp gets one from the modem's clock.
    // StoreMessage puts a message in the store as if it had arrived before (no "+CMTI:"); it
    // returns the index the message is stored under (-1: the store is full). The others arrive
    // while the modem runs.
    int StoreMessage(const std::string& sender, const std::string& text, const std::string& timeStamp = "");
    void ScheduleMessage(Micros at, const std::string& sender, const std::string& text);
    // Arrives while the next listing goes out, once nEntries of its entries are out; it is not
    // in that listing.
    void ArriveDuringListing(std::size_t nEntries, const std::string& sender, const std::string& text);
    // A device with this number answers each message sent to it with the reply, delayMs after
    // the network took the message, from "+86" and the number.
    void AddDevice(const std::string& number, const std::string& reply, unsigned delayMs);
    // A terminal with this number answers each command frame sent to it as a ScriptedDevice
    // does, delayMs after the network took the message, from "+86" and the number.
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
    bool TextMode() const { return m_bTextMode; }
    // Nothing is left to go out on the line.
    bool Quiet() const { return m_outgoing.empty() && m_output.empty(); }

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
        std::size_t pauseBefore = std::string::npos; // the byte that waits pauseMs
        unsigned pauseMs = 0;
    };
    // An answer made and not yet on the line.
    struct Outgoing {
        Answer answer;
        std::string bytes;
        bool bUnsolicited;
    };
    struct Steady {
        std::string line;
        unsigned periodMs;
        Micros due;
    };

    void Arrive(const std::string& sender, const std::string& text);
    void Unsolicited(const std::string& line, Micros at);
    void PutOnLine(Micros now);
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
    void Send(const std::string& bytes, const Answer& answer, bool bUnsolicited = false);
    void Reply(const std::string& bytes, const FaultRule* pFault, Micros now);
    std::string StampAt(Micros now) const;

    bool m_bEcho = true;
    bool m_bTextMode = false;
    unsigned m_nLineRate = 960;
    unsigned m_nNetworkDelayMs = 3000;
    bool m_bIndications = true;
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
    std::vector<Steady> m_steady;
    std::vector<Outgoing> m_outgoing;
    std::deque<Pending> m_output; // on the line
    Micros m_lineFreeAt = 0;
    Micros m_now = 0;
    std::string m_transcript;
};

} // namespace gsmsim
