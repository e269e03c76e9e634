// The hex reader with both decoders, against the independent model and the C
// library's rendering of the bits the model reads. The input is the hex text.
#include "fuzz/byte_provider.h"
#include "tests/dialog/converter_fixture.h"
#include "tests/hex_reader_model.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = fuzz::ByteProvider(data, size).ConsumeRemainingString();
    Converter converter;
    model::Bytes bytes{};

    model::ReadHex(text, bytes);
    std::uint32_t bits32 = 0;
    for (std::size_t k = 0; k < 4; ++k)
        bits32 = (bits32 << 8) | bytes[k];
    char expected[400];
    std::snprintf(expected, sizeof expected, "%f",
                  static_cast<double>(std::bit_cast<float>(bits32)));
    converter.window.Type(IDC_HEX_TEXT, CString(text));
    converter.window.Click(IDC_TO_FLOAT);
    if (std::strcmp(converter.window.Text(IDC_VALUE_TEXT), expected) != 0)
        std::abort();

    // Again as a double: the same text reads the same bytes over the same store.
    model::ReadHex(text, bytes);
    std::uint64_t bits64 = 0;
    for (std::size_t k = 0; k < 8; ++k)
        bits64 = (bits64 << 8) | bytes[k];
    std::snprintf(expected, sizeof expected, "%f", std::bit_cast<double>(bits64));
    converter.window.Click(IDC_TO_DOUBLE);
    if (std::strcmp(converter.window.Text(IDC_VALUE_TEXT), expected) != 0)
        std::abort();
    return 0;
}
