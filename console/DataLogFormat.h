#pragma once
// The data log files: their names and the two text lines of each record. The bytes are binding
// (other programs read these files), so they live here, apart from the window code.
#include <cstddef>
#include <cstdint>
#include <string>

// A new log file's name from the local date-time text: every character that is no decimal
// digit becomes '_' (a double-byte GBK character counts as one), then ".log".
// "2009-1-6 10:20:30" gives "2009_1_6_10_20_30.log".
std::string DataLogFileName(const std::string& dateTimeText);

// The name to try when the earlier ones are taken: attempt 0 is the name itself, attempt n
// adds "_<n+1>" before ".log", so two files started in the same second sit side by side.
std::string DataLogAlternativeName(const std::string& fileName, int attempt);

// One record as written: "USERID：" + the 12 id bytes as they are (NUL padding kept) +
// "    RECV_TIME：" + the 20 time bytes + "    DATA_LENGTH：" + the length, then "DATA：" + two
// hex digits and a blank per byte; each line ends with CR LF. GBK text.
std::string DataLogRecord(const char (&id)[12], const char (&time)[20], const std::uint8_t* data,
                          std::size_t length);
