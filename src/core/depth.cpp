#include "core/depth.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

double Radians(double degrees)
{
    return degrees * (std::numbers::pi / 180.0);
}

double SinSquared(double radians)
{
    const double s = std::sin(radians);
    return s * s;
}

// The UNESCO 1983 polynomial's pieces at `dbar`, and their slopes.
struct UnescoTerms {
    double head;      // ((((-1.82e-15 p + 2.279e-10) p - 2.2512e-5) p + 9.72659) p)
    double headSlope; // its derivative in p
    double gravity;   // 9.780318 (1 + (5.2788e-3 + 2.36e-5 x) x) + 1.092e-6 p
};

constexpr double kGravityPerDbar = 1.092e-6;

UnescoTerms Unesco(double dbar, double latitudeDegrees)
{
    const double p = dbar;
    const double x = SinSquared(Radians(latitudeDegrees));
    UnescoTerms terms{};
    terms.head = (((-1.82e-15 * p + 2.279e-10) * p - 2.2512e-5) * p + 9.72659) * p;
    terms.headSlope = ((4.0 * -1.82e-15 * p + 3.0 * 2.279e-10) * p - 2.0 * 2.2512e-5) * p + 9.72659;
    terms.gravity = 9.780318 * (1.0 + (5.2788e-3 + 2.36e-5 * x) * x) + kGravityPerDbar * p;
    return terms;
}

} // namespace

double GravityAtLatitude(double degrees)
{
    const double phi = Radians(degrees);
    return 9.780327 * (1.0 + 0.0053024 * SinSquared(phi) - 0.0000058 * SinSquared(2.0 * phi));
}

double PhysicalDepth(double kpa, double surfaceKpa, double density, double gravity)
{
    return (kpa - surfaceKpa) * 1000.0 / (density * gravity);
}

double PhysicalPressure(double metres, double surfaceKpa, double density, double gravity)
{
    return metres * density * gravity / 1000.0 + surfaceKpa;
}

double UnescoDepth(double dbar, double latitudeDegrees)
{
    const UnescoTerms terms = Unesco(dbar, latitudeDegrees);
    return terms.head / terms.gravity;
}

// The slope of depth in dbar: the head's over gravity, less the head's share
// of gravity's own growth.
double UnescoSlope(const UnescoTerms& terms)
{
    return (terms.headSlope * terms.gravity - terms.head * kGravityPerDbar) /
           (terms.gravity * terms.gravity);
}

double UnescoGreatestDbar(double latitudeDegrees)
{
    // The slope falls from about 1 at 0 to below 0 before 200000 dbar at every
    // latitude; halving the bracket to the last bit finds where it crosses.
    double low = 0.0;
    double high = 200000.0;
    while (true) {
        const double middle = low + (high - low) / 2.0;
        if (middle <= low || middle >= high)
            return low;
        (UnescoSlope(Unesco(middle, latitudeDegrees)) > 0.0 ? low : high) = middle;
    }
}

double UnescoPressure(double metres, double latitudeDegrees)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    if (!std::isfinite(metres))
        return nan;
    // The tangent at 0 lies above the concave curve, so this start is at or
    // below the root and every Newton step moves up to it without passing it.
    const UnescoTerms atZero = Unesco(0.0, latitudeDegrees);
    double p = metres * atZero.gravity / atZero.headSlope;
    // Quadratic convergence takes a handful of steps; the cap only stops a
    // depth the formula never reaches.
    for (int i = 0; i < 100; ++i) {
        const UnescoTerms terms = Unesco(p, latitudeDegrees);
        const double slope = UnescoSlope(terms);
        if (!(slope > 0.0)) // past the greatest depth
            return nan;
        const double step = (terms.head / terms.gravity - metres) / slope;
        p -= step;
        // A step of s leaves an error of about 2e-6 s^2 dbar: none, this small.
        if (std::abs(step) <= 1e-9 * (1.0 + std::abs(p)))
            return p;
    }
    return nan;
}
