// The operation log: log.txt beside the program, one line per event (see LogLine.h). Every part
// of the tool writes to it; the log page reads it back.
#pragma once

#include "LogLine.h"

// Opens (or reopens) the log for appending; when it cannot be opened, logging is off until a
// later OpenLog succeeds.
void OpenLog();
// Writes one line and flushes it. The message is made from the format and its arguments; text
// from outside (an SMS, a file name) is passed as an argument ("%s"), never as the format.
void WriteLog(int level, const char* name, const char* phone, const char* format, ...)
    __attribute__((format(gnu_printf, 4, 5)));
void CloseLog();
// Empties the log: the file is deleted and a new one opened.
void ClearLog();
// The full path of log.txt.
const char* GetLogPath();
