#include "SkinText.h"

#include <vector>

#include "components/TControl.h"

namespace {

bool RunsOnWindowsNT() {
    static const bool nt = [] {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }();
    return nt;
}

std::string WideToAnsi(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr, nullptr);
    return result;
}

}  // namespace

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

std::wstring WideCopy(const wchar_t* text, int count) {
    if (!text) return std::wstring();
    if (count < 0) return std::wstring(text);
    // Never past the text's own end, should it be shorter than the count.
    std::size_t length = 0;
    while (length < static_cast<std::size_t>(count) && text[length] != L'\0') ++length;
    return std::wstring(text, length);
}

int DrawTextWide(HDC dc, const std::wstring& text, RECT& r, UINT format) {
    if (RunsOnWindowsNT()) return DrawTextW(dc, text.c_str(), -1, &r, format);
    const std::string ansi = WideToAnsi(text);
    return DrawTextA(dc, ansi.c_str(), -1, &r, format);
}

TControl* ControlFromHandle(HWND window) { return TControl::FindControl(window); }
