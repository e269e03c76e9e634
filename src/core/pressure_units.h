// Pressure units, each defined by its exact factor in pascals.
#pragma once

#include <array>
#include <optional>
#include <string_view>

// Conventional mmHg and inHg are the manometric units (mercury at 13595.1
// kg/m^3 under standard gravity), not Torr; msw is the 10 kPa of diving tables.
enum class PressureUnit { Pa, HPa, KPa, MPa, Bar, MBar, Psi, Atm, Torr, MmHg, InHg, MH2O, Msw };

// Every unit, in the order a listing shows them.
inline constexpr std::array<PressureUnit, 13> ALL_PRESSURE_UNITS = {
    PressureUnit::Pa,   PressureUnit::HPa,  PressureUnit::KPa,  PressureUnit::MPa,
    PressureUnit::Bar,  PressureUnit::MBar, PressureUnit::Psi,  PressureUnit::Atm,
    PressureUnit::Torr, PressureUnit::MmHg, PressureUnit::InHg, PressureUnit::MH2O,
    PressureUnit::Msw};

// The unit `name` stands for: Pa hPa kPa MPa bar mbar psi atm Torr mmHg inHg
// mH2O msw as written, or in any other case ("pa", "mpa", "MBAR"), since no
// two of these names differ only in case; except "mPa" (millipascal) and
// "Mbar" (megabar), which are correct symbols of other units. No spaces are
// trimmed; anything else is nullopt.
std::optional<PressureUnit> ParsePressureUnit(std::string_view name);

// The unit's symbol, as ParsePressureUnit takes it exactly: "Pa" ... "msw".
std::string_view PressureUnitName(PressureUnit unit);

// One line for a listing: the factor in pascals as the leading number (it
// reads back as exactly PressureUnitPascals), then what defines it, e.g.
// "6894.7572931683613 Pa: pound-force per square inch, 0.45359237 kg x
// 9.80665 m/s^2 / (0.0254 m)^2". Plain ASCII, no line break.
std::string_view PressureUnitSource(PressureUnit unit);

// Pascals in one `unit`: the defining value rounded once to double (exact for
// Pa hPa kPa MPa bar mbar atm msw; psi, Torr, mmHg, inHg and mH2O round).
double PressureUnitPascals(PressureUnit unit);

// `value` in `from` expressed in `to`: value * PressureUnitPascals(from) /
// PressureUnitPascals(to), multiplied first, two roundings on top of the
// factors' own (a relative error of a few times 1e-16). from == to returns
// `value` untouched. Infinities and NaNs pass through; the product overflows
// to infinity for a finite |value| within a factor of 1e6 of the double range.
double ConvertPressure(double value, PressureUnit from, PressureUnit to);
