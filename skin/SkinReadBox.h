#pragma once
// What the package reader tells the user, in the program's own message box.
#include <string>

// A message box with an OK button and no icon, captioned with the application's title.
void ShowSkinReaderBox(const std::string& text);
