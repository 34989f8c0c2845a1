#include "SkinWindowSupport.h"

#include <map>

#include "GuiTestSupport.h"
#include "SkinMessages.h"
#include "components/TTimer.h"

TSkinData* TestSkin() {
    static const TSkinForm holder = ReadSkinForm(FileBytes(SkinPackagePath()));
    return holder.Skin;
}

void SkinWindowTest::SetUp() {
    PrepareApplication();
    TestSkin();
    ASSERT_NE(SkinManager, nullptr);
    ASSERT_NE(SkinManager->HookHandle, nullptr);
    SkinManager->Timer->SetEnabled(false);
    SkinManager->ActionSkinData = nullptr;
    SkinManager->RunState = rsRunning;
    SkinManager->Active = true;
    SkinManager->PurgeDeadForms();
    ASSERT_TRUE(SkinManager->Forms().empty()) << "a window of an earlier test is still skinned";
}

void SkinWindowTest::TearDown() {
    PumpMessages(20);
    SkinManager->PurgeDeadForms();
}

TWinSkinForm* SkinOf(HWND window) { return SkinManager ? SkinManager->FindForm(window) : nullptr; }

bool WaitSkinned(HWND window, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 10) {
        TWinSkinForm* skin = SkinOf(window);
        if (skin && skin->Started && SendMessageA(window, WM_SKINQUERY, 0, 0) == 1) return true;
        PumpMessages(10);
    }
    return false;
}

std::unique_ptr<TForm> ShowForm(const std::function<void(TForm&)>& setUp) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    if (setUp) setUp(*form);
    form->Show();
    SetForegroundWindow(form->Handle());
    EXPECT_TRUE(WaitSkinned(form->Handle()));
    return form;
}

namespace {

std::map<HWND, std::map<UINT, int>>& Counts() {
    static std::map<HWND, std::map<UINT, int>> counts;
    return counts;
}

LRESULT CALLBACK CountingProcA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++Counts()[window][msg];
    return DefWindowProcA(window, msg, wParam, lParam);
}

LRESULT CALLBACK CountingProcW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++Counts()[window][msg];
    return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

int TRawWindow::Count(UINT msg) const {
    const auto window = Counts().find(Handle);
    if (window == Counts().end()) return 0;
    const auto count = window->second.find(msg);
    return count == window->second.end() ? 0 : count->second;
}

TRawWindow::~TRawWindow() {
    if (IsWindow(Handle)) DestroyWindow(Handle);
    Counts().erase(Handle);
}

std::unique_ptr<TRawWindow> CreateRawWindow(const std::string& className, bool unicode, HINSTANCE instance) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    auto window = std::make_unique<TRawWindow>();
    const DWORD style = WS_OVERLAPPEDWINDOW;
    if (unicode) {
        const std::wstring name(className.begin(), className.end());
        WNDCLASSW wc{};
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = CountingProcW;
        wc.hInstance = module;
        wc.lpszClassName = name.c_str();
        RegisterClassW(&wc);
        window->Handle = CreateWindowExW(0, name.c_str(), L"", style, 120, 120, 260, 180, nullptr, nullptr,
                                         instance ? instance : module, nullptr);
    } else {
        WNDCLASSA wc{};
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = CountingProcA;
        wc.hInstance = module;
        wc.lpszClassName = className.c_str();
        RegisterClassA(&wc);
        window->Handle = CreateWindowExA(0, className.c_str(), "", style, 120, 120, 260, 180, nullptr, nullptr,
                                         instance ? instance : module, nullptr);
    }
    return window;
}

void Activate(HWND window) {
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    PumpMessages(20);
}

std::unique_ptr<TBitmap> PaintFrame(HWND window) {
    const SIZE size = WindowSize(window);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(size.cx, size.cy);
    bitmap->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(Untouched.R, Untouched.G, Untouched.B)));
    bitmap->Canvas()->FillRect(TRect{0, 0, size.cx, size.cy});
    const LRESULT answer = SendMessageA(window, WM_SKINPAINTFRAMETO, reinterpret_cast<WPARAM>(bitmap->Canvas()->Handle()), SkinAnswerKey);
    EXPECT_EQ(answer, SkinAnswerKey);
    return bitmap;
}

SIZE WindowSize(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}
