#pragma once
// Where the console keeps what outlives it: the settings file Sablink.ini beside the program
// (section "SYSTEM", key "m_iStartType": 1 start the service when the window opens, 2 manual),
// and the program's folder, home of the data logs unless another folder is chosen.
#include <string>

constexpr int StartAutomatic = 1;
constexpr int StartManual = 2;

// The program's folder, without a final backslash.
std::string ProgramFolder();
// The program's path with ".ini" for its extension.
std::string SettingsFilePath();
// 1 or 2; a missing file or any other value counts as 1.
int ReadStartMode();
bool WriteStartMode(int mode);
