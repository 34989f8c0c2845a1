// gsmsim: a GSM modem in SMS text mode on a COM port, for a whole program to talk to.
//
//   gsmsim.exe --port 6 [--rate 960] [--network-delay MS] [--echo-off] [--text-mode]
//              [--no-indications] [--steady LINE|MS]...
//              [--sms NUMBER|TEXT]... [--sms-at MS|NUMBER|TEXT]... [--device NUMBER|MS|REPLY]...
//              [--terminal NUMBER|MS]... [--fault COMMAND:KIND[:TIMES[:MS]]]... [--transcript FILE]
//              [--state FILE] [--seconds S]
//
// The modem comes up as after power-on, in PDU mode with its echo on, unless --text-mode and
// --echo-off say otherwise. --rate is the line's bytes a second (960: 9600 baud);
// --network-delay the time from the end of a message to the network's answer (3000 ms);
// --no-indications keeps arriving messages from being announced with "+CMTI:"; --steady sends
// the unsolicited LINE every MS.
// --sms stores a message from NUMBER ("+86..." or not, listed in quotes) before the start;
// --sms-at lets one arrive MS after the start; --device answers every message sent to NUMBER
// with REPLY, MS later; --terminal answers the command frames sent to NUMBER as a data terminal
// does (ScriptedDevice), MS later. KIND is one of silence, error, delay, noprompt, nocmgs, dribble,
// garbage, cut, reset, slowref, codefirst (for delay and dribble MS is the delay or gap, for slowref the
// pause after "+CMGS: ", for cut the bytes kept).
// --transcript appends every byte received to FILE; --state rewrites FILE after every input
// with the number of messages stored and sent. It serves until S seconds have passed (0: for
// ever).
#include "SerialModem.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace gsmsim;

