// Damaged and random files fed to every reader of data files (and to the writers that must read
// before they write): nothing may crash, and where the contract promises defaults, defaults come.

#include "storage/ProfileFile.h"
#include "storage/SectionFile.h"

#include "platform/test/TestPorts.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace kst {
namespace {

using namespace std::string_literals;

const std::string kValid = "[Version]\r\nVersion=0300\r\n\r\n"
                           "[0001]\r\nAnna=000001 000002 000003\r\nAnna2=000004 000005 000006\r\n\r\n"
                           "[Preference]\r\nSpeed=3\r\nSounds_Enabled=Y\r\n"
                           "[0002]\r\n01-01=aaaa x\r\n01-02=bbbb x\r\n\r\n"
                           "[Anna Smith]\r\nT01=123456789\r\nT02=987654321";

const std::vector<std::string> kKeys = {"Anna", "Anna2", "Missing"};
const std::vector<std::string> kDefaults = {"d1", "d2", "d3"};

class Damage {
public:
    explicit Damage(unsigned seed) : m_random(seed) {}

    std::string next()
    {
        switch (below(8)) {
        case 0: return randomBytes(below(3000));
        case 1: return kValid.substr(0, below(kValid.size() + 1));
        case 2: return truncateAtMark(kValid);
        case 3: return flipBytes(kValid);
        case 4: return removeAll(kValid, below(2) ? '\r' : '\n');
        case 5: return sprinkle(kValid);
        default: return sprinkle(truncateAtMark(flipBytes(kValid)));
        }
    }

private:
    std::size_t below(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random); }

    char anyByte()
    {
        // Mostly the bytes that carry structure, so that random files still look like section files.
        static constexpr char structure[] = {'[', ']', '=', '\r', '\n', '\0', ' ', '0', '1', 'A'};
        return below(2) ? structure[below(sizeof structure)] : char(below(256));
    }

    std::string randomBytes(std::size_t n)
    {
        std::string s;
        for (std::size_t i = 0; i < n; ++i)
            s += anyByte();
        return s;
    }

    // Cut right before or after one of the bytes that carry structure.
    std::string truncateAtMark(const std::string& s)
    {
        std::vector<std::size_t> marks;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (std::string_view("[]=\r\n").find(s[i]) != std::string_view::npos)
                marks.push_back(i + below(2));
        }
        return marks.empty() ? s : s.substr(0, marks[below(marks.size())]);
    }

    std::string flipBytes(std::string s)
    {
        for (std::size_t n = 1 + below(8); n > 0 && !s.empty(); --n)
            s[below(s.size())] = anyByte();
        return s;
    }

    static std::string removeAll(std::string s, char c)
    {
        s.erase(std::remove(s.begin(), s.end(), c), s.end());
        return s;
    }

    std::string sprinkle(std::string s)
    {
        static constexpr char marks[] = {'[', '=', '\0', ']'};
        for (std::size_t n = 1 + below(10); n > 0; --n)
            s.insert(below(s.size() + 1), 1, marks[below(sizeof marks)]);
        return s;
    }

    std::mt19937 m_random;
};

class ReaderRobustnessTest : public ::testing::Test {
protected:
    std::string path() const { return m_tmp.file("DATA.DAT"); }
    void put(const std::string& bytes) const { m_tmp.write("DATA.DAT", bytes); }

    // content is nothing for a directory in place of the file.
    void checkReaders(const std::optional<std::string>& content, const std::string& label)
    {
        SCOPED_TRACE(label);
        const bool mayHoldSection = content && content->find("[0001]") != std::string::npos;

        const std::optional<std::uint64_t> at = fnSectionFind(path(), "[0001]");
        if (at) {
            ASSERT_TRUE(mayHoldSection);
            EXPECT_EQ(content->compare(*at, 6, "[0001]"), 0);
            EXPECT_TRUE(*at == 0 || (*content)[*at - 1] == '\n');
        }

        const ValueRead value = fnSectionReadValue(path(), "0001", "Anna", "dflt");
        if (!value.found) {
            EXPECT_EQ(value.value, "dflt");
        }
        EXPECT_EQ(value.value.find('\n'), std::string::npos);
        EXPECT_TRUE(value.value.empty() || value.value.back() != ' ');

        const KeysRead keys = fnSectionReadKeys(path(), "0001", kKeys, kDefaults);
        ASSERT_EQ(keys.values.size(), kKeys.size());
        if (!mayHoldSection) {
            EXPECT_FALSE(keys.allFound);
            EXPECT_EQ(keys.values, kDefaults);
            EXPECT_FALSE(value.found);
            EXPECT_FALSE(at);
        }

        for (const std::string& line : fnSectionReadLines(path(), "0001")) {
            EXPECT_FALSE(line.empty());
            EXPECT_EQ(line.find('\n'), std::string::npos);
        }
        if (!mayHoldSection) {
            EXPECT_TRUE(fnSectionReadLines(path(), "0001").empty());
        }
        for (const std::string& name : fnSectionNames(path()))
            EXPECT_EQ(name.find('\n'), std::string::npos);

        const LinesRead lines = loadLines(path());
        if (!content) {
            EXPECT_TRUE(lines.unreadable);
            EXPECT_TRUE(lines.lines.empty());
        } else {
            EXPECT_FALSE(lines.missing || lines.unreadable);
            EXPECT_EQ(joined(lines.lines), normalised(*content));
        }

        const ProfileFile cfg(path());
        EXPECT_EQ(cfg.readText("Preference", "No_Such_Key", "dflt"), "dflt");
        const std::string speed = cfg.readText("Preference", "Speed", "dflt");
        EXPECT_EQ(speed.find('\n'), std::string::npos);
        const long number = cfg.readNumber("Preference", "Speed", -99);
        if (speed == "dflt") {
            EXPECT_EQ(number, -99);
        }
    }

