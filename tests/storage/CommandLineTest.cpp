#include "storage/CommandLine.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, TakesTheCommonOptionsFromAnywhere)
{
    const struct {
        Args args;
        const char* programDir; // nullptr: not given
        const char* dataDir;
        Args rest;
    } cases[] = {
        {{"games"}, nullptr, nullptr, {"games"}},
        {{"--program-dir", "/p", "games"}, "/p", nullptr, {"games"}},
        {{"games", "--data-dir", "/d", "x"}, nullptr, "/d", {"games", "x"}},
        {{"--data-dir=/d", "deal", "--program-dir=/p", "1"}, "/p", "/d", {"deal", "1"}},
        {{"--program-dir", "/a", "--program-dir", "/b"}, "/b", nullptr, {}},
        // A value is taken as it stands, even when it looks like an option.
        {{"--data-dir", "--no-sound"}, nullptr, "--no-sound", {}},
        {{"--program-directory", "/p", "--data-dir-x"}, nullptr, nullptr, {"--program-directory", "/p", "--data-dir-x"}},
    };
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = parseCommonOptions(c.args);
        SCOPED_TRACE(c.args.empty() ? "" : c.args.front());
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.common.programDir.value_or("-"), c.programDir ? c.programDir : "-");
        EXPECT_EQ(parsed.common.dataDir.value_or("-"), c.dataDir ? c.dataDir : "-");
        EXPECT_EQ(parsed.rest, c.rest);
    }
}

TEST(CommandLine, RefusesAnOptionWithoutItsFolder)
{
    for (const Args& args : {Args{"games", "--program-dir"}, Args{"--data-dir="}, Args{"--data-dir", ""}}) {
        const ParsedCommandLine parsed = parseCommonOptions(args);
        EXPECT_FALSE(parsed.ok()) << args.back();
        EXPECT_NE(parsed.error.find("needs a folder"), std::string::npos) << parsed.error;
    }
}

} // namespace
} // namespace kst
