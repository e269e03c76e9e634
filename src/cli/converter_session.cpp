#include "cli/converter_session.h"

const CString& ConverterSession::Run(const CliCommand& command,
                                     std::optional<std::string_view> text)
{
    if (text)
        m_window.Type(command.inputField, CString(*text));
    m_window.Click(command.button);
    return m_window.Text(command.outputField);
}

ScriptLine ParseScriptLine(std::string_view line)
{
    ScriptLine parsed{nullptr, line, std::nullopt};
    if (const auto space = line.find(' '); space != std::string_view::npos) {
        parsed.name = line.substr(0, space);
        parsed.text = line.substr(space + 1);
    }
    parsed.command = FindCliCommand(parsed.name);
    return parsed;
}