    // Whatever the damage, a write that succeeds can be read back.
    void checkWriters(const std::string& label)
    {
        SCOPED_TRACE(label);
        EXPECT_TRUE(fnSectionWriteValue(path(), "0001", "Anna", "012345", m_boxes));
        EXPECT_EQ(fnSectionReadValue(path(), "0001", "Anna", "").value, "012345");
        EXPECT_TRUE(fnSectionOverwrite(path(), "0002", {"01-01", "01-02"}, {"AAAA x", "BBBB x"}, m_boxes));
        EXPECT_EQ(fnSectionReadKeys(path(), "0002", {"01-01", "01-02"}, {}).values,
                  (std::vector<std::string>{"AAAA x", "BBBB x"}));
        ProfileFile cfg(path());
        EXPECT_TRUE(cfg.writeText("Preference", "Speed", "7"));
        EXPECT_EQ(cfg.readNumber("Preference", "Speed", -1), 7);
        EXPECT_TRUE(m_boxes.shown().empty()) << m_boxes.texts().front();
    }

    static std::string joined(const std::vector<std::string>& lines)
    {
        std::string s;
        for (const std::string& line : lines)
            s += line + "\n";
        return s;
    }

    // The file as the lines must give it back: CR LF as LF, and a last line completed.
    static std::string normalised(const std::string& content)
    {
        std::string s;
        for (std::size_t i = 0; i < content.size(); ++i) {
            if (!(content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n'))
                s += content[i];
        }
        if (!s.empty() && s.back() != '\n') {
            if (s.back() == '\r')
                s.pop_back();
            s += '\n';
        }
        return s;
    }

    test::TempDir m_tmp{"robust"};
    test::ScriptedMessageBoxes m_boxes;
};

TEST_F(ReaderRobustnessTest, DamagedFilesNeverCrashAReader)
{
    for (const unsigned seed : {1u, 2u, 3u, 20261210u}) {
        Damage damage(seed);
        for (int i = 0; i < 500; ++i) {
            const std::string content = damage.next();
            const std::string label = "seed " + std::to_string(seed) + " case " + std::to_string(i);
            put(content);
            checkReaders(content, label);
            checkWriters(label);
            if (HasFatalFailure() || HasFailure())
                return;
        }
    }
}

TEST_F(ReaderRobustnessTest, MegabyteLineAndFilesWithoutLineEnds)
{
    const std::string huge(1 << 20, 'x');
    const std::string cases[] = {
        huge,
        "[0001]\r\nAnna=" + huge,
        huge + "\r\n[0001]\r\nAnna=1\r\n",
        "[0001]" + huge + "[0001]",
        std::string(20000, '[') + "[0001]",
        "\0\0\0\r\n[0001]\r\nAn\0na=1\r\nAnna=\0\r\n"s,
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        put(cases[i]);
        checkReaders(cases[i], "case " + std::to_string(i));
        checkWriters("case " + std::to_string(i));
    }
    put("[0001]\r\nAnna=" + huge);
    EXPECT_EQ(fnSectionReadValue(path(), "0001", "Anna", "").value, huge);
}

TEST_F(ReaderRobustnessTest, DirectoryInPlaceOfTheFileReadsAsDefaults)
{
    fs::create_directory(path());
    checkReaders(std::nullopt, "directory");
    EXPECT_EQ(fnSectionReadValue(path(), "0001", "Anna", "dflt").value, "dflt");
    EXPECT_EQ(ProfileFile(path()).readNumber("Preference", "Speed", 5), 5);

    EXPECT_FALSE(fnSectionWriteValue(path(), "0001", "Anna", "1", m_boxes));
    EXPECT_FALSE(ProfileFile(path()).writeText("Preference", "Speed", "7"));
    EXPECT_FALSE(saveLines(path(), {"x"}, m_boxes));
    EXPECT_TRUE(fs::is_directory(path()));
}

} // namespace
} // namespace kst
