// depth KPA and pressure-at METRES: the dialog's "KPa to metres" rule or a
// physical model, with its conventions stated, and its inverse.
#include "cli/commands/depth.h"

#include "cli/commands/pressure.h"

namespace {

constexpr OptionUse kOptions[] = {
    {"--format"},  {"--digits"},  {"--field"}, {"--delimiter"}, {"--replace"},  {"--header"},
    {"--surface"}, {"--density"}, {"--fluid"}, {"--gravity"},   {"--latitude"}, {"--model"},
};

constexpr std::string_view kModels =
    "By default the dialog's \"KPa to metres\" rule, (kPa x 0.1450377438972831 -\n"
    "14.50377) x 0.68525: the surface at 14.50377 psi (1 bar, cut to seven digits;\n"
    "not 1 atm) and seawater of 1026 kg/m^3 under standard gravity 9.80665 m/s^2\n"
    "(0.68525 m per psi). --surface, --density or --fluid, --gravity or --latitude\n"
    "switch to depth = (P - P_surface) / (density x gravity), each value not given\n"
    "staying the dialog's. --model unesco --latitude DEG uses the UNESCO 1983\n"
    "seawater formula (Fofonoff and Millard, UNESCO technical papers in marine\n"
    "science 44) on the pressure above the surface in decibars. A KPA that is\n"
    "not a number is refused; without KPA, each line of standard input is one.\n";

} // namespace

const CliCommand kDepthCommand{
    {.name = "depth",
     .synopsis = "[OPTION...] [KPA]",
     .summary = "absolute pressure in kPa -> depth in metres",
     .description = kModels,
     .options = kOptions,
     .examples =
         "  tarvel-cli depth 200                            9.938714\n"
         "  tarvel-cli depth --fluid freshwater 200         10.197165\n"
         "  tarvel-cli depth --model unesco --latitude 30 --surface 0 100000   9712.653072\n"},
    Conversion::Depth,
    RunNumberCommand,
    InSession::Beside};

const CliCommand kPressureAtCommand{
    {.name = "pressure-at",
     .synopsis = "[OPTION...] [METRES]",
     .summary = "depth in metres -> absolute pressure in kPa",
     .description = "The absolute pressure in kPa a sensor reads at a depth of METRES: the\n"
                    "inverse of depth, under the same options and models (tarvel-cli depth\n"
                    "--help). A METRES that is not a number is refused; without METRES, each\n"
                    "line of standard input is one.\n",
     .options = kOptions,
     .examples = "  tarvel-cli pressure-at 10                       200.616635\n"
                 "  tarvel-cli pressure-at --fluid freshwater 10    198.066470\n"},
    Conversion::PressureAt,
    RunNumberCommand,
    InSession::Beside};
