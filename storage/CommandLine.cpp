#include "storage/CommandLine.h"

#include <string_view>

namespace kst {

namespace {

struct OptionName {
    std::string_view name;
    std::optional<std::string> CommonOptions::*field;
};

constexpr OptionName commonOptionNames[] = {
    {"--program-dir", &CommonOptions::programDir},
    {"--data-dir", &CommonOptions::dataDir},
};

} // namespace

ParsedCommandLine parseCommonOptions(const std::vector<std::string>& args)
{
    ParsedCommandLine parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const OptionName* option = nullptr;
        std::optional<std::string> value;
        for (const OptionName& o : commonOptionNames) {
            if (arg == o.name) {
                option = &o;
                if (i + 1 < args.size())
                    value = args[++i];
            } else if (arg.size() > o.name.size() && arg.substr(0, o.name.size()) == o.name
                       && arg[o.name.size()] == '=') {
                option = &o;
                value = std::string(arg.substr(o.name.size() + 1));
            }
            if (option)
                break;
        }
        if (!option) {
            parsed.rest.push_back(args[i]);
            continue;
        }
        if (!value || value->empty()) {
            parsed.error = std::string(option->name) + " needs a folder";
            return parsed;
        }
        parsed.common.*(option->field) = std::move(*value);
    }
    return parsed;
}

std::string commonOptionsUsage()
{
    return "  --program-dir DIR  the folder holding GAMES.DAT and the other program files\n"
           "  --data-dir DIR     the folder of the player's data files (statistics, configuration)\n";
}

} // namespace kst
