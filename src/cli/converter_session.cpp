#include "cli/converter_session.h"

#include "cli/value_text.h"
#include "core/byte_order.h"
#include "core/number_reader.h"
#include "core/pressure.h"
#include "core/render.h"

#include <algorithm>

const CString& ConverterSession::Run(const CliCommand& command,
                                     std::optional<std::string_view> text)
{
    if (text)
        m_window.Type(command.inputField, CString(*text));
    m_window.Click(command.button);
    return m_window.Text(command.outputField);
}

std::string ConverterSession::RunWith(const CliCommand& command, const CliOptions& options,
                                      std::optional<std::string_view> text)
{
    const CString& shown = Run(command, text);
    if (options.IsDialogPath(command.conversion))
        return std::string(shown.Bytes());
    if ((command.kind & kPressureCommand) != 0) {
        const double kpa = ReadNumber(m_window.Text(IDC_VALUE_TEXT));
        return ValueText(command.conversion == Conversion::Psi ? KpaToPsi(kpa) : KpaToMetres(kpa),
                         options);
    }
    const FloatType type = ValueTypeOf(command.conversion);
    const std::uint64_t bits = BitsFromBytes(m_dlg.m_textBytes, ByteSizeOf(type), options.order);
    char fixed[kFixed6MaxLength];
    m_window.Type(IDC_VALUE_TEXT,
                  CString(std::string_view(fixed, RenderFixed6(DecodeBits(type, bits), fixed))));
    return ValueText(type, bits, options);
}

ScriptLine ParseScriptLine(std::string_view line)
{
    const std::size_t start = std::min(line.find_first_not_of(" \t"), line.size());
    const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
    ScriptLine parsed{nullptr, line.substr(start, end - start), std::nullopt};
    if (end < line.size()) {
        const std::size_t text = std::min(line.find_first_not_of(" \t", end), line.size());
        // One blank after the command always goes, so "psi " types an empty text.
        parsed.text = line.substr(std::max(text, end + 1));
    }
    parsed.command = FindCliCommand(parsed.name);
    return parsed;
}
