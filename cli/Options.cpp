#include "cli/Options.h"

#include "cli/CliSupport.h"

#include <algorithm>
#include <cctype>

// Written here rather than on an options library so that the help, the usage and the error texts
// stay exactly as ombrix-cli has always printed them.
namespace ombrix::cli {

namespace {

[[noreturn]] void badUsage(const std::string& message) {
    throw CommandError(kExitBadUsage, message);
}

const Option* findOption(const CommandLine& commandLine, const std::string& name) {
    for (const Option& option : commandLine.options) {
        if (std::find(option.names.begin(), option.names.end(), name) != option.names.end()) {
            return &option;
        }
    }
    return nullptr;
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (const std::string& part : parts) {
        joined += (joined.empty() ? "" : separator) + part;
    }
    return joined;
}

// "-h", "--help": an option's name as it is typed.
std::string dashed(const std::string& name) {
    return (name.size() == 1 ? "-" : "--") + name;
}

// As GNU-style parsers read options; where a command line holds several mistakes, the one
// reported is the one ombrix-cli has always reported.
class Parser {
public:
    using Given = std::vector<std::pair<const Option*, std::string>>;

    Parser(const CommandLine& commandLine, const std::vector<std::string>& args)
        : commandLine_(commandLine), args_(args) {}

    void run(Given& given, std::vector<std::string>& arguments) {
        bool onlyArguments = false;
        for (next_ = 0; next_ < args_.size(); ++next_) {
            const std::string& arg = args_[next_];
            if (onlyArguments || arg.empty() || arg[0] != '-') {
                arguments.push_back(arg);
                onlyArguments = onlyArguments || commandLine_.argumentsEndOptions;
            } else if (arg == "-") {
                arguments.push_back(arg);
            } else if (arg == "--") {
                onlyArguments = true;
            } else if (arg[1] == '-') {
                longOption(arg, given);
            } else {
                shortOptions(arg, given);
            }
        }
        if (!valueError_.empty()) {
            badUsage(valueError_);
        }
        if (unknown_.size() == 1) {
            badUsage("Unknown option '" + unknown_.front() + "'.");
        }
        if (unknown_.size() > 1) {
            badUsage("Unknown options: " + joined(unknown_, ", ") + ".");
        }
        refuseRepeated(given);
    }

private:
    // "--name", "--name=value" or "--name value".
    void longOption(const std::string& arg, Given& given) {
        const std::size_t assign = arg.find('=');
        const std::string name = arg.substr(2, assign == std::string::npos ? assign : assign - 2);
        if (const Option* option = known(name)) {
            valueOf(*option, arg, given);
        }
    }

    // "-abc": one-letter options; one that takes a value takes the rest ("-fVALUE", "-f=VALUE")
    // or, as the last letter, the next argument.
    void shortOptions(const std::string& arg, Given& given) {
        std::string name;
        for (std::size_t pos = 1; pos < arg.size(); ++pos) {
            name = arg.substr(pos, 1);
            const Option* option = known(name);
            if (!option) {
                continue;
            }
            const bool more = pos + 1 < arg.size();
            if (!option->valueName.empty()) {
                if (!more) {
                    break;
                }
                given.emplace_back(option, arg.substr(arg[pos + 1] == '=' ? pos + 2 : pos + 1));
                return;
            }
            given.emplace_back(option, std::string());
            if (more && arg[pos + 1] == '=') {
                break;
            }
        }
        const Option* last = findOption(commandLine_, name);
        if (last && !last->valueName.empty()) {
            valueOf(*last, arg, given);
        } else if (last && arg.find('=') != std::string::npos) {
            valueError_ = "Unexpected value after '" + arg.substr(0, arg.find('=')) + "'.";
        }
    }

    // Taking the last of two values would hide a mistake.
    static void refuseRepeated(const Given& given) {
        for (auto it = given.begin(); it != given.end(); ++it) {
            const Option& option = *it->first;
            const bool before = std::any_of(given.begin(), it, [&option](const auto& earlier) {
                return earlier.first == &option;
            });
            if (before && !option.valueName.empty() && !option.repeatable) {
                badUsage(dashed(option.names.back()) + " is given twice");
            }
        }
    }

    const Option* known(const std::string& name) {
        const Option* option = findOption(commandLine_, name);
        if (!option) {
            unknown_.push_back(name);
        }
        return option;
    }

