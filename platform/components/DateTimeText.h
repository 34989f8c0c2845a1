#pragma once
// A moment as the user's system writes it: its short date, a blank, its long time
// ("2009-1-6 10:20:30" under a simplified-Chinese locale).
#include "components/Win32.h"

#include <string>

std::string DateTimeToStr(const SYSTEMTIME& time);
