#include "cards/RuleTable.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

TEST(RuleTableTest, OutOfRangeReadsZeroAndIsNeverWritten)
{
    RuleTable table;
    EXPECT_TRUE(table.set(0, 5));
    EXPECT_TRUE(table.set(367, -7));
    for (const int index : {-1, 368, 32767}) {
        EXPECT_FALSE(table.set(index, 9)) << index;
        EXPECT_EQ(table[index], 0) << index;
    }
    EXPECT_EQ(table[0], 5);
    EXPECT_EQ(table.get(367), -7);
    table.clear();
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[367], 0);
}

TEST(RuleTableTest, SavedBlockHoldsTableauRulesThenBaseRanks)
{
    RuleTable table;
    for (int i = 0; i < Rule::Count; ++i)
        table.set(i, std::int16_t(1000 + i));
    table.saveRuleBlock();
    const SavedRuleBlock& saved = table.savedRuleBlock();
    EXPECT_EQ(saved[0], 1107);
    EXPECT_EQ(saved[27], 1134);
    EXPECT_EQ(saved[28], 1043);
    EXPECT_EQ(saved[43], 1058);

    for (int i = 0; i < Rule::Count; ++i)
        table.set(i, -1);
    table.restoreRuleBlock();
    for (int i = 0; i < Rule::Count; ++i) {
        const bool saved = (i >= 107 && i <= 134) || (i >= 43 && i <= 58);
        EXPECT_EQ(table[i], saved ? 1000 + i : -1) << i;
    }
}

} // namespace
} // namespace kst
