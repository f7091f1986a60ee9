#include "tools/Cli.h"

namespace kst::cli {

ProgramFiles Invocation::files() const
{
    return resolveProgramFiles(currentPathInputs(common, argv0));
}

int badInput(std::ostream& err, std::string_view message)
{
    err << "kestrane-cli: " << message << '\n';
    return ExitBadInput;
}

int refuseArguments(const Invocation& inv, std::string_view verb)
{
    if (inv.args.empty())
        return ExitOk;
    const std::string& first = inv.args.front();
    if (first.size() > 1 && first.front() == '-')
        return badInput(inv.err, "unknown option: " + first);
    return badInput(inv.err, std::string(verb) + " takes no arguments");
}

} // namespace kst::cli
