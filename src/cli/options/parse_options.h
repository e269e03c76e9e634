// Reading a command's options from its words, as its usage says.
#pragma once

#include "cli/options/cli_options.h"
#include "cli/options/command_usage.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the words of a command line hold besides its options.
struct CommandWords {
    std::vector<std::string_view> text; // the TEXT words, in order
    bool help = false;                  // -h or --help among them
};

// Reads the options `usage` lists from `words`: a word starting with "--" is
// an option wherever it stands, taking the next word as its argument if it
// has one, until a "--" word, after which every word is TEXT; any other word
// is TEXT ("-5" too), except "-h". Every argument is checked against the
// option's names or number rule, and the options together for conflicts
// (never settled by position); an option given twice is refused. Returns
// the TEXT words, or nullopt with `error` set to a one-line message naming
// the option and the value. With -h or --help before any "--", returns at
// once with `help` set, whatever the other words hold.
std::optional<CommandWords> ParseCliOptions(std::span<const std::string_view> words,
                                            const CommandUsage& usage, CliOptions& options,
                                            std::string& error);

// The words of a command line joined by single spaces, as one TEXT.
std::string JoinWords(std::span<const std::string_view> words);

// Splits a session line's text into words at spaces and tabs; runs of them
// give empty words, so joining with single spaces gives back a text of
// single-space runs unchanged.
std::vector<std::string_view> SplitWords(std::string_view text);

// `text` as a number when the whole of it is one (white space around it
// allowed), rounded once to double; nullopt for anything else. For our own
// commands, which reject what the dialog would read as 0.
std::optional<double> ReadStrictNumber(std::string_view text);
