// The text rules of the operation log, free of any window code: how one event becomes a line
// of log.txt and how the log page splits a line back into its fields.
#pragma once

#include <ctime>
#include <string>

// Levels of a log line.
enum LogLevel { LOG_INTERNAL = 0, LOG_INFO = 1, LOG_FAILURE = 2, LOG_DEVICE_ERROR = 3 };

// "level|time|name|phone|message\n", the time as 2010年03月05日 14:02:07. A null name or phone is
// an empty field; the message is taken as it stands.
std::string FormatLogLine(int level, const std::tm& localTime, const char* name, const char* phone,
                          const std::string& message);

// The time field alone.
std::string FormatLogTime(const std::tm& localTime);

struct LogRecord {
    int level = 0;
    std::string time;
    std::string name;
    std::string phone;
    std::string message; // up to a further '|' or the end of the line, line end included
};

// A line read back from the file. False when the line has fewer than five fields.
bool ParseLogLine(const std::string& line, LogRecord& record);
