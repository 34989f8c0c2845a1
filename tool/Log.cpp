#include "Log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string>

namespace {

FILE* g_logFile = NULL;
const char g_logName[] = "log.txt";

std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder = path;
    size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

} // namespace

const char* GetLogPath()
{
    static const std::string path = ProgramFolder() + "\\" + g_logName;
    return path.c_str();
}

void OpenLog()
{
    CloseLog();
    g_logFile = std::fopen(GetLogPath(), "a+");
}

void CloseLog()
{
    if (g_logFile == NULL)
        return;
    std::fclose(g_logFile);
    g_logFile = NULL;
}

void ClearLog()
{
    CloseLog();
    ::DeleteFileA(GetLogPath());
    OpenLog();
}

void WriteLog(int level, const char* name, const char* phone, const char* format, ...)
{
    if (g_logFile == NULL)
        return;
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(NULL, 0, format, measure);
    va_end(measure);
    std::string message(length > 0 ? (size_t)length + 1 : 1, '\0');
    if (length > 0)
        std::vsnprintf(&message[0], message.size(), format, args);
    va_end(args);
    message.resize(length > 0 ? (size_t)length : 0);

    std::time_t now = std::time(NULL);
    std::tm local = *std::localtime(&now);
    std::string line = FormatLogLine(level, local, name, phone, message);
    std::fputs(line.c_str(), g_logFile);
    std::fflush(g_logFile);
}
