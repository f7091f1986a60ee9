#include "storage/GameCatalogue.h"

#include "storage/CustomGames.h"
#include "storage/SectionFile.h"
#include "storage/TextUtils.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>

namespace kst {

namespace {

constexpr std::string_view kGameList = "[Sect1]";
constexpr std::string_view kMatrix = "[Sect2]";
// The browser's lists, by GameList.
constexpr std::array<std::string_view, 3> kListHeaders = {"[SectS]", "[SectO]", "[SectK]"};
constexpr std::size_t kColumnWidth = 11;
constexpr std::size_t kFirstColumn = 16; // 0-based start of column 0's field
constexpr std::size_t kFieldWidth = 10;

std::string inQuotes(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// The file line (1-based) of each line that fnExtractSection gives for the header.
std::vector<std::size_t> sectionLineNumbers(const std::vector<std::string>& lines, std::string_view header)
{
    std::vector<std::size_t> numbers;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with(header))
            inside = true;
        else if (lines[i].starts_with('['))
            inside = false;
        else if (inside)
            numbers.push_back(i + 1);
    }
    return numbers;
}

bool hasSection(const std::vector<std::string>& lines, std::string_view header)
{
    for (const std::string& line : lines) {
        if (line.starts_with(header))
            return true;
    }
    return false;
}

bool isBlank(std::string_view line)
{
    return line.find_first_not_of(' ') == std::string_view::npos;
}

enum class NumberError { None, NotNumber, TooLarge };

struct SignedRead {
    NumberError error = NumberError::NotNumber;
    std::int16_t value = 0;
};

// Leading blanks, an optional sign and digits only; the value must fit 16 bits.
SignedRead readInt16(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    text.remove_prefix(start);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !fnAllDigits(text))
        return {};
    long long magnitude = 0;
    for (const char c : text) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 40000) // beyond 16 bits whatever follows
            return {NumberError::TooLarge, 0};
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return {NumberError::TooLarge, 0};
    return {NumberError::None, static_cast<std::int16_t>(value)};
}

// Blanks around, digits inside.
std::optional<int> readPlainNumber(std::string_view text)
{
    const std::string trimmed = fnTrimLeft(fnTrimRight(text));
    if (trimmed.empty() || trimmed.size() > 6 || !fnAllDigits(trimmed))
        return std::nullopt;
    return std::stoi(trimmed);
}

// A customized game's overrides: cards per click and deals in one step, so a text that is not a
// number leaves both from there on; then the empty-tableau rule for the piles in use.
void applyCustomization(RuleTable& table, std::string_view text)
{
    const auto field = [&](std::size_t first) {
        return first + 3 <= text.size() ? readInt16(text.substr(first, 3)) : SignedRead{};
    };
    if (const SignedRead perClick = field(0); perClick.error == NumberError::None) {
        table.set(Rule::CardsPerStockClick, perClick.value);
        if (const SignedRead deals = field(3); deals.error == NumberError::None)
            table.set(Rule::Deals, deals.value);
    }
    if (text.size() < 7)
        return;
    std::int16_t rule = 0;
    switch (text[6]) {
    case '1': rule = 91; break;
    case '2': rule = -1; break;
    case '3': rule = 0; break;
    default: return;
    }
    // A damaged tableau count must not spill into the blocks that follow.
    const int piles = std::clamp<int>(table[Rule::TableauCount], 0, Rule::MaxTableaus);
    for (int i = 0; i < piles; ++i)
        table.set(Rule::TableauEmptyRule + i, rule);
}

} // namespace

GameCatalogue::GameCatalogue(std::string customGamesPath) : m_customGamesPath(std::move(customGamesPath)) {}

