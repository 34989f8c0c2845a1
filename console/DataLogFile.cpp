#include "DataLogFile.h"

#include <windows.h>

#include "DataLogFormat.h"

namespace {

constexpr int MaxNameAttempts = 1000;

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + "\\" + name;
}

}  // namespace

std::string CreateDataLogFile(const std::string& folder, const std::string& fileName) {
    for (int attempt = 0; attempt < MaxNameAttempts; ++attempt) {
        const std::string path = JoinPath(folder, DataLogAlternativeName(fileName, attempt));
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return path;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return std::string();
    }
    return std::string();
}

TLogAppendResult AppendToDataLog(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return TLogAppendResult::CannotOpen;
    DWORD written = 0;
    const bool ok = SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok ? TLogAppendResult::Written : TLogAppendResult::CannotWrite;
}
