#include "storage/SectionFile.h"

#include "platform/test/TestPorts.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace kst {
namespace {

class SectionFileTest : public ::testing::Test {
protected:
    std::string path(const char* name = "STAT.DAT") const { return m_tmp.file(name); }
    void put(const std::string& bytes, const char* name = "STAT.DAT") const { m_tmp.write(name, bytes); }
    std::string get(const char* name = "STAT.DAT") const { return m_tmp.read(name); }

    std::vector<std::string> tempFiles() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_tmp.path())) {
            if (entry.path().filename().string().rfind("rpl", 0) == 0)
                found.push_back(entry.path().string());
        }
        return found;
    }

    test::TempDir m_tmp{"section"};
    test::ScriptedMessageBoxes m_boxes;
    test::RecordingPointer m_pointer;
};

const std::string kStats = "[Version]\r\nVersion=0300\r\n"
                           "[0001]\r\nAnna=000001 000002\r\nBob=000003 000004\r\n\r\n"
                           "[0002]\r\nAnna=000005 000006\r\n";

TEST_F(SectionFileTest, ValueOfTheSameWidthIsOverwrittenInPlace)
{
    put(kStats);
    ASSERT_TRUE(fnSectionWriteValue(path(), "0001", "Bob", "000099 000098", m_boxes));

    std::string expected = kStats;
    expected.replace(expected.find("000003 000004"), 13, "000099 000098");
    EXPECT_EQ(get(), expected);
    EXPECT_TRUE(m_boxes.shown().empty());
    EXPECT_TRUE(tempFiles().empty());
}

TEST_F(SectionFileTest, NewKeyRebuildsItsSectionAndNothingElse)
{
    put("[Version]\r\nVersion=0300\r\n[0001]\r\nAnna=1\r\nBob=  2\r\nCarl\r\n\r\n[0002]\r\nAnna=5\r\n");
    ASSERT_TRUE(fnSectionWriteValue(path(), "0001", "Carl", "3", m_boxes));
    EXPECT_EQ(get(), "[Version]\r\nVersion=0300\r\n[0001]\r\nAnna=1\r\nBob=2\r\nCarl\r\nCarl=3\r\n\r\n[0002]\r\nAnna=5\r\n");
    EXPECT_EQ(fnSectionReadValue(path(), "0001", "Carl", "").value, "3");
}

TEST_F(SectionFileTest, ValueOfAnotherWidthRewritesTheSectionInsteadOfOverrunningTheNextLine)
{
    put("[0001]\r\nAnna=12\r\nBob=34\r\n[0002]\r\nX=1\r\n");
    ASSERT_TRUE(fnSectionWriteValue(path(), "0001", "Anna", "12345", m_boxes));
    EXPECT_EQ(get(), "[0001]\r\nAnna=12345\r\nBob=34\r\n\r\n[0002]\r\nX=1\r\n");
}

TEST_F(SectionFileTest, MissingSectionIsAppendedAfterAnEmptyLine)
{
    put("[Version]\r\nVersion=0300\r\n");
    ASSERT_TRUE(fnSectionWriteValue(path(), "0007", "Anna", "42", m_boxes));
    EXPECT_EQ(get(), "[Version]\r\nVersion=0300\r\n\r\n[0007]\r\nAnna=42\r\n");

    ASSERT_TRUE(fnSectionAppend(path(), "Bob", {"T01", "T02"}, {"x"}, m_boxes));
    EXPECT_EQ(get(), "[Version]\r\nVersion=0300\r\n\r\n[0007]\r\nAnna=42\r\n\r\n[Bob]\r\nT01=x\r\nT02=\r\n");
}

