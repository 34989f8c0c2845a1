// The time to load the console's skin into its main form: the skin data component reading its
// package (unpacking, the index, the description, every picture and the derived ones), alone
// and as part of reading the whole main form, against the same form without a skin.
//   skinloadbench [--rounds N]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SettingsFile.h"
#include "components/TApplication.h"
#include "components/TButton.h"
#include "fmMain.h"
#include "unitCustomDialogs.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The median of the rounds, in milliseconds.
double MedianMs(int rounds, const std::function<void()>& round) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double start = Now();
        round();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

BOOL CALLBACK ClickYes(HWND window, LPARAM) {
    auto* box = dynamic_cast<TMessageForm*>(TControl::FindControl(window));
    if (!box || !IsWindowVisible(window)) return TRUE;
    if (auto* yes = dynamic_cast<TButton*>(box->FindComponent("Yes"))) SendMessageA(yes->Handle(), BM_CLICK, 0, 0);
    return FALSE;
}

// Answers the protocol question that each new main form asks.
void CALLBACK AnswerUdp(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), ClickYes, 0); }

std::string MainFormText() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(instance, "TForm1", MAKEINTRESOURCEA(10));
    const char* data = static_cast<const char*>(LockResource(LoadResource(instance, resource)));
    return std::string(data, SizeofResource(instance, resource));
}

std::string WithoutSkin(std::string text) {
    const std::size_t start = text.find("SkinStream = <");
    return text.replace(start, text.find('>', start) + 1 - start, "SkinStream = < 00000000 >");
}

// Reads the main form from the text, then frees it; the protocol question is answered meanwhile.
void ReadMainForm(const std::string& text) {
    auto form = std::make_unique<TForm1>(nullptr);
    Form1 = form.get();
    form->ReadFormText(text, "TForm1");
    Form1 = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 50;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[i + 1]));
    Application->Initialize();
    Application->SetTitle("SABLINK");
    WriteStartMode(StartManual);
    const UINT_PTR answering = SetTimer(nullptr, 0, 10, AnswerUdp);

    const std::string withSkin = MainFormText();
    const std::string withoutSkin = WithoutSkin(withSkin);
    auto form = std::make_unique<TForm1>(nullptr);
    Form1 = form.get();
    form->ReadFormText(withSkin, "TForm1");
    TSkinData* skin = form->SkinData1;
    const long long packageBytes = skin->SkinStream().Size();
    std::printf("skinloadbench: the console's skin package, %lld bytes, %zu skin objects; median of %d rounds\n",
                packageBytes, skin->Objects.All().size(), rounds);

    const double loadMs = MedianMs(rounds, [skin] { skin->LoadSkin(); });
    std::printf("  LoadSkin (unpack, index, description, pictures, derived pictures): %8.2f ms\n", loadMs);

    // The same skin with 20,000 more title-button sections: its sections are found by name as
    // fast as in the small description, and the buttons past the few kept are not read.
    TMemoryStream& stream = skin->SkinStream();
    stream.LoadFromFile(std::string("Z:") + SKIN_VARIANTS_DIR + "/manysections.skn");
    const double manyMs = MedianMs(std::max(1, rounds / 10), [skin] { skin->LoadSkin(); });
    std::printf("  LoadSkin with 20,000 title-button sections (%lld bytes):       %8.2f ms\n",
                static_cast<long long>(stream.Size()), manyMs);
    form.reset();
    Form1 = nullptr;

    // The form with its question answered from a timer: its own time includes waiting for the
    // timer, the same with and without a skin.
    const double formMs = MedianMs(rounds, [&] { ReadMainForm(withSkin); });
    const double bareMs = MedianMs(rounds, [&] { ReadMainForm(withoutSkin); });
    std::printf("  main form read with its skin:                                    %8.2f ms\n", formMs);
    std::printf("  main form read without a skin:                                   %8.2f ms\n", bareMs);
    std::printf("  the skin's share of reading the main form:                       %8.2f ms\n", formMs - bareMs);
    KillTimer(nullptr, answering);
    return 0;
}
