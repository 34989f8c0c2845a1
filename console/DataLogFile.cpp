#include "DataLogFile.h"

#include <winternl.h>

#include "DataLogFormat.h"

namespace {

constexpr int MaxNameAttempts = 1000;

// The system's own record of an open file's size and names. GetFileInformationByHandle would tell
// the names too, but costs hundreds of microseconds on some systems, more than the record.
struct TFileStandardInformation {
    LARGE_INTEGER AllocationSize;
    LARGE_INTEGER EndOfFile;
    ULONG NumberOfLinks;
    BOOLEAN DeletePending;
    BOOLEAN Directory;
};
constexpr int FileStandardInformationClass = 5;
using TQueryInformationFile = LONG(NTAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, int);

TQueryInformationFile QueryInformationFile() {
    static const auto query = reinterpret_cast<TQueryInformationFile>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
    return query;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + "\\" + name;
}

}  // namespace

bool TDataLogFile::Open(const std::string& path, DWORD disposition) {
    Close();
    FFile = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FFile == INVALID_HANDLE_VALUE) return false;
    if (SetFilePointer(FFile, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        Close();
        return false;
    }
    FPath = path;
    return true;
}

void TDataLogFile::Close() {
    if (FFile != INVALID_HANDLE_VALUE) CloseHandle(FFile);
    FFile = INVALID_HANDLE_VALUE;
    FPath.clear();
}

std::string TDataLogFile::Create(const std::string& folder, const std::string& fileName) {
    Close();
    for (int attempt = 0; attempt < MaxNameAttempts; ++attempt) {
        const std::string path = JoinPath(folder, DataLogAlternativeName(fileName, attempt));
        if (Open(path, CREATE_NEW)) return path;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return std::string();
    }
    return std::string();
}

// A file whose last name was removed (or is to be) takes what is written with it when it is
// closed. When the system cannot tell, the file is taken as it is.
bool TDataLogFile::StillNamed() const {
    const TQueryInformationFile query = QueryInformationFile();
    if (!query) return true;
    TFileStandardInformation info{};
    IO_STATUS_BLOCK status{};
    if (query(FFile, &status, &info, sizeof info, FileStandardInformationClass) < 0) return true;
    return info.NumberOfLinks > 0 && !info.DeletePending;
}

TLogAppendResult TDataLogFile::Append(const std::string& path, const std::string& bytes) {
    if (!IsOpen() || FPath != path || !StillNamed()) {
        if (!Open(path, OPEN_ALWAYS)) return TLogAppendResult::CannotOpen;
    }
    DWORD written = 0;
    if (!WriteFile(FFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written != bytes.size())
        return TLogAppendResult::CannotWrite;
    return TLogAppendResult::Written;
}