CatalogueResult GameCatalogue::load(const std::string& path)
{
    const LinesRead file = loadLines(path);
    if (file.missing)
        return {false, "Cannot find file: " + path};
    if (file.unreadable)
        return {false, "Cannot read file: " + path};

    const std::string fileName = std::filesystem::path(path).filename().string();
    const auto failAt = [&](std::size_t line, const std::string& what) {
        return CatalogueResult{false, fileName + ":" + std::to_string(line) + ": " + what};
    };
    for (const std::string_view header : {kGameList, kMatrix}) {
        if (!hasSection(file.lines, header))
            return {false, fileName + ": section " + std::string(header) + " is missing"};
    }

    std::vector<CatalogueGame> games;
    const std::vector<std::string> listLines = fnExtractSection(file.lines, kGameList);
    const std::vector<std::size_t> listNumbers = sectionLineNumbers(file.lines, kGameList);
    for (std::size_t i = 0; i < listLines.size(); ++i) {
        if (isBlank(listLines[i]))
            continue;
        const std::string line = characterShift(listLines[i]);
        if (line.size() < 7)
            return failAt(listNumbers[i], "game line is too short: " + inQuotes(line));
        if (line.size() >= 8 && line[7] == '9')
            continue;
        const std::optional<int> category = readPlainNumber(line.substr(0, 3));
        if (!category)
            return failAt(listNumbers[i], "game category is not a number: " + inQuotes(line.substr(0, 3)));
        const std::optional<int> id = readPlainNumber(line.substr(4, 3));
        if (!id)
            return failAt(listNumbers[i], "game id is not a number: " + inQuotes(line.substr(4, 3)));
        games.push_back({*category, *id, fnTrimRight(line.size() > 10 ? line.substr(10, 50) : ""),
                         line.size() >= 9 && line[8] == '1', line.size() >= 10 && line[9] == '1'});
    }

    std::vector<Column> columns(games.size(), Column{});
    const std::size_t needed = games.empty() ? 4 : kFirstColumn + kColumnWidth * (games.size() - 1) + kFieldWidth;
    const std::vector<std::string> matrixLines = fnExtractSection(file.lines, kMatrix);
    const std::vector<std::size_t> matrixNumbers = sectionLineNumbers(file.lines, kMatrix);
    int expected = 1;
    for (std::size_t i = 0; i < matrixLines.size(); ++i) {
        const std::string& line = matrixLines[i];
        if (isBlank(line))
            continue;
        const std::size_t at = matrixNumbers[i];
        const std::string indexField = line.substr(0, 4);
        const std::optional<int> index = readPlainNumber(indexField);
        if (!index)
            return failAt(at, "parameter index is not a number: " + inQuotes(indexField));
        if (!RuleTable::valid(*index))
            return failAt(at, "parameter index " + std::to_string(*index) + " is not in 0..367");
        if (*index != expected)
            return failAt(at, "parameter " + std::to_string(*index) + " stands where parameter "
                                  + std::to_string(expected) + " belongs");
        if (line.size() < needed)
            return failAt(at, "line is too short for " + std::to_string(games.size()) + " games");
        for (std::size_t c = 0; c < games.size(); ++c) {
            const std::string value = fnTrimRight(characterShift(line.substr(kFirstColumn + kColumnWidth * c, kFieldWidth)));
            const SignedRead read = readInt16(value);
            const std::string game = "value of game " + std::to_string(games[c].gameId);
            if (read.error == NumberError::NotNumber)
                return failAt(at, game + " is not a number: " + inQuotes(value));
            if (read.error == NumberError::TooLarge)
                return failAt(at, game + " does not fit 16 bits: " + inQuotes(value));
            columns[c][std::size_t(*index)] = read.value;
        }
        ++expected;
    }

    // The browser's lists only fill folders: a line that holds no id is passed over.
    std::array<std::vector<int>, 3> lists;
    for (std::size_t l = 0; l < kListHeaders.size(); ++l) {
        for (const std::string& stored : fnExtractSection(file.lines, kListHeaders[l])) {
            if (const std::optional<int> id = readPlainNumber(characterShift(stored)))
                lists[l].push_back(*id);
        }
    }

    m_games = std::move(games);
    m_columns = std::move(columns);
    m_lists = std::move(lists);
    return {true, {}};
}

int GameCatalogue::columnOf(int gameId) const
{
    if (gameId >= 0 && std::size_t(gameId) < m_games.size() && m_games[std::size_t(gameId)].gameId == gameId)
        return gameId;
    for (std::size_t i = 0; i < m_games.size(); ++i) {
        if (m_games[i].gameId == gameId)
            return int(i);
    }
    return -1;
}

std::string GameCatalogue::gameName(int gameId) const
{
    if (const int column = columnOf(gameId); column >= 0)
        return m_games[std::size_t(column)].name;
    if (gameId >= kFirstCustomCode)
        return fnCustomGameName(m_customGamesPath, gameId);
    return {};
}

