#pragma once
// The programs' texts are in the GBK code page (936), whatever the system's ANSI code page;
// form descriptions are UTF-8.
#include <string>

constexpr unsigned ProgramCodePage = 936;

std::string Utf8ToGbk(const std::string& text);
std::string GbkToUtf8(const std::string& text);
std::wstring GbkToWide(const std::string& text);
std::string WideToGbk(const std::wstring& text);