namespace {

std::vector<std::string> Split(const std::string& text, char separator, size_t nParts)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (parts.size() + 1 < nParts) {
        size_t at = text.find(separator, start);
        if (at == std::string::npos)
            break;
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool ParseFault(const std::string& text, FaultRule& rule)
{
    std::vector<std::string> parts = Split(text, ':', 4);
    if (parts.size() < 2)
        return false;
    static const struct {
        const char* name;
        Fault fault;
    } kinds[] = { { "silence", Fault::Silence }, { "error", Fault::Error },     { "delay", Fault::Delay },
                  { "noprompt", Fault::NoPrompt }, { "nocmgs", Fault::NoCmgs }, { "dribble", Fault::Dribble },
                  { "garbage", Fault::Garbage }, { "cut", Fault::CutListing }, { "reset", Fault::Reset },
                  { "slowref", Fault::SlowReference }, { "codefirst", Fault::CodeFirst } };
    rule.command = parts[0];
    bool bKnown = false;
    for (const auto& kind : kinds) {
        if (parts[1] == kind.name) {
            rule.fault = kind.fault;
            bKnown = true;
        }
    }
    rule.times = parts.size() > 2 ? std::atoi(parts[2].c_str()) : 1;
    unsigned n = parts.size() > 3 ? (unsigned)std::atoi(parts[3].c_str()) : 0;
    rule.delayMs = n;
    rule.cutAfter = n;
    return bKnown;
}

std::string Sender(const std::string& number)
{
    return GsmModem::Quoted(number);
}

void WriteState(const std::string& path, const GsmModem& modem)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    std::fprintf(file, "stored %u\nsent %u\n", (unsigned)modem.Store().size(), (unsigned)modem.Sent().size());
    std::fclose(file);
}

int Usage()
{
    std::fprintf(stderr, "usage: gsmsim.exe --port N [--rate B] [--network-delay MS] [--echo-off] [--text-mode]"
                         " [--no-indications] [--steady LINE|MS] [--sms NUMBER|TEXT]"
                         " [--sms-at MS|NUMBER|TEXT] [--device NUMBER|MS|REPLY] [--terminal NUMBER|MS] [--fault CMD:KIND[:TIMES[:MS]]]"
                         " [--transcript FILE] [--state FILE] [--seconds S]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int nPort = 0;
    double seconds = 0;
    std::string transcriptPath, statePath;
    SerialModem serial;
    GsmModem setup;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        std::string value = i + 1 < argc ? argv[i + 1] : "";
        bool bTakesValue = option != "--echo-off" && option != "--text-mode" && option != "--no-indications";
        if (bTakesValue && i + 1 >= argc)
            return Usage();
        if (option == "--port") {
            nPort = std::atoi(value.c_str());
        } else if (option == "--rate") {
            setup.SetLineRate((unsigned)std::atoi(value.c_str()));
        } else if (option == "--network-delay") {
            setup.SetNetworkDelay((unsigned)std::atoi(value.c_str()));
        } else if (option == "--no-indications") {
            setup.SetNewMessageIndications(false);
        } else if (option == "--steady") {
            std::vector<std::string> parts = Split(value, '|', 2);
            if (parts.size() != 2)
                return Usage();
            setup.AddSteadyCode(parts[0], (unsigned)std::atoi(parts[1].c_str()));
        } else if (option == "--echo-off") {
            setup.SetEcho(false);
        } else if (option == "--text-mode") {
            setup.SetTextMode(true);
        } else if (option == "--sms") {
            std::vector<std::string> parts = Split(value, '|', 2);
            if (parts.size() != 2)
                return Usage();
            setup.StoreMessage(Sender(parts[0]), parts[1]);
        } else if (option == "--sms-at") {
            std::vector<std::string> parts = Split(value, '|', 3);
            if (parts.size() != 3)
                return Usage();
            setup.ScheduleMessage((Micros)std::atoi(parts[0].c_str()) * 1000, Sender(parts[1]), parts[2]);
        } else if (option == "--device") {
            std::vector<std::string> parts = Split(value, '|', 3);
            if (parts.size() != 3)
                return Usage();
            setup.AddDevice(parts[0], parts[2], (unsigned)std::atoi(parts[1].c_str()));
        } else if (option == "--terminal") {
            std::vector<std::string> parts = Split(value, '|', 2);
            if (parts.size() != 2)
                return Usage();
            setup.AddTerminal(parts[0], (unsigned)std::atoi(parts[1].c_str()));
        } else if (option == "--fault") {
            FaultRule rule;
            if (!ParseFault(value, rule))
                return Usage();
            setup.AddFault(rule);
        } else if (option == "--transcript") {
            transcriptPath = value;
        } else if (option == "--state") {
            statePath = value;
        } else if (option == "--seconds") {
            seconds = std::atof(value.c_str());
        } else {
            return Usage();
        }
        if (bTakesValue)
            ++i;
    }
    if (nPort <= 0)
        return Usage();

    serial.With([&](GsmModem& modem) { modem = setup; });
    if (!transcriptPath.empty())
        std::fclose(std::fopen(transcriptPath.c_str(), "wb"));
    if (!statePath.empty())
        WriteState(statePath, setup);
    serial.SetObserver([&](const GsmModem& modem, const std::string& received) {
        if (!transcriptPath.empty()) {
            if (FILE* file = std::fopen(transcriptPath.c_str(), "ab")) {
                std::fwrite(received.data(), 1, received.size(), file);
                std::fclose(file);
            }
        }
        if (!statePath.empty())
            WriteState(statePath, modem);
    });
    if (!serial.Start(nPort)) {
        std::fprintf(stderr, "gsmsim: COM%d cannot be opened\n", nPort);
        return 1;
    }
    std::printf("gsmsim: serving COM%d\n", nPort);
    std::fflush(stdout);
    DWORD dwStart = ::GetTickCount();
    while (seconds <= 0 || ::GetTickCount() - dwStart < (DWORD)(seconds * 1000))
        ::Sleep(100);
    serial.Stop();
    return 0;
}