TEST_F(SectionFileTest, WritersReportAFileThatCannotBeOpened)
{
    fs::create_directory(path("DIR.DAT"));
    const struct {
        const char* name;
        std::function<bool(const std::string&)> write;
    } cases[] = {
        {"write value", [&](const std::string& p) { return fnSectionWriteValue(p, "A", "k", "v", m_boxes); }},
        {"overwrite", [&](const std::string& p) { return fnSectionOverwrite(p, "A", {"k"}, {"v"}, m_boxes); }},
        {"append", [&](const std::string& p) { return fnSectionAppend(p, "A", {"k"}, {"v"}, m_boxes); }},
    };
    for (const auto& c : cases) {
        for (const char* name : {"MISSING.DAT", "DIR.DAT"}) {
            m_boxes.clear();
            EXPECT_FALSE(c.write(path(name))) << c.name << " " << name;
            EXPECT_EQ(m_boxes.texts(), std::vector<std::string>{"Cannot open file " + path(name)}) << c.name;
        }
    }
    EXPECT_FALSE(fs::exists(path("MISSING.DAT")));
    EXPECT_TRUE(fs::is_directory(path("DIR.DAT")));
}

// Header "[Target]" placed at offsets around the block boundaries of the search (blocks of 8192
// bytes, each starting 8 bytes, the header's length, before the end of the previous one).
TEST_F(SectionFileTest, HeaderAcrossABlockBoundaryIsFound)
{
    const std::string head = "[Pad]\r\n";
    const std::string tail = "[Target]\r\nKey=Value\r\n[After]\r\nKey=Other\r\n";
    for (const std::size_t offset : {8185u, 8188u, 8190u, 8191u, 8192u, 8193u, 16370u, 16372u, 16375u, 16380u, 16384u}) {
        const std::size_t filler = offset - head.size() - 4; // "F=" ... "\r\n"
        put(head + "F=" + std::string(filler, 'x') + "\r\n" + tail);

        const std::optional<std::uint64_t> at = fnSectionFind(path(), "[Target]");
        ASSERT_TRUE(at.has_value()) << offset;
        EXPECT_EQ(*at, offset);
        EXPECT_EQ(fnSectionReadValue(path(), "Target", "Key", "-").value, "Value") << offset;
        ASSERT_TRUE(fnSectionWriteValue(path(), "Target", "Key", "Later", m_boxes));
        EXPECT_EQ(get().substr(offset), "[Target]\r\nKey=Later\r\n[After]\r\nKey=Other\r\n") << offset;
    }
}

TEST_F(SectionFileTest, BodyLongerThanABlockIsCollectedWhole)
{
    std::string body;
    for (int i = 0; i < 900; ++i)
        body += "P" + std::to_string(1000 + i) + "=000000 000000\r\n";
    put("[0001]\r\n" + body + "[0002]\r\nP1899=555555 555555\r\n");

    EXPECT_EQ(fnSectionReadValue(path(), "0001", "P1899", "").value, "000000 000000");
    ASSERT_TRUE(fnSectionWriteValue(path(), "0001", "New", "1", m_boxes));
    EXPECT_EQ(get(), "[0001]\r\n" + body + "New=1\r\n\r\n[0002]\r\nP1899=555555 555555\r\n");
}

TEST_F(SectionFileTest, KeyThatBeginsAnotherKeyIsToldApart)
{
    put("[0001]\r\nAnna2=222\r\nAnna=111\r\n[0002]\r\nAnna=333\r\n");
    EXPECT_EQ(fnSectionReadValue(path(), "0001", "Anna", "").value, "111");
    EXPECT_EQ(fnSectionReadValue(path(), "0001", "Anna2", "").value, "222");
    EXPECT_FALSE(fnSectionReadValue(path(), "0001", "Ann", "none").found);
    const KeysRead keys = fnSectionReadKeys(path(), "0001", {"Anna", "Anna2"}, {"", ""});
    EXPECT_EQ(keys.values, (std::vector<std::string>{"111", "222"}));

    ASSERT_TRUE(fnSectionWriteValue(path(), "0001", "Anna", "999", m_boxes));
    EXPECT_EQ(get(), "[0001]\r\nAnna2=222\r\nAnna=999\r\n[0002]\r\nAnna=333\r\n");
    ASSERT_TRUE(fnSectionWriteValue(path(), "0001", "Ann", "7", m_boxes));
    EXPECT_EQ(get(), "[0001]\r\nAnna2=222\r\nAnna=999\r\nAnn=7\r\n\r\n[0002]\r\nAnna=333\r\n");
}