    void valueOf(const Option& option, const std::string& arg, Given& given) {
        const std::size_t assign = arg.find('=');
        if (option.valueName.empty()) {
            given.emplace_back(&option, std::string());
            if (assign != std::string::npos) {
                valueError_ = "Unexpected value after '" + arg.substr(0, assign) + "'.";
            }
        } else if (assign != std::string::npos) {
            given.emplace_back(&option, arg.substr(assign + 1));
        } else if (next_ + 1 < args_.size()) {
            given.emplace_back(&option, args_[++next_]);
        } else {
            badUsage("Missing value after '" + arg + "'.");
        }
    }

    const CommandLine& commandLine_;
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    std::vector<std::string> unknown_;
    std::string valueError_;
};

// The help's layout: names padded to the longest (at most 50 columns), descriptions wrapped at
// column 79, with the continuation lines counted as the help has always counted them.
std::string wrapped(const std::string& names, std::size_t width, const std::string& description) {
    std::string text;
    std::size_t nameIndex = 0;
    const auto nameSection = [&] {
        std::string section = names.substr(std::min(nameIndex, names.size()), width);
        nameIndex += section.size();
        return section;
    };
    const std::size_t max = 79 - (2 + width + 1);
    const std::size_t length = description.size();
    std::size_t lineStart = 0;
    std::size_t x = 0;
    std::ptrdiff_t lastBreakable = -1;
    for (std::size_t i = 0; i < length; ++i) {
        ++x;
        const char c = description[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            lastBreakable = static_cast<std::ptrdiff_t>(i);
        }
        std::size_t breakAt = std::string::npos;
        std::size_t nextLineStart = 0;
        if (x > max && lastBreakable != -1) {
            breakAt = static_cast<std::size_t>(lastBreakable);
            nextLineStart = breakAt + 1;
        } else if ((x > max - 1 && lastBreakable == -1) || i == length - 1) {
            breakAt = i + 1;
            nextLineStart = breakAt;
        } else if (c == '\n') {
            breakAt = i;
            nextLineStart = i + 1;
        }
        if (breakAt != std::string::npos) {
            std::string name = nameSection();
            name.resize(std::max(name.size(), width), ' ');
            text += "  " + name + ' ' + description.substr(lineStart, breakAt - lineStart) + '\n';
            x = 0;
            lastBreakable = -1;
            lineStart = nextLineStart;
            if (lineStart < length &&
                std::isspace(static_cast<unsigned char>(description[lineStart]))) {
                ++lineStart;
            }
            i = lineStart;
        }
    }
    while (nameIndex < names.size()) {
        text += "  " + nameSection() + '\n';
    }
    return text;
}

std::string namesOf(const Option& option) {
    std::vector<std::string> names;
    for (const std::string& name : option.names) {
        names.push_back(dashed(name));
    }
    return joined(names, ", ") + (option.valueName.empty() ? "" : " <" + option.valueName + ">");
}

} // namespace

Option helpOption() {
    return {{"h", "help"}, "", "Displays this help."};
}

const Option* ParsedArguments::find(const std::string& name) const {
    return findOption(*commandLine_, name);
}

bool ParsedArguments::isSet(const std::string& name) const {
    const Option* option = find(name);
    return std::any_of(given_.begin(), given_.end(),
                       [option](const auto& given) { return given.first == option; });
}

std::string ParsedArguments::value(const std::string& name) const {
    const std::vector<std::string> all = values(name);
    return all.empty() ? std::string() : all.back();
}

std::vector<std::string> ParsedArguments::values(const std::string& name) const {
    const Option* option = find(name);
    std::vector<std::string> found;
    for (const auto& [given, value] : given_) {
        if (given == option) {
            found.push_back(value);
        }
    }
    return found;
}

ParsedArguments parseArguments(const CommandLine& commandLine,
                               const std::vector<std::string>& args) {
    ParsedArguments parsed;
    parsed.commandLine_ = &commandLine;
    Parser(commandLine, args).run(parsed.given_, parsed.arguments_);
    return parsed;
}

std::string helpText(const CommandLine& commandLine) {
    std::vector<std::string> names;
    std::size_t width = 0;
    for (const Option& option : commandLine.options) {
        names.push_back(namesOf(option));
        width = std::max(width, names.back().size());
    }
    width = std::min<std::size_t>(50, width + 1);
    std::string text = "Usage: " + commandLine.usage + '\n' + commandLine.description + "\n\n";
    text += "Options:\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += wrapped(names[i], width, commandLine.options[i].description);
    }
    if (!commandLine.arguments.empty()) {
        text += "\nArguments:\n";
        for (const Argument& argument : commandLine.arguments) {
            text += wrapped(argument.name, width, argument.description);
        }
    }
    return text;
}

} // namespace ombrix::cli
