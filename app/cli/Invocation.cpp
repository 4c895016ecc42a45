#include "app/cli/Invocation.h"

#include <algorithm>
#include <array>

namespace mb::cli {

std::optional<std::string> Invocation::Value(const std::string& name) const {
    auto range = options.equal_range(name);
    if (range.first == range.second)
        return std::nullopt;
    return std::prev(range.second)->second;
}

std::vector<std::string> Invocation::Values(const std::string& name) const {
    std::vector<std::string> values;
    auto range = options.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        values.push_back(it->second);
    return values;
}

bool TakesValue(const std::string& name) {
    static const std::array<const char*, 5> kValued = {"output", "title", "language", "add-folder",
                                                       "timeout"};
    return std::find(kValued.begin(), kValued.end(), name) != kValued.end();
}

std::optional<Invocation> ParseCommandLine(const std::vector<std::string>& args,
                                           std::string& error) {
    Invocation invocation;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            std::string name = arg.substr(2);
            std::string value;
            size_t equals = name.find('=');
            bool inlineValue = equals != std::string::npos;
            if (inlineValue) {
                value = name.substr(equals + 1);
                name.resize(equals);
            }
            if (TakesValue(name) && !inlineValue) {
                if (i + 1 >= args.size()) {
                    error = "option --" + name + " needs a value";
                    return std::nullopt;
                }
                value = args[++i];
            } else if (!TakesValue(name) && inlineValue) {
                error = "option --" + name + " takes no value";
                return std::nullopt;
            }
            if (TakesValue(name) && value.empty()) {
                error = "option --" + name + " needs a value that is not empty";
                return std::nullopt;
            }
            invocation.options.emplace(name, value);
            continue;
        }
        if (!optionsEnded && arg == "-h") {
            invocation.options.emplace("help", "");
            continue;
        }
        if (invocation.command.empty())
            invocation.command = arg;
        else
            invocation.arguments.push_back(arg);
    }
    return invocation;
}

} // namespace mb::cli
