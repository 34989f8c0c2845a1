// The configuration groups of a device as SMS commands, free of window code: the set command of
// each group laid out from the page's values, and the fields of a device's answer put back into
// them. The device page copies its values into a DeviceConfigValues and back.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The page's values as the commands use them. A list field is the index of the selected item
// (-1: none).
struct DeviceConfigValues {
    // Management platform ("8") and trusted-phone list ("A").
    int nmMode = 0; // "仅短信", "短信 + IP"
    std::string nmDeviceId;
    std::string serverAddr;
    int serverPort = 0;
    std::string trustList;
    // WMMP support platform ("E").
    int platform = 0; // "否", "是"
    std::string platformDeviceId;
    std::string wmmpAddr;
    int wmmpPort = 0;
    int heartbeat = 0;
    std::string smsCenter;
    std::string smsAlarm;
    // Serial port ("C").
    int baud = 0;     // "300" .. "115200"
    int dataBits = 0; // 5 .. 8 bits
    int stopBits = 0; // 1, 1.5, 2
    int parity = 0;   // none, odd, even
    // Enterprise gateway ("B").
    std::string dtuId;
    std::string gatewayAddr;
    int gatewayPort = 0;
    int link = 0; // "TCP" .. "Modbus-Net-Bridge"
    // Multi-centre ("G").
    int strategy = 0; // "轮询", "并发"
    std::string extAddr[4];
    int extPort[4] = { 0, 0, 0, 0 };
    // Dial-up ("7").
    int autoDial = 0; // "否", "是"
    std::string apn;
    std::string dialNumber;
    std::string dialUser;
    std::string dialPassword;
    int auth = 0; // "AUTO", "PAP", "CHAP"
    // What the force-online and work-status answers report.
    std::string signal;
    std::string version;
};

// The number of items of each list on the page.
namespace ConfigLists {
const int kNmMode = 2, kPlatform = 2, kBaud = 12, kDataBits = 4, kStopBits = 3, kParity = 3, kLink = 6,
          kStrategy = 2, kAutoDial = 2, kAuth = 3;
}

// A text field that cannot go into its group: a ";" would end the group early and have the
// device run the rest as a command, a "," would shift the fields after it, and a control
// character would break the message at the modem. The trusted-phone list is a list of numbers
// separated by ",", so only the other two are refused there.
struct FieldFault {
    std::string label; // the field's label on the page; empty when every field can go
    std::string what;  // what it holds that cannot go
};
FieldFault CheckGroupFields(char letter, const DeviceConfigValues& values);

// The set command of one group ("7", "8", "A", "B", "C", "E", "G"), ";" included; empty for any
// other letter. The fields are taken as they stand: CheckGroupFields says whether they may go.
std::string BuildSetGroup(char letter, const DeviceConfigValues& values);

// The set commands of the groups to send, in their order, as the command texts of the frames
// that carry them: a frame is closed before a group when it holds a group already and would
// reach kSetFrameCut characters with it. A group that reaches that length alone has a frame of
// its own, which the frame's limit may then refuse. No groups give no frame.
const std::size_t kSetFrameCut = 127;
std::vector<std::string> PackSetFrames(const std::vector<std::string>& groups);

// The text before the first separator; the source keeps what follows it. Without a separator
// the whole text is returned and the source left empty.
std::string NextField(std::string& text, char separator);
// The leading decimal number of a text (an optional sign, then digits); 0 when there is none.
// Numbers past the range of int are held at its ends.
int LeadingInt(const std::string& text);

// Puts the fields of a device's answer for the letter into the values: the query answers of
// the groups, the force-online answer ("4") and the work status ("6"). A list index outside its
// list leaves the selection as it was, but for the multi-centre strategy, which every answer
// sets (the concurrent one for 1, "N", "n", 78 or 110, else the round-robin one). Other letters
// change nothing.
void ApplyAnswerFields(char letter, const std::string& value, DeviceConfigValues& values);

// The work status answer ("6") as the tool tells it to the operator.
std::string WorkStatusText(const std::string& name, const std::string& phone, const std::string& value);
