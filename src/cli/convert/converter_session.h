// One converter dialog on the headless back end, driven command by command
// exactly as a user drives the window: type into a field, click a button.
#pragma once

#include "backend/headless/dialog_host.h"
#include "cli/convert/conversion.h"
#include "cli/options/cli_options.h"
#include "core/converter_dlg.h"

#include <optional>
#include <string>
#include <string_view>

class ConverterSession {
public:
    ConverterSession() : m_window(m_dlg) {}

    // Types `text` (bytes as they stand) into the input field of
    // `conversion`'s button (cli/convert/conversion.h) when given, then
    // clicks the button. Returns the text of the field the command
    // wrote, valid until the next call.
    const CString& Run(Conversion conversion, std::optional<std::string_view> text);

    // Run with `options`: the dialog reads the text as always (the 16-bit
    // types through "32 bit float"), then the order and type make the value
    // from its byte store, which the value field then shows at six decimals,
    // so a pressure command converts it next. Zero bytes in a hex text are
    // passed over, as a column passes over them. Returns the value as
    // `options` write it. A value command only (not encode or inspect).
    std::string RunWith(Conversion conversion, const CliOptions& options,
                        std::optional<std::string_view> text);

private:
    CConverterDlg m_dlg;
    CHeadlessDialog m_window;
};
