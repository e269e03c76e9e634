#include "cli/convert/converter_session.h"

#include "cli/output/value_text.h"
#include "core/byte_order.h"
#include "core/number_reader.h"
#include "core/pressure.h"
#include "core/render.h"

#include <algorithm>
#include <string>

const CString& ConverterSession::Run(Conversion conversion, std::optional<std::string_view> text)
{
    const DialogButton button = DialogButtonOf(conversion);
    if (text)
        m_window.Type(button.inputField, CString(*text));
    m_window.Click(button.button);
    return m_window.Text(button.outputField);
}

std::string ConverterSession::RunWith(Conversion conversion, const CliOptions& options,
                                      std::optional<std::string_view> text)
{
    // The field ends at a zero byte; hex reading passes over one as over any
    // other character that is not a hex digit, as a column does.
    std::string typed(text.value_or(""));
    if (!IsDialogPressure(conversion))
        std::replace(typed.begin(), typed.end(), '\0', ' ');
    const CString& shown =
        Run(conversion, text ? std::optional<std::string_view>(typed) : std::nullopt);
    if (IsDialogPath(conversion, options))
        return std::string(shown.Bytes());
    if (IsDialogPressure(conversion)) {
        const double kpa = ReadNumber(m_window.Text(IDC_VALUE_TEXT));
        return ValueText(conversion == Conversion::Psi ? KpaToPsi(kpa) : KpaToMetres(kpa), options);
    }
    const FloatType type = ValueTypeOf(conversion);
    const std::uint64_t bits = BitsFromBytes(m_dlg.m_textBytes, ByteSizeOf(type), options.order);
    char fixed[kFixed6MaxLength];
    m_window.Type(IDC_VALUE_TEXT,
                  CString(std::string_view(fixed, RenderFixed6(DecodeBits(type, bits), fixed))));
    return ValueText(type, bits, options);
}
