#include "core/hex_pairs.h"
#include "core/ieee754.h"
#include "core/number_reader.h"
#include "core/pressure.h"
#include "tests/core/fixed6.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// Switches the whole process to a locale for one scope, as a toolkit that
// honours LANG would, and restores the previous one afterwards.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) : m_previous(std::setlocale(LC_ALL, nullptr))
    {
        m_active = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    bool Active() const { return m_active; }

private:
    std::string m_previous;
    bool m_active = false;
};

TEST(Locale, DecimalCommaLocaleChangesNothing)
{
    ScopedLocale german("de_DE.UTF-8");
    ASSERT_TRUE(german.Active()) << "de_DE.UTF-8 missing: run scripts/install-deps.sh";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5") << "the locale should write a decimal comma";

    std::uint8_t text[8] = {};
    std::uint8_t value[8] = {};
    ReadHexPairs("3FC00000", text);
    EXPECT_EQ(Fixed6(DecodeFloat(text, value)), "1.500000");
    EXPECT_EQ(Fixed6(KpaToPsi(ReadNumber("1.5"))), "0.217557");
    EXPECT_EQ(Fixed6(KpaToPsi(ReadNumber("1,5"))), "0.145038"); // the comma ends the number
}

} // namespace
