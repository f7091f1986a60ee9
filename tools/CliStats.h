#pragma once
// The statistics files of the data folder as kestrane-cli reaches them: quiet ports, with what
// would have been shown to the player written to standard error as warnings.

#include "tools/Cli.h"
#include "tools/ClockRandom.h"
#include "tools/QuietPorts.h"

#include "stats/StatsFiles.h"

namespace kst::cli {

struct CliStats {
    explicit CliStats(const Invocation& inv)
        : files(inv.files().dataDir(), StatsPorts{messages, pointer, clock, random, LocaleFormat{}})
    {
    }

    // Each box the statistics would have shown, as one warning line.
    void warn(std::ostream& err) const;

    QuietMessageBoxes messages;
    StillPointer pointer;
    SystemClock clock;
    ClockRandom random;
    StatsFiles files;
};

} // namespace kst::cli