TEST_F(SectionFileTest, HeaderTextInsideAnotherLineIsNotASection)
{
    // A player named "x[0002]" as a key, and a section named after one.
    const std::string file = "[0001]\r\nx[0002]=000001\r\n[x[0002]]\r\nK=000002\r\n[0002]\r\nK=000003\r\n";
    put(file);
    EXPECT_EQ(fnSectionFind(path(), "[0002]"), file.find("\r\n[0002]") + 2);
    EXPECT_EQ(fnSectionReadValue(path(), "0002", "K", "").value, "000003");
    EXPECT_EQ(fnSectionReadKeys(path(), "0002", {"K"}, {""}).values[0], "000003");
    EXPECT_EQ(fnSectionReadLines(path(), "0002"), std::vector<std::string>{"K=000003"});

    ASSERT_TRUE(fnSectionWriteValue(path(), "0002", "K", "000009", m_boxes));
    EXPECT_EQ(get(), "[0001]\r\nx[0002]=000001\r\n[x[0002]]\r\nK=000002\r\n[0002]\r\nK=000009\r\n");
}

TEST_F(SectionFileTest, ReadKeysGivesExactlyTheDefaultsForAMissingFile)
{
    const KeysRead missing = fnSectionReadKeys(path("NONE.DAT"), "Anna", {"T01", "T02", "T03"}, {"a", "b ", ""});
    EXPECT_FALSE(missing.allFound);
    EXPECT_EQ(missing.values, (std::vector<std::string>{"a", "b ", ""}));

    put("[Anna]\r\nT02=x  \r\nT01=y\r\n[Bob]\r\nT03=z\r\n");
    const KeysRead some = fnSectionReadKeys(path(), "Anna", {"T01", "T02", "T03"}, {"a", "b", "c"});
    EXPECT_FALSE(some.allFound);
    EXPECT_EQ(some.values, (std::vector<std::string>{"y", "x  ", "c"}));
    EXPECT_TRUE(fnSectionReadKeys(path(), "Anna", {"T01", "T02"}, {}).allFound);
}

TEST_F(SectionFileTest, NamesAndLinesInFileOrder)
{
    put("[Version]\r\nVersion=0300\r\n[0001]\r\n\r\n01-01=a\r\n\r\n01-02=b\r\n\r\n[Anna Smith]\r\nT01=1");
    EXPECT_EQ(fnSectionNames(path()), (std::vector<std::string>{"Version", "0001", "Anna Smith"}));
    EXPECT_EQ(fnSectionReadLines(path(), "0001"), (std::vector<std::string>{"01-01=a", "01-02=b"}));
    EXPECT_EQ(fnSectionReadLines(path(), "Anna Smith"), std::vector<std::string>{"T01=1"});
    EXPECT_EQ(fnSectionReadValue(path(), "Anna Smith", "T01", "").value, "1");
    EXPECT_TRUE(fnSectionNames(path("NONE.DAT")).empty());
    EXPECT_TRUE(fnSectionReadLines(path("NONE.DAT"), "0001").empty());
    EXPECT_TRUE(fnSectionReadLines(path(), "0002").empty());
}

TEST_F(SectionFileTest, ReplaceRewritesOneBodyFollowedByOneEmptyLine)
{
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"middle section", "[A]\r\na=1\r\n[B]\r\nb=1\r\nc=2\r\n\r\n\r\n[C]\r\nc=3\r\n",
         "[A]\r\na=1\r\n[B]\r\nk=v\r\nl=\r\n\r\n[C]\r\nc=3\r\n"},
        {"last section", "[A]\r\na=1\r\n[B]\r\nb=1", "[A]\r\na=1\r\n[B]\r\nk=v\r\nl=\r\n\r\n"},
        {"empty body before the next header", "[B]\r\n[C]\r\nc=3\r\n", "[B]\r\nk=v\r\nl=\r\n\r\n[C]\r\nc=3\r\n"},
        {"header on the last line", "[A]\r\na=1\r\n[B]", "[A]\r\na=1\r\n[B]\r\nk=v\r\nl=\r\n\r\n"},
        {"lone line feeds", "[B]\nb=1\n[C]\nc=3\n", "[B]\nk=v\r\nl=\r\n\r\n[C]\nc=3\n"},
    };
    for (const auto& c : cases) {
        put(c.before);
        EXPECT_TRUE(fnSectionReplace(path(), "B", {"k", "l"}, {"v"}, m_boxes)) << c.name;
        EXPECT_EQ(get(), c.after) << c.name;
    }
    EXPECT_TRUE(m_boxes.shown().empty());
    EXPECT_TRUE(tempFiles().empty());
}

