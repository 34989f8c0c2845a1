#include "components/TextCodec.h"

#include "components/Win32.h"

static std::wstring ToWide(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

static std::string FromWide(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) return {};
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
    return text;
}

std::string Utf8ToGbk(const std::string& text) { return FromWide(ToWide(text, CP_UTF8), ProgramCodePage); }
std::string GbkToUtf8(const std::string& text) { return FromWide(ToWide(text, ProgramCodePage), CP_UTF8); }
std::wstring GbkToWide(const std::string& text) { return ToWide(text, ProgramCodePage); }
std::string WideToGbk(const std::wstring& text) { return FromWide(text, ProgramCodePage); }
