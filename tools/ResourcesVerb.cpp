#include "storage/FileLookup.h"
#include "storage/ResourceFile.h"
#include "tools/Cli.h"

namespace kst::cli {

int runResources(const Invocation& inv)
{
    if (const int status = refuseArguments(inv, "resources"); status != ExitOk)
        return status;
    const ResourcePictures library = readResourcePictures(findFile(inv.files().programDir(), "KST.RGF"));
    if (!library.error.empty())
        return badInput(inv.err, library.error);
    for (const auto& [name, size] : library.pictures)
        inv.out << name << ' ' << size.width << 'x' << size.height << '\n';
    return ExitOk;
}

} // namespace kst::cli
