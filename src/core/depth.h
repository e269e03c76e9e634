// Depth below a liquid's surface from pressure, and back: a uniform column,
// and the UNESCO 1983 seawater formula (Fofonoff and Millard, UNESCO technical
// papers in marine science 44).
#pragma once

#include "core/pressure.h"

// Standard gravity, m/s^2, by definition.
inline constexpr double STANDARD_GRAVITY = 9.80665;
// The surface pressure the dialog's KpaToMetres implies, in kPa: where its
// head is zero (about 99.99997, which is 100 kPa as the dialog rounds it).
inline constexpr double DIALOG_SURFACE_KPA = PSI_OFFSET / KPA_TO_PSI;
// The seawater density, kg/m^3, behind the dialog's METRES_PER_PSI.
inline constexpr double DIALOG_SEAWATER_DENSITY = 1026.0;

// Gravity in m/s^2 at geodetic latitude `degrees` on the reference
// ellipsoid, by the 1980 international formula
// 9.780327 (1 + 0.0053024 sin^2(phi) - 0.0000058 sin^2(2 phi)): 9.780327 at
// the equator, about 9.832186 at a pole. Any angle is taken (the sign does
// not matter, the formula simply repeats every 180 degrees); NaN passes.
double GravityAtLatitude(double degrees);

// Metres of a uniform liquid column of `density` kg/m^3 under `gravity`
// m/s^2 between `surfaceKpa` and `kpa`: (kpa - surfaceKpa) * 1000 /
// (density * gravity), each operation rounded to double. Below the surface
// pressure the result is negative; nothing is clamped or checked (a zero
// density or gravity gives an infinity or NaN).
double PhysicalDepth(double kpa, double surfaceKpa, double density, double gravity);

// The inverse, in kPa: metres * density * gravity / 1000 + surfaceKpa, each
// operation rounded, in that order. Negative metres give pressures below the
// surface's; nothing is checked.
double PhysicalPressure(double metres, double surfaceKpa, double density, double gravity);

// Depth in metres of seawater (35 PSU, 0 degrees C) at `dbar` decibars above
// the surface pressure and latitude `latitudeDegrees`, by the UNESCO 1983
// polynomial as published, evaluated in double in its Horner order: 10000
// dbar at 30 degrees gives 9712.653 m. Fitted for the oceans (0..10000 dbar);
// beyond that, and for negative dbar (below the surface pressure, giving a
// negative depth), the same polynomial is used unchanged. 0 gives 0;
// infinities give NaN; NaN passes.
double UnescoDepth(double dbar, double latitudeDegrees);

// Where UnescoDepth is greatest at `latitudeDegrees`: the decibars (about
// 127000) past which the polynomial turns back, so that no depth has a
// greater pressure. Found to the last bit by halving; finite latitudes only.
double UnescoGreatestDbar(double latitudeDegrees);

// The inverse: decibars whose UnescoDepth at `latitudeDegrees` is `metres`,
// found by Newton's method from below (the formula is increasing and concave
// there, so the steps never overshoot); UnescoDepth of the result is within
// about 1e-11 m of `metres` from -11000 to 11000 m. Defined up to the
// formula's greatest depth (near 127000 dbar: 86.8 km at a pole, 87.26 km at
// the equator); beyond it, for infinities and for NaN, the result is NaN.
double UnescoPressure(double metres, double latitudeDegrees);
