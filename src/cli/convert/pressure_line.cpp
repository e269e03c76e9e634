#include "cli/convert/pressure_line.h"

#include "cli/input/block_reader.h"
#include "cli/input/line_runner.h"
#include "cli/input/run_status.h"
#include "cli/options/parse_options.h"
#include "cli/output/printable.h"
#include "cli/output/value_text.h"
#include "core/depth.h"
#include "core/pressure.h"
#include "core/pressure_units.h"

#include <cmath>
#include <vector>

std::string PressureUnitNames()
{
    std::string names;
    for (const PressureUnit unit : ALL_PRESSURE_UNITS)
        names += (names.empty() ? "" : " ") + std::string(PressureUnitName(unit));
    return names;
}

bool PressureCommand::Setup(Conversion conversion, const CliOptions& options,
                            std::span<const std::string_view> units, std::string& error)
{
    m_conversion = conversion;
    m_options = options;
    if (conversion == Conversion::Pressure) {
        if (units.size() != 2) {
            error = "pressure takes VALUE FROM TO (see tarvel-cli pressure --help)";
            return false;
        }
        for (std::size_t k = 0; k < 2; ++k) {
            const auto unit = ParsePressureUnit(units[k]);
            if (!unit && k == 0 && ReadStrictNumber(units[0])) { // "pressure 1 atm"
                error = "pressure takes VALUE FROM TO, not only VALUE and '" + Printable(units[1]) +
                        "' (see tarvel-cli pressure --help)";
                return false;
            }
            if (!unit) {
                error = "unknown unit '" + Printable(units[k]) + "' (" + PressureUnitNames() + ")";
                return false;
            }
            (k == 0 ? m_from : m_to) = *unit;
        }
        return true;
    }
    if (options.model == DepthModel::Unesco && !options.latitude) {
        error = "--model unesco needs --latitude";
        return false;
    }
    // Unless told otherwise, what the dialog assumes: 14.50377 psi at the
    // surface, seawater of 1026 kg/m^3, standard gravity.
    m_surface = options.surface.value_or(DIALOG_SURFACE_KPA);
    m_density = options.density.value_or(DIALOG_SEAWATER_DENSITY);
    m_gravity = options.gravity.value_or(options.latitude ? GravityAtLatitude(*options.latitude)
                                                          : STANDARD_GRAVITY);
    return true;
}

bool PressureCommand::Line(std::string_view text, std::string& result, std::string& error) const
{
    // Our own commands answer a pressure or a depth, which an infinity or a
    // NaN is not (psi and metres, the dialog's buttons, keep its answers).
    const auto value = ReadStrictNumber(text);
    if (!value || !std::isfinite(*value)) {
        error = (value ? "not a finite number: '" : "not a number: '") + Printable(text) + "'";
        return false;
    }
    const double x = *value;
    double y = 0;
    const bool depth = m_conversion == Conversion::Depth;
    switch (m_conversion == Conversion::Pressure ? DepthModel::Dialog : m_options.model) {
    case DepthModel::Dialog:
        if (m_conversion == Conversion::Pressure)
            y = ConvertPressure(x, m_from, m_to);
        else // the dialog's rule, and its exact inverse
            y = depth ? KpaToMetres(x) : MetresToKpa(x);
        break;
    case DepthModel::Physical:
        y = depth ? PhysicalDepth(x, m_surface, m_density, m_gravity)
                  : PhysicalPressure(x, m_surface, m_density, m_gravity);
        break;
    case DepthModel::Unesco: // decibars above the surface; 1 dbar is 10 kPa
        y = depth ? UnescoDepth((x - m_surface) / 10, *m_options.latitude)
                  : m_surface + 10 * UnescoPressure(x, *m_options.latitude);
        break;
    }
    if (depth && m_options.model == DepthModel::Unesco &&
        (x - m_surface) / 10 > UnescoGreatestDbar(*m_options.latitude)) {
        error = "no depth for '" + Printable(text) +
                "': beyond the greatest depth of the UNESCO formula";
        return false;
    }
    // Every answer is finite: the UNESCO formula has a greatest depth, and a
    // huge pressure or depth overflows in any model or unit.
    if (!std::isfinite(y)) {
        const bool unesco =
            m_conversion != Conversion::Pressure && m_options.model == DepthModel::Unesco;
        error = std::string(depth ? "no depth" : "no pressure") + " for '" + Printable(text) +
                "': " +
                (unesco ? (depth ? "outside" : "beyond the greatest depth of") +
                              std::string(" the UNESCO formula")
                        : "the result is not finite");
        return false;
    }
    result = ValueText(y, m_options);
    return true;
}

int RunPressureCommand(Conversion conversion, std::string_view name, const CliOptions& options,
                       std::span<const std::string_view> words, const CliStreams& io)
{
    const bool units = conversion == Conversion::Pressure;
    const bool column = units ? words.size() == 2 : words.empty();
    if (options.field && !column)
        return UsageError(io, "--field reads standard input, not TEXT");
    // pressure: VALUE FROM TO, or FROM TO for a column.
    const auto unitWords = !units   ? words.first(0)
                           : column ? words
                                    : words.subspan(std::min<std::size_t>(1, words.size()));
    PressureCommand run;
    std::string error;
    if (!run.Setup(conversion, options, unitWords, error))
        return UsageError(io, error);
    std::string result;
    if (!column) {
        if (!run.Line(JoinWords(units ? words.first(1) : words), result, error))
            return UsageError(io, error);
        return WriteOut(io, result + "\n");
    }
    PressureConverter converter(run, std::string(name));
    return RunLines(converter, LineShapeOf(options, ','), io);
}

bool PressureConverter::Convert(std::string_view text, ItemSink& items, std::string& error)
{
    if (!m_command.Line(text, m_result, error))
        return false;
    items.Add(m_result);
    return true;
}

bool PressureCommandLine(Conversion conversion, const CliOptions& options, std::string_view text,
                         std::string& result, std::string& error)
{
    const std::vector<std::string_view> words = SplitWords(text);
    const bool units = conversion == Conversion::Pressure;
    PressureCommand run;
    return run.Setup(conversion, options,
                     units ? std::span(words).subspan(1) : std::span(words).first(0), error) &&
           run.Line(units ? words.front() : text, result, error);
}
