#include "storage/SessionStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kst {
namespace {

TEST(SessionStoreMap, FieldsLieInsideTheStoreAndNeverOverlap)
{
    std::vector<NamedField> fields(std::begin(Fld::all), std::end(Fld::all));
    std::sort(fields.begin(), fields.end(),
              [](const NamedField& a, const NamedField& b) { return a.field.position < b.field.position; });
    for (const NamedField& f : fields) {
        EXPECT_GE(f.field.position, 1) << f.name;
        EXPECT_GE(f.field.length, 1) << f.name;
        EXPECT_LE(f.field.position + f.field.length - 1, SessionStore::Size) << f.name;
    }
    for (std::size_t i = 1; i < fields.size(); ++i)
        EXPECT_GE(fields[i].field.position, fields[i - 1].field.position + fields[i - 1].field.length)
            << fields[i - 1].name << " overlaps " << fields[i].name;
}

TEST(SessionStore, SetNormalisesTheValueAndGetStripsTrailingBlanks)
{
    const struct {
        Field field;
        std::string value;
        std::string cells; // what the field holds, blanks included
        std::string read;
    } cases[] = {
        {{10, 4}, "  12", "12  ", "12"},
        {{10, 4}, "12", "12  ", "12"},
        {{10, 4}, "123456", "1234", "1234"},
        {{10, 4}, "", "    ", ""},
        {{10, 4}, "    ", "    ", ""},
        {{10, 4}, "a b ", "a b ", "a b"},
        {{10, 1}, "YES", "Y", "Y"},
    };
    for (const auto& c : cases) {
        SessionStore store;
        store.fnStoreSet(1, 30, std::string(30, '#')); // neighbours must survive
        store.fnStoreSet(c.field, c.value);
        const int after = c.field.position + c.field.length;
        EXPECT_EQ(store.fnStoreGet(c.field.position - 1, c.field.length + 2), "#" + c.cells + "#") << c.value;
        EXPECT_EQ(store.fnStoreGet(c.field), c.read) << c.value;
        EXPECT_EQ(store.fnStoreGet(after, 30 - after + 1), std::string(30 - after + 1, '#'));
    }
}

TEST(SessionStore, ALongGameNameKeepsItsFirstFiftyCharacters)
{
    SessionStore store;
    std::string name;
    for (int i = 0; i < 60; ++i)
        name += char('A' + i % 26);
    store.fnStoreSet(Fld::Game_name, name);
    EXPECT_EQ(store.fnStoreGet(Fld::Game_name), name.substr(0, 50));
    EXPECT_EQ(store.fnStoreGet(Fld::Automatic_FaceUp), "");
}

TEST(SessionStore, StartsBlankWithTheConfigurationFileAndProgramDirectory)
{
    const SessionStore blank;
    for (const NamedField& f : Fld::all)
        EXPECT_EQ(blank.fnStoreGet(f.field), "") << f.name;

    const struct {
        const char* given;
        const char* stored;
    } cases[] = {
        {"/opt/kestrane", "/opt/kestrane/"},
        {"/opt/kestrane/", "/opt/kestrane/"},
        {"", ""},
    };
    for (const auto& c : cases) {
        const SessionStore store(c.given);
        EXPECT_EQ(store.fnStoreGet(Fld::CfgFile), "DATA\\CFG.DAT");
        EXPECT_EQ(store.fnStoreGet(Fld::ProgramDir), c.stored) << c.given;
        EXPECT_EQ(store.fnStoreGet(Fld::SnapshotFile), "");
    }
}

TEST(SessionStore, TellsWhetherTheProgramDirectoryFits)
{
    EXPECT_TRUE(SessionStore::programDirFits(std::string(199, 'd')));  // 200 with its separator
    EXPECT_FALSE(SessionStore::programDirFits(std::string(200, 'd'))); // would lose its separator
    EXPECT_TRUE(SessionStore::programDirFits(std::string(199, 'd') + "/"));
}

TEST(SessionStore, ResetsBothSessionCountersTogether)
{
    SessionStore store;
    store.fnStoreSet(Fld::SessionWon, "0012");
    store.fnStoreSet(Fld::SessionLost, "0003");
    store.resetSessionCounters();
    EXPECT_EQ(store.fnStoreGet(Fld::SessionWon), "0000");
    EXPECT_EQ(store.fnStoreGet(Fld::SessionLost), "0000");
}

TEST(SessionStoreDeathTest, RefusesFieldsOutsideTheBlock)
{
    const struct {
        int position;
        int length;
    } cases[] = {{0, 1}, {-5, 3}, {995, 6}, {1000, 1}, {10, -1}};
    for (const auto& c : cases) {
        SessionStore store;
        // Asserted in a checking build; refused without writing in any build.
        EXPECT_DEBUG_DEATH(store.fnStoreSet(c.position, c.length, "XXXXXXXX"), "") << c.position;
        EXPECT_DEBUG_DEATH(EXPECT_EQ(store.fnStoreGet(c.position, c.length), ""), "") << c.position;
        EXPECT_EQ(store.fnStoreGet(1, SessionStore::Size), "") << c.position;
    }
    SessionStore store;
    store.fnStoreSet(SessionStore::Size, 1, "Z");
    EXPECT_EQ(store.fnStoreGet(1, SessionStore::Size), std::string(SessionStore::Size - 1, ' ') + "Z");
}

} // namespace
} // namespace kst
