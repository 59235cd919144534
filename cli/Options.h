#pragma once

#include <string>
#include <vector>

namespace ombrix::cli {

// One option of a command: its names ("h", "help"; one letter takes one dash, longer names two),
// the name of its value (empty for a switch), its line in the help, and whether it may be given
// more than once (an option with one value given twice is bad usage).
struct Option {
    std::vector<std::string> names;
    std::string valueName;
    std::string description;
    bool repeatable = false;
};

struct Argument {
    std::string name;
    std::string description;
};

// A command's options and arguments, as data: one description gives its parser and its help.
struct CommandLine {
    std::string usage; // the help's first line, after "Usage: "
    std::string description;
    std::vector<Option> options;
    std::vector<Argument> arguments;
    bool argumentsEndOptions = false; // everything after the first argument is an argument
};

// -h and --help, which every command has.
Option helpOption();

// What a command line held. Options are asked for by any of their names.
class ParsedArguments {
public:
    bool isSet(const std::string& name) const;
    std::string value(const std::string& name) const; // empty when not given
    std::vector<std::string> values(const std::string& name) const;
    const std::vector<std::string>& arguments() const { return arguments_; }

private:
    friend ParsedArguments parseArguments(const CommandLine&, const std::vector<std::string>&);
    const Option* find(const std::string& name) const;

    const CommandLine* commandLine_ = nullptr;
    std::vector<std::pair<const Option*, std::string>> given_; // in order; "" for a switch
    std::vector<std::string> arguments_;
};

// Reads args as GNU-style options ("--name value", "--name=value", "-abc" for one-letter switches,
// "--" ends options, a lone "-" is an argument); an unknown option, a missing or unexpected value
// or an option with a value given twice throws CommandError (bad usage).
ParsedArguments parseArguments(const CommandLine& commandLine,
                               const std::vector<std::string>& args);

// "Usage: ", the usage, the description, then the options and the arguments each with its
// description wrapped beside it.
std::string helpText(const CommandLine& commandLine);

} // namespace ombrix::cli
