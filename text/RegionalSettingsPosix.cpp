// The user's regional settings on POSIX systems: the process locale (LANG, LC_NUMERIC,
// LC_TIME), as the C++ library reads it.
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

#include "FormatSettings.h"

TFormatSettings TFormatSettings::FromProcessLocale() {
    TFormatSettings fs;
    std::locale loc = std::locale::classic();
    try {
        loc = std::locale("");
    } catch (const std::exception&) {
        // An unknown LANG: the classic locale stands in.
    }
    fs.DecimalSeparator = char16_t(std::use_facet<std::numpunct<char>>(loc).decimal_point());
    switch (std::use_facet<std::time_get<char>>(loc).date_order()) {
        case std::time_base::mdy:
            fs.ShortDateFormat = u"mm/dd/yyyy";
            break;
        case std::time_base::ymd:
            fs.ShortDateFormat = u"yyyy/mm/dd";
            break;
        default:
            fs.ShortDateFormat = u"dd/mm/yyyy";
            break;
    }
    // The separator is the first non-digit of the locale's own date text.
    std::tm tm{};
    tm.tm_year = 120, tm.tm_mon = 10, tm.tm_mday = 22;
    std::ostringstream os;
    os.imbue(loc);
    os << std::put_time(&tm, "%x");
    for (char c : os.str()) {
        if (c < '0' || c > '9') {
            fs.DateSeparator = char16_t(static_cast<unsigned char>(c));
            break;
        }
    }
    return fs;
}