TEST_F(SectionFileTest, ReplaceOfAMissingSectionLeavesTheFileAlone)
{
    put(kStats);
    EXPECT_FALSE(fnSectionReplace(path(), "0003", {"k"}, {"v"}, m_boxes));
    EXPECT_FALSE(fnSectionReplace(path("NONE.DAT"), "0001", {"k"}, {"v"}, m_boxes));
    EXPECT_EQ(get(), kStats);
    EXPECT_TRUE(tempFiles().empty());
    EXPECT_FALSE(fs::exists(path("NONE.DAT")));
}

TEST_F(SectionFileTest, OverwriteWritesLinesOfTheSameLengthInPlace)
{
    const std::string scores = "[0001]\r\n01-01=aaaa x\r\n01-02=bbbb x\r\n[0002]\r\n01-01=cccc x\r\n";
    put(scores);
    ASSERT_TRUE(fnSectionOverwrite(path(), "0001", {"01-01", "01-02"}, {"AAAA x", "BBBB x"}, m_boxes));
    EXPECT_EQ(get(), "[0001]\r\n01-01=AAAA x\r\n01-02=BBBB x\r\n[0002]\r\n01-01=cccc x\r\n");

    ASSERT_TRUE(fnSectionOverwrite(path(), "0002", {"01-01"}, {"CCCC x"}, m_boxes));
    ASSERT_TRUE(fnSectionOverwrite(path(), "0003", {"01-01"}, {"DDDD x"}, m_boxes));
    EXPECT_EQ(get(), "[0001]\r\n01-01=AAAA x\r\n01-02=BBBB x\r\n[0002]\r\n01-01=CCCC x\r\n\r\n[0003]\r\n01-01=DDDD x\r\n");
}

TEST_F(SectionFileTest, OverwriteOfLinesOfOtherLengthsRewritesTheSection)
{
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"fewer lines than written", "[0001]\r\n01-01=a\r\n[0002]\r\nk=v\r\n",
         "[0001]\r\n01-01=AAAA\r\n01-02=BBBB\r\n\r\n[0002]\r\nk=v\r\n"},
        {"longer first line", "[0001]\r\n01-01=aaaaaaa\r\n01-02=bbbb\r\n01-03=cccc\r\n[0002]\r\nk=v\r\n",
         "[0001]\r\n01-01=AAAA\r\n01-02=BBBB\r\n01-03=cccc\r\n\r\n[0002]\r\nk=v\r\n"},
        {"empty section", "[0001]\r\n[0002]\r\nk=v\r\n", "[0001]\r\n01-01=AAAA\r\n01-02=BBBB\r\n\r\n[0002]\r\nk=v\r\n"},
    };
    for (const auto& c : cases) {
        put(c.before);
        ASSERT_TRUE(fnSectionOverwrite(path(), "0001", {"01-01", "01-02"}, {"AAAA", "BBBB"}, m_boxes)) << c.name;
        EXPECT_EQ(get(), c.after) << c.name;
    }
    // The last line of the file may grow by its missing line end.
    put("[0001]\r\n01-01=aaaa");
    ASSERT_TRUE(fnSectionOverwrite(path(), "0001", {"01-01"}, {"AAAA"}, m_boxes));
    EXPECT_EQ(get(), "[0001]\r\n01-01=AAAA\r\n");
}

