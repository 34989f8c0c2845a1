#include "LogLine.h"

#include <cstdio>
#include <cstdlib>

std::string FormatLogTime(const std::tm& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d年%02d月%02d日 %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

std::string FormatLogLine(int level, const std::tm& localTime, const char* name, const char* phone,
                          const std::string& message)
{
    std::string line = std::to_string(level);
    line += '|';
    line += FormatLogTime(localTime);
    line += '|';
    line += name ? name : "";
    line += '|';
    line += phone ? phone : "";
    line += '|';
    line += message;
    line += '\n';
    return line;
}

// Fields are cut at '|' bytes. The texts are GBK, whose second bytes are never below 0x40, so a
// '|' (0x7C) byte can be the second half of a character; such a byte is stepped over.
static bool IsGbkLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

bool ParseLogLine(const std::string& line, LogRecord& record)
{
    std::string fields[5];
    int field = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        unsigned char c = (unsigned char)line[i];
        if (IsGbkLeadByte(c) && i + 1 < line.size()) {
            fields[field] += line.substr(i, 2);
            ++i;
            continue;
        }
        if (c == '|') {
            if (field == 4)
                break; // the message ends at a further separator
            ++field;
            continue;
        }
        fields[field] += (char)c;
    }
    if (field < 4)
        return false;
    record.level = std::atoi(fields[0].c_str());
    record.time = fields[1];
    record.name = fields[2];
    record.phone = fields[3];
    record.message = fields[4];
    return true;
}
