#pragma once
// The current data log file, held open from its first record to the next roll: a record is
// written with one call and is on disk (in the system's cache, where every reader sees it) when
// the call returns. The file is shared for reading only, so it cannot be deleted from under the
// console while it writes; a file removed all the same (its last name gone) is made anew under
// its path at the next record, as an append to a closed file would.
#include <windows.h>

#include <string>

enum class TLogAppendResult { Written, CannotOpen, CannotWrite };

class TDataLogFile {
public:
    TDataLogFile() = default;
    ~TDataLogFile() { Close(); }
    TDataLogFile(const TDataLogFile&) = delete;
    TDataLogFile& operator=(const TDataLogFile&) = delete;

    // Makes a new, empty file in the folder under the name, or under the first free name beside
    // it when the name is taken (never opening an existing file), and holds it open in place of
    // the file before. The path made; empty when no file could be made.
    std::string Create(const std::string& folder, const std::string& fileName);
    // Appends the bytes to the file at the path: the one held open, or else the file opened
    // (made when missing) and then held.
    TLogAppendResult Append(const std::string& path, const std::string& bytes);
    void Close();
    bool IsOpen() const { return FFile != INVALID_HANDLE_VALUE; }

private:
    bool Open(const std::string& path, DWORD disposition);
    bool StillNamed() const;

    HANDLE FFile = INVALID_HANDLE_VALUE;
    std::string FPath;
};