TEST_F(SectionFileTest, ReplaceFieldShiftsTheRestOfTheLine)
{
    const std::string file = "[0001]\r\nAnna=000001\r\nAnna2=000002\nBob=Anna=\r\n[0002]\r\nAnna=000003";
    const struct {
        int column;
        const char* oldText;
        const char* newText;
        std::string after;
    } cases[] = {
        {1, "Anna=", "Annabel=",
         "[0001]\r\nAnnabel=000001\r\nAnna2=000002\r\nBob=Anna=\r\n[0002]\r\nAnnabel=000003\r\n"},
        {1, "Anna", "A", "[0001]\r\nA=000001\r\nA2=000002\r\nBob=Anna=\r\n[0002]\r\nA=000003\r\n"},
        {5, "Anna=", "Z=", "[0001]\r\nAnna=000001\r\nAnna2=000002\r\nBob=Z=\r\n[0002]\r\nAnna=000003\r\n"},
        {11, "1", "", "[0001]\r\nAnna=00000\r\nAnna2=000002\r\nBob=Anna=\r\n[0002]\r\nAnna=000003\r\n"},
        {0, "A", "B", "[0001]\r\nAnna=000001\r\nAnna2=000002\r\nBob=Anna=\r\n[0002]\r\nAnna=000003\r\n"},
    };
    for (const auto& c : cases) {
        put(file);
        EXPECT_TRUE(fnFileReplaceField(path(), c.column, c.oldText, c.newText, m_boxes, m_pointer)) << c.oldText;
        EXPECT_EQ(get(), c.after) << c.column << " " << c.oldText;
    }
    EXPECT_EQ(m_pointer.depth(), 0);
    EXPECT_EQ(m_pointer.busyCount(), 5);
    EXPECT_TRUE(tempFiles().empty());

    EXPECT_FALSE(fnFileReplaceField(path("NONE.DAT"), 1, "a", "b", m_boxes, m_pointer));
    EXPECT_FALSE(fs::exists(path("NONE.DAT")));
    EXPECT_TRUE(m_boxes.shown().empty());
}

// The whole-file rewrites share one safe replace; each keeps the data when a step fails.
struct Rewrite {
    const char* name;
    std::function<bool(const std::string& path, MessageBoxes&, PointerShapes&, const FileOps*)> run;
    std::string expected; // the new content, from kStats
};

std::vector<Rewrite> rewrites()
{
    std::string replaced = kStats;
    replaced.replace(replaced.find("Anna=000001"), std::string("Anna=000001 000002\r\nBob=000003 000004\r\n").size(),
                     "Carl=1\r\n");
    std::string renamed = kStats;
    renamed.replace(renamed.find("Bob="), 3, "Robert");
    return {
        {"section replace",
         [](const std::string& p, MessageBoxes& b, PointerShapes&, const FileOps* ops) {
             return fnSectionReplace(p, "0001", {"Carl"}, {"1"}, b, ops);
         },
         replaced},
        {"replace field",
         [](const std::string& p, MessageBoxes& b, PointerShapes& ptr, const FileOps* ops) {
             return fnFileReplaceField(p, 1, "Bob", "Robert", b, ptr, ops);
         },
         renamed},
        {"section append",
         [](const std::string& p, MessageBoxes& b, PointerShapes&, const FileOps* ops) {
             return fnSectionAppend(p, "0003", {"Anna"}, {"1"}, b, ops);
         },
         kStats + "\r\n[0003]\r\nAnna=1\r\n"},
        {"save lines",
         [](const std::string& p, MessageBoxes& b, PointerShapes&, const FileOps* ops) {
             return saveLines(p, {"line 1", "line 2"}, b, ops);
         },
         "line 1\r\nline 2\r\n"},
    };
}

TEST_F(SectionFileTest, FailedDeleteLeavesTheOldFileUntouched)
{
    FileOps ops = realFileOps();
    ops.remove = [](const std::string&) { return false; };
    for (const Rewrite& r : rewrites()) {
        put(kStats);
        m_boxes.clear();
        EXPECT_FALSE(r.run(path(), m_boxes, m_pointer, &ops)) << r.name;
        EXPECT_EQ(m_boxes.texts(), std::vector<std::string>{"Error in deleting the file: " + path()}) << r.name;
        EXPECT_EQ(get(), kStats) << r.name;
        EXPECT_TRUE(tempFiles().empty()) << r.name;
    }
}

