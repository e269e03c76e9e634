#include "core/pressure.h"

double KpaToPsi(double kpa)
{
    return kpa * KPA_TO_PSI;
}

double KpaToMetres(double kpa)
{
    // Three separately rounded operations; the build forbids fusing them
    // (-ffp-contract=off), which would change the sixth decimal for some inputs.
    const double psi = kpa * KPA_TO_PSI;
    const double gauge = psi - PSI_OFFSET;
    return gauge * METRES_PER_PSI;
}

double MetresToKpa(double metres)
{
    return (metres / METRES_PER_PSI + PSI_OFFSET) / KPA_TO_PSI;
}
