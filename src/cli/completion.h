// Shell completion for tarvel-cli, written from its command and option
// tables, so a new command, option or accepted name completes with no
// second list to keep.
#pragma once

#include <string>

enum class Shell { Bash, Zsh, Fish };

// The whole completion script for `shell`: the commands, the options each
// command takes, the names an option's argument takes (none offered where it
// takes a number or any text), encode's TYPE and pressure's FROM and TO.
std::string CompletionScript(Shell shell);

// One line per name, "command NAME" then "option NAME" (with --help and
// --version), for checking the manual page against the tables.
std::string CompletionNames();

// The manual page `page` with the line ".\\" COMMAND HELP" replaced by a
// section that holds, for each command, what its --help prints, in roff.
std::string ManPage(std::string_view page);
