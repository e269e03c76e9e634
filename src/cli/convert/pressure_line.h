// What pressure, depth and pressure-at compute, line by line: our own
// conversions, which read a number strictly (a text that is not one is an
// error, unlike the dialog's 0).
#pragma once

#include "cli/convert/conversion.h"
#include "cli/input/text_converter.h"
#include "cli/options/cli_options.h"
#include "cli/output/std_streams.h"
#include "core/pressure_units.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class PressureCommand {
public:
    // Settles the model, surface, density, gravity and, for `pressure`, the
    // units FROM and TO (`units`, two words). False with `error` set for a
    // missing latitude, a bad unit or a wrong number of words.
    bool Setup(Conversion conversion, const CliOptions& options,
               std::span<const std::string_view> units, std::string& error);
    // The result for one VALUE, in the options' format; false with `error`
    // for a text that is not a number.
    bool Line(std::string_view text, std::string& result, std::string& error) const;

private:
    Conversion m_conversion = Conversion::Pressure;
    CliOptions m_options;
    double m_surface = 0;
    double m_density = 0;
    double m_gravity = 0;
    PressureUnit m_from = PressureUnit::KPa; // for `pressure`
    PressureUnit m_to = PressureUnit::KPa;
};

// One of the three as a TextConverter, for columns and fields of lines.
class PressureConverter : public TextConverter {
public:
    explicit PressureConverter(const PressureCommand& command, std::string name)
        : m_command(command), m_name(std::move(name))
    {
    }
    bool Convert(std::string_view text, ItemSink& items, std::string& error) override;
    std::vector<std::string> Names() const override { return {m_name}; }

private:
    const PressureCommand& m_command;
    std::string m_name;
    std::string m_result;
};

// Every unit's symbol, space-separated, as messages list them.
std::string PressureUnitNames();

// Runs one of the three, named `name`, with `words` after the options: the
// VALUE (and for `pressure` FROM and TO), or no VALUE to read one per line
// of the input.
int RunPressureCommand(Conversion conversion, std::string_view name, const CliOptions& options,
                       std::span<const std::string_view> words, const CliStreams& io);

// A session line's command and TEXT ("100 kPa psi" for `pressure`, the VALUE
// for the others): our own commands leave the dialog as it is. False with
// `error` set, as Setup and Line say.
bool PressureCommandLine(Conversion conversion, const CliOptions& options, std::string_view text,
                         std::string& result, std::string& error);