bool GameCatalogue::needsLargeScreen(int gameId) const
{
    const int column = columnOf(baseGameId(gameId));
    return column >= 0 && m_games[std::size_t(column)].needsLargeScreen;
}

int GameCatalogue::gameIdByName(std::string_view name) const
{
    for (const CatalogueGame& game : m_games) {
        if (sameGameName(game.name, name))
            return game.gameId;
    }
    return fnCustomGameCode(m_customGamesPath, name);
}

int GameCatalogue::gameCategory(int gameId) const
{
    if (const int column = columnOf(gameId); column >= 0)
        return m_games[std::size_t(column)].category;
    if (gameId >= kFirstCustomCode && fnCustomGameBase(m_customGamesPath, gameId).found)
        return kCustomizedCategory;
    return -1;
}

int GameCatalogue::baseGameId(int gameId) const
{
    if (gameId < kFirstCustomCode)
        return gameId;
    const CustomGameBase record = fnCustomGameBase(m_customGamesPath, gameId);
    return record.found ? record.baseGameId : -1;
}

const GameCatalogue::Column* GameCatalogue::columnFor(int gameId, std::string* customization,
                                                      std::string& message) const
{
    int base = gameId;
    if (gameId >= kFirstCustomCode) {
        const CustomGameBase record = fnCustomGameBase(m_customGamesPath, gameId);
        if (!record.found) {
            message = "Customized game " + std::to_string(gameId) + " is not in GAM_CUST.DAT";
            return nullptr;
        }
        base = record.baseGameId;
        if (customization)
            *customization = record.overrides;
    }
    const int column = columnOf(base);
    if (column < 0) {
        message = base == gameId ? "Game " + std::to_string(gameId) + " is not in the catalogue"
                                 : "The base game " + std::to_string(base) + " of customized game "
                                       + std::to_string(gameId) + " is not in the catalogue";
        return nullptr;
    }
    return &m_columns[std::size_t(column)];
}

CatalogueResult GameCatalogue::loadRules(int gameId, RuleTable& table) const
{
    table.clear();
    std::string customization;
    std::string message;
    const Column* column = columnFor(gameId, &customization, message);
    if (!column)
        return {false, message};
    for (int i = 0; i < Rule::Count; ++i)
        table.set(i, (*column)[std::size_t(i)]);
    if (gameId >= kFirstCustomCode)
        applyCustomization(table, customization);
    table.saveRuleBlock();
    return {true, {}};
}

RuleValuesRead GameCatalogue::readRuleValues(int gameId, const std::vector<int>& indices) const
{
    RuleValuesRead read;
    read.values.fill(kRuleValueNotAsked);
    if (indices.size() > std::size_t(kMaxRuleValueReads)) {
        read.message = "At most " + std::to_string(kMaxRuleValueReads) + " rule parameters can be read at once";
        return read;
    }
    for (const int index : indices) {
        if (!RuleTable::valid(index)) {
            read.message = "No rule parameter " + std::to_string(index);
            return read;
        }
    }
    const Column* column = columnFor(gameId, nullptr, read.message);
    if (!column)
        return read;
    for (std::size_t i = 0; i < indices.size(); ++i)
        read.values[i] = (*column)[std::size_t(indices[i])];
    read.ok = true;
    return read;
}

std::string categoryIconName(int category)
{
    switch (category) {
    case 2: return "TREE5_CANFIELD_TYPE";
    case 3: return "TREE5_FORTYTHIEVES_TYPE";
    case 4: return "TREE5_FREECELL_TYPE";
    case 5: return "TREE5_KLONDIKE_TYPE";
    case 6: return "TREE5_PAIRING_TYPE";
    case 7: return "TREE5_SIMPLEGAMES_TYPE";
    case 8: return "TREE5_SPIDER_TYPE";
    case 9: return "TREE5_1DECK_TYPE";
    case 10: return "TREE5_2DECK_TYPE";
    case 11: return "TREE5_FAN_TYPE";
    case 12: return "TREE5_BAKERSDOZEN_TYPE";
    case 13: return "TREE5_ROW_TYPE";
    case kCustomizedCategory: return "TREE5_CUSTOMIZED_GAMES";
    default: return "GameCategory not found (" + std::to_string(category) + ")";
    }
}

} // namespace kst