TEST_F(SectionFileTest, FailedRenameLeavesTheOldFileAndTheCompleteTempFileAndNamesBothPaths)
{
    FileOps ops = realFileOps();
    ops.rename = [](const std::string&, const std::string&) { return false; };
    for (const Rewrite& r : rewrites()) {
        put(kStats);
        m_boxes.clear();
        EXPECT_FALSE(r.run(path(), m_boxes, m_pointer, &ops)) << r.name;
        const std::vector<std::string> temps = tempFiles();
        ASSERT_EQ(temps.size(), 1u) << r.name;
        EXPECT_EQ(m_boxes.texts(), std::vector<std::string>{"Error in renaming the file: " + temps[0] + "\rto: " + path()})
            << r.name;
        // The old file is swapped out only by the rename, so it is still there whole.
        EXPECT_EQ(get(), kStats) << r.name;
        EXPECT_EQ(get(fs::path(temps[0]).filename().c_str()), r.expected) << r.name;
        fs::remove(temps[0]);
    }
}

TEST_F(SectionFileTest, TempFileCreationFailureIsReported)
{
    // No folder, no temporary file: nothing is written anywhere.
    const std::string nowhere = (m_tmp.path() / "missing" / "LOG.DAT").string();
    EXPECT_FALSE(saveLines(nowhere, {"x"}, m_boxes));
    EXPECT_EQ(m_boxes.texts(), std::vector<std::string>{"Error creating temp file."});
    EXPECT_FALSE(fs::exists(m_tmp.path() / "missing"));
}

TEST_F(SectionFileTest, TempFileNamesAreNewEmptyFilesWithThePrefix)
{
    const std::optional<std::string> a = fnTempFileName(m_tmp.path().string(), "rpl");
    const std::optional<std::string> b = fnTempFileName(m_tmp.path().string(), "rpl");
    ASSERT_TRUE(a && b);
    EXPECT_NE(*a, *b);
    for (const std::string& p : {*a, *b}) {
        EXPECT_EQ(fs::path(p).parent_path(), m_tmp.path());
        EXPECT_EQ(fs::path(p).filename().string().rfind("rpl", 0), 0u);
        EXPECT_EQ(fs::file_size(p), 0u);
    }
    const std::optional<std::string> snapshot = fnTempFileName("", "~so");
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(fs::path(*snapshot).parent_path(), fs::temp_directory_path());
    fs::remove(*snapshot);
    EXPECT_FALSE(fnTempFileName((m_tmp.path() / "missing").string(), "rpl"));
}

TEST_F(SectionFileTest, CreateEmptyNeverTouchesAnExistingFile)
{
    EXPECT_TRUE(fnFileCreateEmpty(path("STAT_GLO.DAT")));
    EXPECT_EQ(fs::file_size(path("STAT_GLO.DAT")), 0u);
    put("[Anna]\r\n", "STAT_GLO.DAT");
    EXPECT_FALSE(fnFileCreateEmpty(path("STAT_GLO.DAT")));
    EXPECT_EQ(get("STAT_GLO.DAT"), "[Anna]\r\n");
}

TEST_F(SectionFileTest, LineListsLoadAnyLineEndAndSaveWithCrLf)
{
    put("first\r\nsecond\nthird\r\n\r\nlast", "LOG.DAT");
    const LinesRead read = loadLines(path("LOG.DAT"));
    EXPECT_FALSE(read.missing);
    EXPECT_FALSE(read.unreadable);
    EXPECT_EQ(read.lines, (std::vector<std::string>{"first", "second", "third", "", "last"}));

    ASSERT_TRUE(saveLines(path("LOG.DAT"), read.lines, m_boxes));
    EXPECT_EQ(get("LOG.DAT"), "first\r\nsecond\r\nthird\r\n\r\nlast\r\n");
    ASSERT_TRUE(saveLines(path("NEW.GAM"), {}, m_boxes));
    EXPECT_EQ(get("NEW.GAM"), "");

    const LinesRead missing = loadLines(path("NONE.DAT"));
    EXPECT_TRUE(missing.missing);
    EXPECT_TRUE(missing.lines.empty());
    fs::create_directory(path("DIR.DAT"));
    const LinesRead directory = loadLines(path("DIR.DAT"));
    EXPECT_FALSE(directory.missing);
    EXPECT_TRUE(directory.unreadable);
}

} // namespace
} // namespace kst
