#pragma once
// The data log files on disk: made new under a name no other file has, appended to one record
// at a time (opened and closed for each, so the file is complete whenever the console stops).
#include <string>

// Makes a new, empty file in the folder under the name, or under the first free name beside
// it when the name is taken (never opening an existing file). The path made; empty when no
// file could be made.
std::string CreateDataLogFile(const std::string& folder, const std::string& fileName);

enum class TLogAppendResult { Written, CannotOpen, CannotWrite };
TLogAppendResult AppendToDataLog(const std::string& path, const std::string& bytes);
