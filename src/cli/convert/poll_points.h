// A points file: the named values poll reads, one a line,
// "NAME DEVICE ADDRESS WHAT [OPTION...]" in the words read takes.
#pragma once

#include "cli/convert/read_target.h"
#include "cli/options/cli_options.h"
#include "device/register_source.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A device, one connection whatever its points' units.
struct PollDevice {
    DeviceSettings settings; // DEVICE as first written; serial settings from any of its lines
};

struct PollPoint {
    std::string name;
    std::size_t line = 0;   // from 1
    std::size_t device = 0; // in PollPoints::devices
    int unit = 1;
    ReadTarget target;
    // Its columns: NAME; NAME.FIELD for each field of a record; NAME.1,
    // NAME.2... for --count values or bits.
    std::vector<std::string> columns;
};

struct PollPoints {
    std::vector<PollDevice> devices; // in the order the file first names them
    std::vector<PollPoint> points;   // in the file's order
};

// The points of `text`, a whole points file. Blank lines and '#' comments
// (a '#' starting a word) are skipped; a word may be quoted with ' or ", as
// a shell would take it, without escapes. Each point starts from `options`
// (the command line's format, digits, timeout and retries) and takes its own
// --order, --format, --digits, --input, --coils, --discrete, --reference,
// one --unit, --count and serial settings. A device's lines share its serial
// settings: one line may give them, and two may not differ. Nullopt with
// `error` "line N: ..." naming the part for a bad line: a name that is not
// a letter or '_' then letters, digits or '_' (at most 64), "time", or one
// already used (in any case); a bad DEVICE, ADDRESS, WHAT, option or unit
// list; inspect or --raw; a serial setting for TCP or one that differs from
// an earlier line's; or a file without points. Opens nothing.
std::optional<PollPoints> ParsePollPoints(std::string_view text, const CliOptions& options,
                                          std::string& error);

// The words of a points line, quotes taken off, up to a '#' that starts a
// word; nullopt with `error` for a quote left open.
std::optional<std::vector<std::string>> SplitPointWords(std::string_view line,
                                                        std::string& error);
