#include "cli/completion.h"

#include "cli/commands/command.h"
#include "cli/commands/encode.h"
#include "cli/convert/pressure_line.h"
#include "cli/options/option_table.h"
#include "cli/options/parse_options.h"

#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kHeader = "# tarvel-cli completion, written from its command and "
                                     "option tables by tarvel_completion\n";

// Single-quoted for bash, zsh and fish alike.
std::string Quoted(std::string_view text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The options `command` takes, each with what it does there.
std::vector<std::pair<const OptionEntry*, std::string_view>> OptionsOf(const CliCommand& command)
{
    std::vector<std::pair<const OptionEntry*, std::string_view>> options;
    for (const OptionUse& use : command.usage.options)
        if (const OptionEntry* entry = FindOption(use.name))
            options.emplace_back(entry, use.help.empty() ? entry->help : use.help);
    return options;
}

// The names a command's Nth word after its options takes, or "".
std::string PositionalWords(const CliCommand& command, int n)
{
    if (command.conversion == Conversion::Encode && n == 0)
        return JoinWords(EncodeTypeNames());
    if (command.conversion == Conversion::Pressure && (n == 1 || n == 2))
        return PressureUnitNames();
    return "";
}

// Whether a command's Nth word after its options names a file (poll's POINTS).
bool PositionalIsFile(const CliCommand& command, int n)
{
    return command.usage.name == "poll" && n == 0;
}

std::string CommandNames()
{
    std::string names;
    for (const CliCommand* command : CliCommandTable())
        names += std::string(command->usage.name) + " ";
    return names + "--help --version";
}

// The options that take an argument: "--order|--format|..." with "|".
std::string ArgumentOptions(std::string_view separator = "|")
{
    std::string names;
    for (const OptionEntry& entry : CliOptionTable())
        if (!entry.argument.empty())
            names += (names.empty() ? "" : std::string(separator)) + std::string(entry.name);
    return names;
}

std::string Bash()
{
    std::string s = std::string(kHeader) +
                    "_tarvel_cli()\n{\n"
                    "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
                    "    if ((COMP_CWORD == 1)); then\n"
                    "        COMPREPLY=($(compgen -W " +
                    Quoted(CommandNames()) +
                    " -- \"$cur\"))\n        return\n    fi\n"
                    "    case $prev in\n";
    for (const OptionEntry& entry : CliOptionTable())
        if (!entry.argument.empty())
            s += "    " + std::string(entry.name) + ") COMPREPLY=($(compgen -W " +
                 Quoted(JoinWords(entry.values)) + " -- \"$cur\")); return ;;\n";
    s += "    esac\n    local i n=0 options= positional= files=\n"
         "    for ((i = 2; i < COMP_CWORD; i++)); do\n        case ${COMP_WORDS[i]} in\n"
         "        " +
         ArgumentOptions() +
         ") ((i++)) ;;\n        --*) ;;\n        *) ((n++)) ;;\n"
         "        esac\n    done\n    case ${COMP_WORDS[1]} in\n";
    for (const CliCommand* command : CliCommandTable()) {
        std::string options;
        for (const auto& [entry, help] : OptionsOf(*command))
            options += (options.empty() ? "" : " ") + std::string(entry->name);
        s += "    " + std::string(command->usage.name) + ") options=" + Quoted(options);
        for (int n = 0; n < 3; ++n)
            if (const std::string words = PositionalWords(*command, n); !words.empty())
                s += "; ((n == " + std::to_string(n) + ")) && positional=" + Quoted(words);
            else if (PositionalIsFile(*command, n))
                s += "; ((n == " + std::to_string(n) + ")) && files=1";
        s += " ;;\n";
    }
    return s + "    esac\n    if [[ $cur == --* ]]; then\n"
               "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
               "    elif [[ -n $positional ]]; then\n"
               "        COMPREPLY=($(compgen -W \"$positional\" -- \"$cur\"))\n"
               "    elif [[ -n $files ]]; then\n"
               "        COMPREPLY=($(compgen -f -- \"$cur\"))\n    fi\n}\n"
               "complete -F _tarvel_cli tarvel-cli\n";
}

std::string Zsh()
{
    std::string s = "#compdef tarvel-cli\n" + std::string(kHeader) +
                    "local -a commands options positional\nlocal files=\n"
                    "if ((CURRENT == 2)); then\n    commands=(";
    for (const CliCommand* command : CliCommandTable())
        s += Quoted(std::string(command->usage.name) + ":" + std::string(command->usage.summary)) +
             " ";
    s += "'--help:show the help' '--version:show the version')\n"
         "    _describe -t commands command commands\n    return\nfi\n"
         "case ${words[CURRENT-1]} in\n";
    for (const OptionEntry& entry : CliOptionTable())
        if (!entry.argument.empty())
            s += entry.values.empty() ? std::string(entry.name) + ") _message " +
                                            Quoted(entry.argument) + "; return ;;\n"
                                      : std::string(entry.name) + ") compadd -- " +
                                            JoinWords(entry.values) + "; return ;;\n";
    s += "esac\nlocal i n=0\nfor ((i = 3; i < CURRENT; i++)); do\n    case ${words[i]} in\n"
         "    " +
         ArgumentOptions() +
         ") ((i++)) ;;\n    --*) ;;\n    *) ((n++)) ;;\n    esac\n"
         "done\ncase ${words[2]} in\n";
    for (const CliCommand* command : CliCommandTable()) {
        s += std::string(command->usage.name) + ") options=(";
        for (const auto& [entry, help] : OptionsOf(*command))
            s += Quoted(std::string(entry->name) + ":" + std::string(help)) + " ";
        s += ")";
        for (int n = 0; n < 3; ++n)
            if (const std::string words = PositionalWords(*command, n); !words.empty())
                s += "; ((n == " + std::to_string(n) + ")) && positional=(" + words + ")";
            else if (PositionalIsFile(*command, n))
                s += "; ((n == " + std::to_string(n) + ")) && files=1";
        s += " ;;\n";
    }
    return s + "esac\nif [[ $PREFIX == --* ]]; then\n"
               "    _describe -t options option options\n"
               "elif (($#positional)); then\n    compadd -a positional\n"
               "elif [[ -n $files ]]; then\n    _files\nfi\n";
}

std::string Fish()
{
    // __tarvel_cli_at COMMAND N: the word being typed is COMMAND's Nth (from 0)
    // after its options.
    std::string s = std::string(kHeader) + "complete -c tarvel-cli -f\n" +
                    "function __tarvel_cli_at -a command n\n"
                    "    set -l words (commandline -opc)\n"
                    "    test \"$words[2]\" = $command; or return 1\n"
                    "    set -l count 0\n    set -l skip 0\n"
                    "    for word in $words[3..-1]\n"
                    "        if test $skip = 1\n            set skip 0\n"
                    "        else if contains -- $word " +
                    ArgumentOptions(" ") +
                    "\n            set skip 1\n"
                    "        else if not string match -q -- '--*' $word\n"
                    "            set count (math $count + 1)\n        end\n    end\n"
                    "    test $count = $n\nend\n";
    const std::string top = "complete -c tarvel-cli -n __fish_use_subcommand ";
    for (const CliCommand* command : CliCommandTable())
        s += top + "-a " + std::string(command->usage.name) + " -d " +
             Quoted(command->usage.summary) + "\n";
    s += top + "-l help -d 'show the help'\n" + top + "-l version -d 'show the version'\n";
    // Each command's options with what they do there.
    for (const CliCommand* command : CliCommandTable())
        for (const auto& [entry, help] : OptionsOf(*command)) {
            s += "complete -c tarvel-cli -n " +
                 Quoted("__fish_seen_subcommand_from " + std::string(command->usage.name)) +
                 " -l " + std::string(entry->name.substr(2));
            if (!entry->argument.empty())
                s += " -x" +
                     (entry->values.empty() ? "" : " -a " + Quoted(JoinWords(entry->values)));
            s += " -d " + Quoted(help) + "\n";
        }
    for (const CliCommand* command : CliCommandTable())
        for (int n = 0; n < 3; ++n)
            if (const std::string words = PositionalWords(*command, n); !words.empty())
                s += "complete -c tarvel-cli -n " +
                     Quoted("__tarvel_cli_at " + std::string(command->usage.name) + " " +
                            std::to_string(n)) +
                     " -a " + Quoted(words) + "\n";
            else if (PositionalIsFile(*command, n))
                s += "complete -c tarvel-cli -n " +
                     Quoted("__tarvel_cli_at " + std::string(command->usage.name) + " " +
                            std::to_string(n)) +
                     " -F\n";
    return s;
}

} // namespace

std::string CompletionScript(Shell shell)
{
    switch (shell) {
    case Shell::Bash:
        return Bash();
    case Shell::Zsh:
        return Zsh();
    case Shell::Fish:
        return Fish();
    }
    return {};
}

std::string CompletionNames()
{
    std::string names;
    for (const CliCommand* command : CliCommandTable())
        names += "command " + std::string(command->usage.name) + "\n";
    for (const OptionEntry& entry : CliOptionTable())
        names += "option " + std::string(entry.name) + "\n";
    return names + "option --help\noption --version\n";
}

std::string ManPage(std::string_view page)
{
    constexpr std::string_view kMarker = ".\\\" COMMAND HELP\n";
    const std::size_t at = page.find(kMarker);
    if (at == std::string_view::npos)
        return std::string(page);
    std::string sections = ".SH COMMAND HELP\nWhat\n.BI \"tarvel\\-cli \" command \" \\-\\-help\"\n"
                           "prints, for each command.\n";
    for (const CliCommand* command : CliCommandTable())
        sections += CommandManSection(command->usage);
    return std::string(page.substr(0, at)) + sections +
           std::string(page.substr(at + kMarker.size()));
}
