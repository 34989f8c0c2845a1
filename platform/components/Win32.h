#pragma once
// The Win32 headers, without the macros that would rename this library's own members
// (TCanvas::TextOut, TCanvas::DrawText, TApplication::MessageBox). Code here calls the A
// functions by their full names.
#include <windows.h>

#undef DrawText
#undef TextOut
#undef MessageBox
