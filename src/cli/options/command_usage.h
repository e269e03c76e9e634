// What a command says of itself, from which both its help and the parsing of
// its options come: what its help lists is exactly what it takes.
#pragma once

#include <span>
#include <string>
#include <string_view>

// An option a command takes, with what it does there when that says more
// than the option table's own line.
struct OptionUse {
    std::string_view name;      // as the option table names it: "--order"
    std::string_view help = {}; // empty: the table's line
};

struct CommandUsage {
    std::string_view name;        // "float"
    std::string_view synopsis;    // the words after the name: "[OPTION...] [TEXT...]"
    std::string_view summary;     // one line, for the overview and completion
    std::string_view description; // one paragraph, in lines of at most 78
    std::span<const OptionUse> options;
    std::string_view examples; // lines "  tarvel-cli float 3F800000     1.000000"
    // More help after the options, made from a table (pressure's units).
    std::string (*more)() = nullptr;
    // Prints records: --header alone prints their names first, and
    // --delimiter stands between their fields.
    bool records = false;
};

// Whether `usage` lists the option named `name`.
bool Takes(const CommandUsage& usage, std::string_view name);

// The help `tarvel-cli NAME --help` prints: the synopsis, the paragraph,
// each option it takes with its argument and what it does, then -h, the
// generated part and the examples. Lines end in '\n'.
std::string CommandHelp(const CommandUsage& usage);

// The same as a manual page subsection (.SS), in roff, every character
// that roff would read as markup escaped.
std::string CommandManSection(const CommandUsage& usage);
