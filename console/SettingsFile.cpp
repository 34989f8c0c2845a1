#include "SettingsFile.h"

#include <windows.h>

namespace {

const char Section[] = "SYSTEM";
const char StartTypeKey[] = "m_iStartType";

std::string ProgramPath() {
    char path[MAX_PATH] = {0};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length < sizeof path ? length : 0);
}

}  // namespace

std::string ProgramFolder() {
    const std::string path = ProgramPath();
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string SettingsFilePath() {
    const std::string path = ProgramPath();
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("\\/");
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + ".ini";
}

int ReadStartMode() {
    const UINT mode = GetPrivateProfileIntA(Section, StartTypeKey, StartAutomatic, SettingsFilePath().c_str());
    return mode == StartManual ? StartManual : StartAutomatic;
}

bool WriteStartMode(int mode) {
    const char* value = mode == StartManual ? "2" : "1";
    return WritePrivateProfileStringA(Section, StartTypeKey, value, SettingsFilePath().c_str()) != FALSE;
}
