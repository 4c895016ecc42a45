#pragma once
// The command line of the tool: a command name, its arguments and options
// ("--name value", "--name=value" or a bare "--flag"; an option may repeat).
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mb::cli {

struct Invocation {
    std::string command;
    std::vector<std::string> arguments;
    std::multimap<std::string, std::string> options;

    bool Has(const std::string& name) const { return options.count(name) > 0; }
    // The last value given for an option.
    std::optional<std::string> Value(const std::string& name) const;
    std::vector<std::string> Values(const std::string& name) const;
};

// Options that take a value; every other option is a flag.
bool TakesValue(const std::string& name);

// Parses argv (without the program name); on a mistake returns nothing and
// sets `error` to a message for the user.
std::optional<Invocation> ParseCommandLine(const std::vector<std::string>& args,
                                           std::string& error);

} // namespace mb::cli
