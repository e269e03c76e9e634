// The dialog's two pressure conversions, from kilopascals, and the inverse
// of its head.
#pragma once

// psi per kilopascal.
inline constexpr double KPA_TO_PSI = 0.1450377438972831;
// psi subtracted before converting to metres: 100 kPa in psi, cut to seven
// significant digits (deliberately not 100 * KPA_TO_PSI).
inline constexpr double PSI_OFFSET = 14.50377;
// Metres of seawater head (1026 kg/m^3) per psi.
inline constexpr double METRES_PER_PSI = 0.68525;

// kpa * KPA_TO_PSI, one rounding. Infinities and NaNs pass through.
double KpaToPsi(double kpa);

// (kpa * KPA_TO_PSI - PSI_OFFSET) * METRES_PER_PSI: three operations, each
// rounded to double (never fused), in exactly this order. Not clamped:
// negative below about 99.99997 kPa.
double KpaToMetres(double kpa);

// The inverse of KpaToMetres: (metres / METRES_PER_PSI + PSI_OFFSET) /
// KPA_TO_PSI, each operation rounded to double in that order. Not clamped;
// infinities and NaNs pass through.
double MetresToKpa(double metres);
