#include "number_reader.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

double ReadNumber(const char* text)
{
    // A locale object of our own: the process locale (which a toolkit may set
    // from the environment) never decides what the decimal point is.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text, nullptr, cLocale);
}
