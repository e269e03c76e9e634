// A value written in the format the options ask for.
#pragma once

#include "cli/cli_options.h"
#include "core/float_type.h"

#include <cstdint>
#include <string>

// The longest text ValueText writes: the exact form of the smallest
// subnormal double has 767 significant digits after "0." and its zeros.
inline constexpr std::size_t kMaxValueText = 1100;

// The value of pattern `bits` of `type` in `options`' format: fixed with its
// digits (six: exactly the dialog's "%f"), shortest, exact or hex.
std::string ValueText(FloatType type, std::uint64_t bits, const CliOptions& options);

// A double result (a pressure) in `options`' format.
std::string ValueText(double value, const CliOptions& options);
