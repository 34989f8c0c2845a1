#include "SkinReadBox.h"

#include "components/TApplication.h"

void ShowSkinReaderBox(const std::string& text) {
    if (Application) {
        Application->MessageBox(text, Application->Title(), MB_OK);
    } else {
        MessageBoxA(GetActiveWindow(), text.c_str(), "", MB_OK);
    }
}
