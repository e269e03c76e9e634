// Value reading with both pressure conversions, against the C library's own
// strtod and "%f" in the C locale. The input is the value text.
#include "core/pressure.h"
#include "fuzz/byte_provider.h"
#include "tests/dialog/converter_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = fuzz::ByteProvider(data, size).ConsumeRemainingString();
    const double kpa = std::strtod(text.c_str(), nullptr); // the fuzzer runs in the C locale
    char psi[400];
    char metres[400];
    std::snprintf(psi, sizeof psi, "%f", kpa * KPA_TO_PSI);
    const double gauge = kpa * KPA_TO_PSI - PSI_OFFSET;
    std::snprintf(metres, sizeof metres, "%f", gauge * METRES_PER_PSI);

    Converter converter;
    converter.window.Type(IDC_VALUE_TEXT, CString(text));
    converter.window.Click(IDC_KPA_TO_PSI);
    if (std::strcmp(converter.window.Text(IDC_RESULT_TEXT), psi) != 0)
        std::abort();
    converter.window.Click(IDC_KPA_TO_METRES);
    if (std::strcmp(converter.window.Text(IDC_RESULT_TEXT), metres) != 0)
        std::abort();
    return 0;
}
