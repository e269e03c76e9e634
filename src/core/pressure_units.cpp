#include "core/pressure_units.h"
#include "core/text_chars.h"

#include <cstddef>
#include <iterator>

namespace {

struct UnitEntry {
    PressureUnit unit;
    std::string_view name;
    double pascals;
    std::string_view source;
};

// Indexed by the enumerator. Each factor is written with enough digits to
// round once, correctly, from its exact definition; each source's leading
// number is that definition to at most 17 digits, which reads back as the
// same double.
constexpr UnitEntry kUnits[] = {
    {PressureUnit::Pa, "Pa", 1.0, "1 Pa: pascal, 1 N/m^2"},
    {PressureUnit::HPa, "hPa", 100.0, "100 Pa: hectopascal"},
    {PressureUnit::KPa, "kPa", 1000.0, "1000 Pa: kilopascal"},
    {PressureUnit::MPa, "MPa", 1.0e6, "1000000 Pa: megapascal"},
    {PressureUnit::Bar, "bar", 1.0e5, "100000 Pa: bar, by definition"},
    {PressureUnit::MBar, "mbar", 100.0, "100 Pa: millibar, 0.001 bar"},
    // 0.45359237 * 9.80665 / 0.0254^2 = 6894.757293168361336722...
    {PressureUnit::Psi, "psi", 6894.7572931683613367227,
     "6894.7572931683613 Pa: pound-force per square inch, "
     "0.45359237 kg x 9.80665 m/s^2 / (0.0254 m)^2"},
    {PressureUnit::Atm, "atm", 101325.0, "101325 Pa: standard atmosphere, by definition"},
    // 101325 / 760 = 133.322368421052631578...
    {PressureUnit::Torr, "Torr", 133.32236842105263157895,
     "133.32236842105263 Pa: torr, 101325 Pa / 760"},
    {PressureUnit::MmHg, "mmHg", 133.322387415,
     "133.322387415 Pa: conventional millimetre of mercury, "
     "13595.1 kg/m^3 x 9.80665 m/s^2 x 0.001 m"},
    // 25.4 conventional mmHg exactly, rather than the 3386.389 Pa that tables
    // round it to, so that 1 inHg is 25.4 mmHg here too.
    {PressureUnit::InHg, "inHg", 3386.388640341,
     "3386.388640341 Pa: conventional inch of mercury, 25.4 mmHg"},
    {PressureUnit::MH2O, "mH2O", 9806.65,
     "9806.65 Pa: conventional metre of water, 1000 kg/m^3 x 9.80665 m/s^2 x 1 m"},
    {PressureUnit::Msw, "msw", 10000.0,
     "10000 Pa: metre of seawater as diving tables use it, 0.1 bar"},
};

constexpr bool IndexedByUnit()
{
    for (std::size_t i = 0; i < std::size(kUnits); ++i) {
        if (static_cast<std::size_t>(kUnits[i].unit) != i)
            return false;
    }
    return std::size(kUnits) == ALL_PRESSURE_UNITS.size();
}
static_assert(IndexedByUnit());

const UnitEntry& EntryOf(PressureUnit unit)
{
    return kUnits[static_cast<std::size_t>(unit)];
}

} // namespace

std::optional<PressureUnit> ParsePressureUnit(std::string_view name)
{
    for (const UnitEntry& entry : kUnits) {
        if (name == entry.name)
            return entry.unit;
    }
    // Correct symbols of units not offered: reading them as MPa or mbar would
    // be off by a factor of 1e9.
    if (name == "mPa" || name == "Mbar")
        return std::nullopt;
    for (const UnitEntry& entry : kUnits) {
        if (text_chars::EqualIgnoringCase(name, entry.name))
            return entry.unit;
    }
    return std::nullopt;
}

std::string_view PressureUnitName(PressureUnit unit)
{
    return EntryOf(unit).name;
}

std::string_view PressureUnitSource(PressureUnit unit)
{
    return EntryOf(unit).source;
}

double PressureUnitPascals(PressureUnit unit)
{
    return EntryOf(unit).pascals;
}

double ConvertPressure(double value, PressureUnit from, PressureUnit to)
{
    if (from == to)
        return value;
    return value * PressureUnitPascals(from) / PressureUnitPascals(to);
}
