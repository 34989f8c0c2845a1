// Sablink, the data-centre console. verrin.dll is bound at load time: without it the program
// stops before any window exists.
#include <windows.h>

#include "components/TApplication.h"
#include "fmMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application->Initialize();
    Application->SetTitle("SABLINK");
    Application->CreateForm(Form1);
    Application->Run();
    return 0;
}
