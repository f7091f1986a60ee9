#include "tools/Cli.h"

namespace kst::cli {

int runPaths(const Invocation& inv)
{
    if (const int status = refuseArguments(inv, "paths"); status != ExitOk)
        return status;
    const ProgramFiles files = inv.files();
    inv.out << "ProgramDir=" << files.programDir() << '\n' << "DataDir=" << files.dataDir() << '\n';
    return ExitOk;
}

} // namespace kst::cli
