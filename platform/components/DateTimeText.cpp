#include "components/DateTimeText.h"

std::string DateTimeToStr(const SYSTEMTIME& time) {
    char date[128] = {0};
    char clock[128] = {0};
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date)) date[0] = 0;
    if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock)) clock[0] = 0;
    return std::string(date) + " " + clock;
}
