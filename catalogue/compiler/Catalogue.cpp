#include "catalogue/compiler/Catalogue.h"

#include "cards/RuleTable.h"
#include "storage/Encoding.h"
#include "storage/GameCatalogue.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace kst::catalogue {

namespace {

constexpr int kInt16Min = -32768;
constexpr int kInt16Max = 32767;

constexpr Parameter kParameters[] = {
    {"FoundationCardsAtDeal", Rule::FoundationCardsAtDeal, 1, 0, 2},
    {"RunRule", Rule::RunRule, 1, kInt16Min, kInt16Max},
    {"TableauLayout", Rule::TableauLayout, 1, kInt16Min, kInt16Max},
    {"FoundationLayout", Rule::FoundationLayout, 1, kInt16Min, kInt16Max},
    {"ReserveLayout", Rule::ReserveLayout, 1, kInt16Min, kInt16Max},
    {"StockFace", Rule::StockFace, 1, 0, 1},
    {"StockClickPlace", Rule::StockClickPlace, 1, kInt16Min, kInt16Max},
    {"StockToWaste", Rule::StockToWaste, 1, kInt16Min, kInt16Max},
    {"ExtraFoundationCard", Rule::ExtraFoundationCard, 1, kInt16Min, kInt16Max},
    {"RunSize", Rule::RunSize, 1, kInt16Min, kInt16Max},
    {"ReserveAccess", Rule::ReserveAccess, 1, kInt16Min, kInt16Max},
    {"Deals", Rule::Deals, 1, kInt16Min, kInt16Max},
    {"RedealMode", Rule::RedealMode, 1, kInt16Min, kInt16Max},
    {"StockToWasteCondition", Rule::StockToWasteCondition, 1, kInt16Min, kInt16Max},
    {"FoundationTakeBack", Rule::FoundationTakeBack, 1, 0, 2},
    {"WasteUse", Rule::WasteUse, 1, kInt16Min, kInt16Max},
    {"Autoplay", Rule::Autoplay, 1, kInt16Min, kInt16Max},
    {"DeckSuits", Rule::DeckSuits, 1, 0, 2},
    {"CardsPerStockClick", Rule::CardsPerStockClick, 1, kInt16Min, kInt16Max},
    {"AutoFill", Rule::AutoFill, 1, 0, 7},
    {"FoundationPassOrder", Rule::FoundationPassOrder, 1, kInt16Min, kInt16Max},
    {"BlockedRows", Rule::BlockedRows, 1, kInt16Min, kInt16Max},
    {"BlockedPiles", Rule::BlockedPiles, 1, kInt16Min, kInt16Max},
    {"GridWidth", Rule::GridWidth, 1, kInt16Min, kInt16Max},
    {"SortedFoundations", Rule::SortedFoundations, 1, kInt16Min, kInt16Max},
    {"KingsToBottom", Rule::KingsToBottom, 1, kInt16Min, kInt16Max},
    {"FoundationCapacity", Rule::FoundationCapacity, 1, kInt16Min, kInt16Max},
    {"DealMode", Rule::DealMode, 1, 0, 10},
    {"StockRestriction", Rule::StockRestriction, 1, 0, 3},
    {"ClickToMove", Rule::ClickToMove, 1, kInt16Min, kInt16Max},
    {"ScreenSize", Rule::ScreenSize, 1, kInt16Min, kInt16Max},
    {"PairingSum", Rule::PairingSum, 1, kInt16Min, kInt16Max},
    {"FirstMoveRestriction", Rule::FirstMoveRestriction, 1, kInt16Min, kInt16Max},
    {"FillAfterFirstMove", Rule::FillAfterFirstMove, 1, kInt16Min, kInt16Max},
    {"ScoreConstant", Rule::ScoreConstant, 1, kInt16Min, kInt16Max},
    {"MaximumScore", Rule::MaximumScore, 1, kInt16Min, kInt16Max},
    {"TargetScore", Rule::TargetScore, 1, kInt16Min, kInt16Max},
    {"GameType", Rule::GameType, 1, kInt16Min, kInt16Max},
    {"BaseRank", Rule::BaseRank, Rule::MaxFoundations, kInt16Min, kInt16Max},
    {"FoundationDirection", Rule::FoundationDirection, Rule::MaxFoundations, 0, 2},
    {"FoundationBuildCode", Rule::FoundationBuildCode, Rule::MaxFoundations, kInt16Min, kInt16Max},
    {"FoundationStartCode", Rule::FoundationStartCode, Rule::MaxFoundations, kInt16Min, kInt16Max},
    {"TableauEmptyRule", Rule::TableauEmptyRule, Rule::MaxTableaus, kInt16Min, kInt16Max},
    {"TableauDirection", Rule::TableauDirection, Rule::MaxTableaus, 0, 2},
    {"TableauBuildCode", Rule::TableauBuildCode, Rule::MaxTableaus, kInt16Min, kInt16Max},
    {"WrapFlag", Rule::WrapFlag, Rule::MaxTableaus, kInt16Min, kInt16Max},
    {"StockToTableau", Rule::StockToTableau, Rule::MaxTableaus, 0, 4},
    {"ReserveRule", Rule::ReserveRule, Rule::MaxReserves, kInt16Min, kInt16Max},
    {"StockToReserve", Rule::StockToReserve, Rule::MaxReserves, 0, 4},
    {"SecondWasteStartCard", Rule::SecondWasteStartCard, 1, kInt16Min, kInt16Max},
    {"WasteDrops", Rule::WasteDrops, 1, kInt16Min, kInt16Max},
    {"WastePlace", Rule::WastePlace, 1, kInt16Min, kInt16Max},
    {"StockScheme", Rule::StockScheme, 1, kInt16Min, kInt16Max},
    {"StockRow", Rule::StockRow, 1, 0, 4},
    {"FoundationScheme", Rule::FoundationScheme, 1, kInt16Min, kInt16Max},
    {"FoundationRow", Rule::FoundationRow, 1, 0, 4},
    {"TableauScheme", Rule::TableauScheme, 1, kInt16Min, kInt16Max},
    {"TableauRow", Rule::TableauRow, 1, 0, 4},
    {"TableauRows", Rule::TableauRows, 1, kInt16Min, kInt16Max},
    {"ReserveScheme", Rule::ReserveScheme, 1, kInt16Min, kInt16Max},
    {"ReserveRow", Rule::ReserveRow, 1, 0, 4},
    {"SecondWasteScheme", Rule::SecondWasteScheme, 1, kInt16Min, kInt16Max},
    {"SecondWasteRow", Rule::SecondWasteRow, 1, 0, 4},
    {"StockGroupPiles", Rule::StockGroupPiles, 1, kInt16Min, kInt16Max},
    {"FoundationCount", Rule::FoundationCount, 1, 0, 16},
    {"TableauCount", Rule::TableauCount, 1, 0, 28},
    {"ReserveCount", Rule::ReserveCount, 1, 0, 8},
    {"SecondWastePiles", Rule::SecondWastePiles, 1, kInt16Min, kInt16Max},
    {"DeckSize", Rule::DeckSize, 1, 0, 104},
    {"StockDealt", Rule::StockDealt, 1, kInt16Min, kInt16Max},
    {"WasteDealt", Rule::WasteDealt, 1, kInt16Min, kInt16Max},
    {"ScoreConstant2", Rule::ScoreConstant2, 1, kInt16Min, kInt16Max},
    {"TableauDealt", Rule::TableauDealt, Rule::MaxTableaus, 0, 1504},
    {"TableauFaceUp", Rule::TableauFaceUp, Rule::MaxTableaus, kInt16Min, kInt16Max},
    {"SecondWasteDealt", Rule::SecondWasteDealt, 1, kInt16Min, kInt16Max},
    {"ReserveDealt", Rule::ReserveDealt, Rule::MaxReserves, kInt16Min, kInt16Max},
    {"ReserveFaceUp", Rule::ReserveFaceUp, Rule::MaxReserves, kInt16Min, kInt16Max},
    {"CustomizeStockClick", Rule::CustomizeStockClick, 1, kInt16Min, kInt16Max},
    {"CustomizeDeals", Rule::CustomizeDeals, 1, kInt16Min, kInt16Max},
    {"CustomizeEmptyRule", Rule::CustomizeEmptyRule, 1, kInt16Min, kInt16Max},
};

// Browser values, written through their own keywords.

struct Word {
    std::string_view keyword;
    std::vector<std::string_view> values; // a value's position is its number
    int index;
};

const std::vector<Word>& browserWords()
{
    static const std::vector<Word> words = {
        {"time", {"long", "medium", "quick"}, Rule::BrowserTime},
        {"difficulty", {"easy", "medium", "hard"}, Rule::BrowserDifficulty},
        {"skill", {"difficult", "mostly-skill", "moderate", "mostly-chance", "chance-only"}, Rule::BrowserSkill},
        {"chance", {"very-high", "high", "medium", "low", "very-low"}, Rule::BrowserChance},
    };
    return words;
}

constexpr int kMinCategory = 2;
constexpr int kMaxCategory = 13;
constexpr int kMaxId = 999;
constexpr std::size_t kNameWidth = 50;
constexpr int kValueWidth = 10;

struct Assignment {
    int index;
    int value;
};

struct Token {
    std::string text;
    bool quoted = false;
};

// One parsed file: a game, or the defaults (no id).
struct Definition {
    std::string path;
    int gameLine = 0;
    std::optional<int> id;
    std::string name;
    std::optional<int> category;
    bool isNew = false;
    bool selected = false;
    bool original = false;
    bool children = false;
    int inheritsLine = 0;
    std::optional<Token> base;
    std::vector<Assignment> assignments; // in file order, applied over the base's values
    std::string rulesText;
    std::string summary;
    std::vector<Scenario> scenarios;
    int oddsLine = 0;
    std::optional<Measurement> measured;
};

class Errors {
public:
    explicit Errors(std::vector<std::string>& out) : m_out(out) {}
    void add(const std::string& path, int line, const std::string& message)
    {
        m_out.push_back(path + ":" + std::to_string(line) + ": " + message);
    }

private:
    std::vector<std::string>& m_out;
};

// What follows the keyword on an odds line.
std::string oddsWords(const Odds& odds)
{
    return odds.played == 0 ? "none" : std::to_string(odds.won) + " in " + std::to_string(odds.played);
}

std::optional<int> parseInt(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::string rangeText(int minimum, int maximum)
{
    return std::to_string(minimum) + ".." + std::to_string(maximum);
}

// Splits at blanks and tabs; a double-quoted text is one token; "#" outside quotes ends the line.
std::optional<std::vector<Token>> tokenize(std::string_view line)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            tokens.push_back({std::string(line.substr(i + 1, close - i - 1)), true});
            i = close + 1;
        } else {
            std::size_t j = i;
            while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r' && line[j] != '#')
                ++j;
            tokens.push_back({std::string(line.substr(i, j - i)), false});
            i = j;
        }
    }
    return tokens;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            if (start < text.size())
                lines.emplace_back(text.substr(start));
            break;
        }
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool isIndented(const std::string& line)
{
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

bool isBlank(const std::string& line)
{
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

// Drops the indentation common to the non-blank lines and the blank lines at either end.
std::string joinRulesText(std::vector<std::string> lines)
{
    while (!lines.empty() && isBlank(lines.back()))
        lines.pop_back();
    while (!lines.empty() && isBlank(lines.front()))
        lines.erase(lines.begin());
    std::size_t indent = std::string::npos;
    for (const std::string& line : lines)
        if (!isBlank(line))
            indent = std::min(indent, line.find_first_not_of(" \t"));
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = isBlank(lines[i]) ? std::string() : lines[i].substr(indent);
        line.erase(line.find_last_not_of(" \t") + 1);
        if (i > 0)
            text += "\r\n";
        text += line;
    }
    return text;
}

class Parser {
public:
    Parser(const SourceFile& file, bool isDefaults, Errors& errors)
        : m_file(file), m_isDefaults(isDefaults), m_errors(errors)
    {
        m_definition.path = file.path;
    }

    Definition parse()
    {
        const std::vector<std::string> lines = splitLines(m_file.text);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int lineNumber = static_cast<int>(i) + 1;
            const std::string& line = lines[i];
            if (isBlank(line) || line.find_first_not_of(" \t") == line.find('#'))
                continue;
            if (isIndented(line)) {
                error(lineNumber, "indented line outside a rules block");
                continue;
            }
            const auto tokens = tokenize(line);
            if (!tokens) {
                error(lineNumber, "unclosed quote");
                continue;
            }
            if ((*tokens)[0].text == "rules" && !(*tokens)[0].quoted) {
                i = readRules(lines, i, *tokens);
                continue;
            }
            if ((*tokens)[0].text == "scenario" && !(*tokens)[0].quoted) {
                i = readScenario(lines, i, *tokens);
                continue;
            }
            statement(lineNumber, *tokens);
        }
        if (!m_isDefaults && m_definition.gameLine == 0)
            error(1, "missing game line (game <id> \"<name>\")");
        return std::move(m_definition);
    }

private:
    void error(int line, const std::string& message) { m_errors.add(m_file.path, line, message); }

    std::size_t readRules(const std::vector<std::string>& lines, std::size_t start, const std::vector<Token>& tokens)
    {
        const int lineNumber = static_cast<int>(start) + 1;
        if (tokens.size() != 1)
            error(lineNumber, "rules takes no value; its text follows on indented lines");
        if (m_isDefaults)
            error(lineNumber, "rules is not allowed in defaults");
        std::vector<std::string> text;
        for (std::size_t i = start + 1; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            if (isBlank(line) || isIndented(line)) {
                text.push_back(line);
                continue;
            }
            std::string trimmed = line;
            trimmed.erase(trimmed.find_last_not_of(" \t") + 1);
            if (trimmed != "end") {
                error(static_cast<int>(i) + 1, "rules text must be indented and closed by end");
                return i;
            }
            const auto converted = utf8ToCp1252(joinRulesText(text));
            if (!converted)
                error(lineNumber, "rules text holds a character that Windows-1252 cannot hold");
            else if (m_definition.rulesText.empty())
                m_definition.rulesText = *converted;
            else
                error(lineNumber, "second rules block");
            return i;
        }
        error(lineNumber, "rules block without end");
        return lines.size();
    }

    // scenario NUMBER [options], then indented play commands and checks up to end.
    std::size_t readScenario(const std::vector<std::string>& lines, std::size_t start, const std::vector<Token>& tokens)
    {
        const int lineNumber = static_cast<int>(start) + 1;
        if (m_isDefaults)
            error(lineNumber, "scenario is not allowed in defaults");
        if (tokens.size() < 2)
            error(lineNumber, "scenario needs a game number");
        Scenario scenario;
        scenario.line = lineNumber;
        for (std::size_t t = 1; t < tokens.size(); ++t)
            scenario.header.push_back(tokens[t].text);
        for (std::size_t i = start + 1; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            if (isBlank(line))
                continue;
            if (isIndented(line)) {
                const std::size_t first = line.find_first_not_of(" \t");
                if (line[first] != '#')
                    scenario.steps.emplace_back(static_cast<int>(i) + 1, line.substr(first));
                continue;
            }
            std::string trimmed = line;
            trimmed.erase(trimmed.find_last_not_of(" \t\r") + 1);
            if (trimmed != "end") {
                error(static_cast<int>(i) + 1, "scenario steps must be indented and closed by end");
                return i;
            }
            if (scenario.steps.empty())
                error(lineNumber, "scenario without steps");
            m_definition.scenarios.push_back(std::move(scenario));
            return i;
        }
        error(lineNumber, "scenario without end");
        return lines.size();
    }

    void summary(int line, const std::vector<Token>& args)
    {
        if (m_isDefaults) {
            error(line, "summary is not allowed in defaults");
            return;
        }
        if (args.size() != 1 || !args[0].quoted || args[0].text.empty()) {
            error(line, "summary takes one quoted line");
            return;
        }
        if (!m_definition.summary.empty()) {
            error(line, "second summary");
            return;
        }
        m_definition.summary = args[0].text;
    }

    void statement(int line, const std::vector<Token>& tokens)
    {
        const std::string& keyword = tokens[0].text;
        const std::vector<Token> args(tokens.begin() + 1, tokens.end());
        if (keyword == "game" || keyword == "inherits" || keyword == "new" || keyword == "lists"
            || keyword == "category" || keyword == "measured") {
            if (m_isDefaults) {
                error(line, keyword + " is not allowed in defaults");
                return;
            }
        }
        if (keyword == "game")
            gameLine(line, args);
        else if (keyword == "inherits")
            inherits(line, args);
        else if (keyword == "category")
            category(line, args);
        else if (keyword == "new")
            newFlag(line, args);
        else if (keyword == "lists")
            lists(line, args);
        else if (keyword == "odds")
            odds(line, args);
        else if (keyword == "measured")
            measured(line, args);
        else if (keyword == "summary")
            summary(line, args);
        else if (const Word* word = browserWord(keyword))
            browser(line, *word, args);
        else if (const Parameter* parameter = findParameter(keyword))
            values(line, *parameter, args);
        else if (keyword == "end")
            error(line, "end without rules");
        else
            error(line, "unknown keyword or parameter '" + keyword + "'");
    }

    static const Word* browserWord(std::string_view keyword)
    {
        for (const Word& word : browserWords())
            if (word.keyword == keyword)
                return &word;
        return nullptr;
    }

    void gameLine(int line, const std::vector<Token>& args)
    {
        if (m_definition.gameLine != 0) {
            error(line, "second game line");
            return;
        }
        m_definition.gameLine = line;
        const auto id = args.empty() || args[0].quoted ? std::nullopt : parseInt(args[0].text);
        if (!id || *id < 1 || *id > kMaxId) {
            error(line, "game id must be a number 1.." + std::to_string(kMaxId));
            return;
        }
        m_definition.id = *id;
        if (args.size() < 2 || !args[1].quoted || args[1].text.empty()) {
            error(line, "missing game name (game <id> \"<name>\")");
            return;
        }
        if (args.size() > 2) {
            error(line, "unexpected '" + args[2].text + "' after the game name");
            return;
        }
        const auto name = utf8ToCp1252(args[1].text);
        if (!name || !storeShifted(*name)) {
            error(line, "game name holds a character the catalogue cannot store");
            return;
        }
        if (name->size() > kNameWidth) {
            error(line, "game name longer than " + std::to_string(kNameWidth) + " characters");
            return;
        }
        m_definition.name = *name;
    }

    void inherits(int line, const std::vector<Token>& args)
    {
        if (args.size() != 1) {
            error(line, "inherits takes one game: defaults, an id or a quoted name");
            return;
        }
        m_definition.inheritsLine = line;
        m_definition.base = args[0];
    }

    void category(int line, const std::vector<Token>& args)
    {
        const auto value = args.size() == 1 ? parseInt(args[0].text) : std::nullopt;
        if (!value || *value < kMinCategory || *value > kMaxCategory) {
            error(line, "category must be a number " + rangeText(kMinCategory, kMaxCategory));
            return;
        }
        m_definition.category = *value;
    }

    void newFlag(int line, const std::vector<Token>& args)
    {
        if (args.size() == 1 && (args[0].text == "yes" || args[0].text == "no"))
            m_definition.isNew = args[0].text == "yes";
        else
            error(line, "new must be yes or no");
    }

    void lists(int line, const std::vector<Token>& args)
    {
        for (const Token& arg : args) {
            if (arg.text == "selected")
                m_definition.selected = true;
            else if (arg.text == "original")
                m_definition.original = true;
            else if (arg.text == "children")
                m_definition.children = true;
            else if (arg.text != "none")
                error(line, "unknown list '" + arg.text + "' (selected, original, children or none)");
        }
    }

    void odds(int line, const std::vector<Token>& args)
    {
        // One line, so that the measurement knows which one to rewrite.
        if (m_definition.oddsLine != 0) {
            error(line, "second odds line");
            return;
        }
        m_definition.oddsLine = line;
        if (args.size() == 1 && args[0].text == "none") {
            assign(Rule::OddsWon, 0);
            assign(Rule::OddsPlayed, 0);
            return;
        }
        const auto won = args.size() == 3 ? parseInt(args[0].text) : std::nullopt;
        const auto played = args.size() == 3 ? parseInt(args[2].text) : std::nullopt;
        if (!won || !played || args[1].text != "in" || *won < 0 || *played < 1 || *won > *played
            || *played > kInt16Max) {
            error(line, "odds must be none or <won> in <played>, 0 <= won <= played <= 32767");
            return;
        }
        assign(Rule::OddsWon, *won);
        assign(Rule::OddsPlayed, *played);
    }

    // measured DEALS won W lost L, as kst-catalogue --odds writes it.
    void measured(int line, const std::vector<Token>& args)
    {
        if (m_definition.measured) {
            error(line, "second measured line");
            return;
        }
        const bool shaped = args.size() == 5 && args[1].text == "won" && args[3].text == "lost"
                            && std::none_of(args.begin(), args.end(), [](const Token& t) { return t.quoted; });
        const auto deals = shaped ? parseInt(args[0].text) : std::nullopt;
        const auto won = shaped ? parseInt(args[2].text) : std::nullopt;
        const auto lost = shaped ? parseInt(args[4].text) : std::nullopt;
        if (!deals || !won || !lost) {
            error(line, "measured must be <deals> won <won> lost <lost>");
            return;
        }
        if (*deals < 1 || *deals > kInt16Max || *won < 0 || *lost < 0) {
            error(line, "measured: deals must be 1.." + std::to_string(kInt16Max) + ", won and lost 0 or more");
            return;
        }
        if (static_cast<long long>(*won) + *lost > *deals) {
            error(line, "measured: won " + std::to_string(*won) + " and lost " + std::to_string(*lost)
                            + " are more than the " + std::to_string(*deals) + " deals");
            return;
        }
        m_definition.measured = Measurement{line, *deals, *won, *lost};
    }

    void browser(int line, const Word& word, const std::vector<Token>& args)
    {
        if (args.size() == 1) {
            const auto found = std::find(word.values.begin(), word.values.end(), args[0].text);
            if (found != word.values.end()) {
                assign(word.index, static_cast<int>(found - word.values.begin()));
                return;
            }
        }
        std::string choices;
        for (std::string_view value : word.values)
            choices += (choices.empty() ? "" : "|") + std::string(value);
        error(line, std::string(word.keyword) + " must be one of " + choices);
    }

    // A single value, or for a block a list of value or value*count filling it from its start.
    void values(int line, const Parameter& parameter, const std::vector<Token>& args)
    {
        const std::string name(parameter.name);
        if (args.empty()) {
            error(line, name + " needs a value");
            return;
        }
        std::vector<int> list;
        for (const Token& arg : args) {
            const std::size_t star = arg.text.find('*');
            const auto value = parseInt(std::string_view(arg.text).substr(0, star));
            const auto count = star == std::string::npos ? std::optional<int>(1)
                                                        : parseInt(std::string_view(arg.text).substr(star + 1));
            if (arg.quoted || !value || !count || *count < 1 || (star != std::string::npos && parameter.length == 1)) {
                error(line, name + ": '" + arg.text + "' is not "
                                + (parameter.length == 1 ? "a number" : "a number or number*count"));
                return;
            }
            if (*value < parameter.minimum || *value > parameter.maximum) {
                error(line, name + " " + std::to_string(*value) + " is out of range "
                                + rangeText(parameter.minimum, parameter.maximum));
                return;
            }
            if (static_cast<int>(list.size()) + *count > parameter.length) {
                if (parameter.length == 1)
                    error(line, name + " takes one value");
                else
                    error(line, name + ": more than " + std::to_string(parameter.length) + " values for its "
                                    + std::to_string(parameter.length) + " piles");
                return;
            }
            list.insert(list.end(), static_cast<std::size_t>(*count), *value);
        }
        for (std::size_t i = 0; i < list.size(); ++i)
            assign(parameter.index + static_cast<int>(i), list[i]);
    }

    void assign(int index, int value) { m_definition.assignments.push_back({index, value}); }

    const SourceFile& m_file;
    const bool m_isDefaults;
    Errors& m_errors;
    Definition m_definition;
};

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

struct Resolved {
    std::array<std::int16_t, kRuleCount> values{};
    std::optional<int> category;
};

class Resolver {
public:
    Resolver(const Definition& defaults, const std::vector<Definition>& games, Errors& errors)
        : m_defaults(defaults), m_games(games), m_errors(errors), m_state(games.size(), State::Open),
          m_resolved(games.size())
    {
        apply(m_defaultValues, defaults);
    }

    // Nothing when the game or one of its bases failed; the error is then reported.
    std::optional<Resolved> resolve(std::size_t game)
    {
        if (m_state[game] == State::Done)
            return m_resolved[game];
        if (m_state[game] == State::Failed)
            return std::nullopt;
        if (m_state[game] == State::Visiting) {
            m_cycleStart = game;
            return std::nullopt;
        }
        m_state[game] = State::Visiting;
        const Definition& definition = m_games[game];
        Resolved resolved;
        resolved.values = m_defaultValues.values;
        const bool explicitBase = definition.base && !(!definition.base->quoted && definition.base->text == "defaults");
        if (explicitBase) {
            const auto base = findBase(*definition.base);
            if (!base) {
                m_errors.add(definition.path, definition.inheritsLine,
                             "unknown base game '" + definition.base->text + "'");
                m_state[game] = State::Failed;
                return std::nullopt;
            }
            const auto baseResolved = resolve(*base);
            if (!baseResolved) {
                if (m_cycleStart && *m_cycleStart == game) {
                    std::string cycle = definition.name;
                    for (std::size_t at = *base; at != game;) {
                        cycle += " -> " + m_games[at].name;
                        at = *findBase(*m_games[at].base);
                    }
                    m_errors.add(definition.path, definition.inheritsLine,
                                 "inheritance cycle: " + cycle + " -> " + definition.name);
                    m_cycleStart.reset();
                }
                m_state[game] = State::Failed;
                return std::nullopt;
            }
            resolved = *baseResolved;
            // Odds are measured on one game; a base game's figures say nothing about this one.
            for (const int index : {Rule::OddsWon, Rule::OddsPlayed})
                resolved.values[std::size_t(index)] = m_defaultValues.values[std::size_t(index)];
        }
        apply(resolved, definition);
        m_state[game] = State::Done;
        m_resolved[game] = resolved;
        return resolved;
    }

    std::optional<std::size_t> findBase(const Token& base) const
    {
        const auto id = base.quoted ? std::nullopt : parseInt(base.text);
        for (std::size_t i = 0; i < m_games.size(); ++i) {
            const Definition& game = m_games[i];
            if (id ? game.id == *id : lower(game.name) == lower(utf8ToCp1252(base.text).value_or("")))
                return i;
        }
        return std::nullopt;
    }

private:
    enum class State { Open, Visiting, Done, Failed };

    static void apply(Resolved& resolved, const Definition& definition)
    {
        for (const Assignment& assignment : definition.assignments)
            resolved.values[static_cast<std::size_t>(assignment.index)] = static_cast<std::int16_t>(assignment.value);
        if (definition.category)
            resolved.category = definition.category;
    }

    const Definition& m_defaults;
    const std::vector<Definition>& m_games;
    Errors& m_errors;
    Resolved m_defaultValues;
    std::vector<State> m_state;
    std::vector<std::optional<Resolved>> m_resolved;
    std::optional<std::size_t> m_cycleStart;
};

std::string threeDigits(int number)
{
    char text[8];
    std::snprintf(text, sizeof text, "%03d", number);
    return text;
}

// Every field is built from digits, blanks, the minus sign and checked names, all storable.
std::string shifted(std::string_view text)
{
    return storeShifted(text).value_or(std::string());
}

} // namespace

std::span<const Parameter> parameters()
{
    return kParameters;
}

const Parameter* findParameter(std::string_view name)
{
    for (const Parameter& parameter : kParameters)
        if (parameter.name == name)
            return &parameter;
    return nullptr;
}

std::optional<std::string> storeShifted(std::string_view text)
{
    // The reader turns a stored code of 80 or more into code - 48, so x is stored as x + 48;
    // codes below 32 or above 207 have no stored form.
    std::string result(text);
    for (char& c : result) {
        const int code = static_cast<unsigned char>(c);
        if (code < 32 || code > 207)
            return std::nullopt;
        c = static_cast<char>(code + 48);
    }
    return result;
}

Odds oddsFrom(const Measurement& measured)
{
    const int decided = measured.won + measured.lost;
    if (decided * 10 < measured.deals * 9)
        return {};
    return {measured.won, decided};
}

std::string oddsLine(const Odds& odds)
{
    return "odds " + oddsWords(odds);
}

std::string measuredLine(const Measurement& measured)
{
    return "measured " + std::to_string(measured.deals) + " won " + std::to_string(measured.won) + " lost "
           + std::to_string(measured.lost);
}

RuleTable ruleTable(const Game& game)
{
    RuleTable rules;
    for (int index = 0; index < kRuleCount; ++index)
        rules.set(index, game.values[std::size_t(index)]);
    rules.saveRuleBlock();
    return rules;
}

Compiled compile(const SourceFile& defaultsFile, const std::vector<SourceFile>& gameFiles)
{
    Compiled compiled;
    Errors errors(compiled.errors);
    const Definition defaults = Parser(defaultsFile, true, errors).parse();
    std::vector<Definition> definitions;
    for (const SourceFile& file : gameFiles)
        definitions.push_back(Parser(file, false, errors).parse());
    if (!compiled.errors.empty())
        return compiled;

    std::map<int, std::string> idOwners;
    std::map<std::string, std::string> nameOwners;
    for (const Definition& definition : definitions) {
        const auto [idAt, idNew] = idOwners.emplace(*definition.id, definition.path);
        if (!idNew)
            errors.add(definition.path, definition.gameLine,
                       "game id " + std::to_string(*definition.id) + " is already used by " + idAt->second);
        const auto [nameAt, nameNew] = nameOwners.emplace(lower(definition.name), definition.path);
        if (!nameNew)
            errors.add(definition.path, definition.gameLine,
                       "game name \"" + definition.name + "\" is already used by " + nameAt->second);
    }
    if (!compiled.errors.empty())
        return compiled;

    Resolver resolver(defaults, definitions, errors);
    std::vector<Game> games;
    for (std::size_t i = 0; i < definitions.size(); ++i) {
        const auto resolved = resolver.resolve(i);
        if (!resolved)
            continue;
        const Definition& definition = definitions[i];
        if (!resolved->category) {
            errors.add(definition.path, definition.gameLine, "missing category");
            continue;
        }
        if (const auto& measured = definition.measured) {
            const Odds expected = oddsFrom(*measured);
            const Odds given{resolved->values[Rule::OddsWon], resolved->values[Rule::OddsPlayed]};
            if (given != expected) {
                std::string message = "odds must be " + oddsWords(expected) + " to agree with the measured line";
                if (expected.played == 0)
                    message += ": " + std::to_string(measured->won + measured->lost) + " of its "
                               + std::to_string(measured->deals) + " deals were decided, fewer than 90 %";
                errors.add(definition.path, measured->line, message);
                continue;
            }
        }
        Game game;
        game.id = *definition.id;
        game.name = definition.name;
        game.category = *resolved->category;
        game.isNew = definition.isNew;
        game.selected = definition.selected;
        game.original = definition.original;
        game.children = definition.children;
        game.values = resolved->values;
        game.rulesText = definition.rulesText;
        game.path = definition.path;
        game.summary = definition.summary;
        game.scenarios = definition.scenarios;
        game.measured = definition.measured;
        if (definition.base && (definition.base->quoted || definition.base->text != "defaults"))
            if (const auto base = resolver.findBase(*definition.base))
                game.baseGameId = definitions[*base].id;
        games.push_back(std::move(game));
    }
    if (!compiled.errors.empty())
        return compiled;
    std::sort(games.begin(), games.end(), [](const Game& a, const Game& b) { return a.id < b.id; });
    compiled.games = std::move(games);
    return compiled;
}

std::string gamesDat(const std::vector<Game>& games)
{
    const std::string end = "\r\n";
    std::string out = "[Sect1]" + end;
    for (const Game& game : games) {
        std::string line = threeDigits(game.category) + " " + threeDigits(game.id) + "0 " + (game.isNew ? "1" : "0")
                         + game.name + std::string(kNameWidth - game.name.size(), ' ');
        out += shifted(line) + end;
    }
    out += "[Sect2]" + end;
    for (int index = 1; index < kRuleCount; ++index) {
        char number[8];
        std::snprintf(number, sizeof number, "%04d", index);
        out += number + std::string(12, ' ');
        for (const Game& game : games) {
            std::string value = std::to_string(game.values[static_cast<std::size_t>(index)]);
            value.resize(kValueWidth + 1, ' ');
            out += shifted(value);
        }
        out += end;
    }
    const std::pair<const char*, bool Game::*> lists[] = {
        {"[SectS]", &Game::selected}, {"[SectO]", &Game::original}, {"[SectK]", &Game::children}};
    for (const auto& [header, member] : lists) {
        out += header + end;
        for (const Game& game : games)
            if (game.*member)
                out += shifted(threeDigits(game.id)) + end;
    }
    return out;
}

namespace {

std::string categoryName(int category)
{
    static const char* const names[] = {"Canfield", "Forty Thieves", "FreeCell", "Klondike", "Pairing", "Simple",
                                        "Spider", "One deck", "Two decks", "Fan", "Baker's Dozen", "Rows"};
    return category >= kMinCategory && category <= kMaxCategory ? names[category - kMinCategory]
                                                                 : std::to_string(category);
}

std::string decksText(const Game& game)
{
    const auto value = [&](int index) { return int(game.values[std::size_t(index)]); };
    const int size = value(Rule::DeckSize);
    std::string text = size > CardsPerDeck    ? "2"
                       : size == CardsPerDeck ? "1"
                                              : "1 (" + std::to_string(size) + " cards)";
    if (value(Rule::DeckSuits) == int(DeckSuits::One))
        text += ", one suit";
    else if (value(Rule::DeckSuits) == int(DeckSuits::Two))
        text += ", two suits";
    return text;
}

// How often the stock is gone through again: turned over, or the tableau gathered and dealt anew.
std::string redealsText(const Game& game)
{
    const auto value = [&](int index) { return int(game.values[std::size_t(index)]); };
    const bool turnsWaste = value(Rule::StockToWaste) == 1 && value(Rule::RedealMode) == 0;
    const bool gathers = value(Rule::RedealMode) > 0;
    if (!turnsWaste && !gathers)
        return "none";
    if (value(Rule::Deals) == -1)
        return "unlimited";
    const int redeals = value(Rule::Deals) - 1;
    return redeals > 0 ? std::to_string(redeals) : "none";
}

// The odds as the program shows them beside the chance of winning; empty when the game has none.
std::string oddsText(const Game& game)
{
    const Odds odds = game.odds();
    return odds.played == 0 ? "" : "about " + std::to_string(odds.won) + " in " + std::to_string(odds.played);
}

// The won, lost and unknown cells of a game's overview row, empty when it was not measured.
std::string measuredCells(const Game& game)
{
    const auto& m = game.measured;
    return m ? std::to_string(m->won) + " | " + std::to_string(m->lost) + " | " + std::to_string(m->unknown())
             : std::string(" |  | ");
}

std::string dealsWord(int count)
{
    return count == 1 ? "deal" : "deals";
}

std::string tableCell(std::string text)
{
    for (std::size_t at = text.find('|'); at != std::string::npos; at = text.find('|', at + 2))
        text.replace(at, 1, "\\|");
    return text;
}

} // namespace

std::string overview(const std::vector<Game>& games)
{
    std::string out = "# The games of the catalogue\n\n"
                      "Written by `make overview` from the game definitions in games/; do not edit by hand.\n\n"
                      "Won, lost and unknown count the deals solved by `make odds`, each won, proven lost or\n"
                      "left undecided at the solver's limit; the odds are shown as the program shows them.\n\n"
                      "| id | game | category | decks | redeals | won | lost | unknown | odds | in short |\n"
                      "|---:|---|---|---|---|---:|---:|---:|---|---|\n";
    for (const Game& game : games)
        out += "| " + std::to_string(game.id) + " | " + tableCell(cp1252ToUtf8(game.name)) + " | "
             + categoryName(game.category) + " | " + decksText(game) + " | " + redealsText(game) + " | "
             + measuredCells(game) + " | " + oddsText(game) + " | " + tableCell(game.summary) + " |\n";
    out += "\n" + std::to_string(games.size()) + " games.\n";
    return out;
}

std::string rulesHelp(const Game& game)
{
    std::string text = game.rulesText;
    if (game.measured && game.odds().played != 0)
        text += std::string(text.empty() ? "" : "\r\n\r\n") + "Chance of winning: " + oddsText(game) + " "
                + dealsWord(game.odds().played) + ", as measured by the solver over "
                + std::to_string(game.measured->deals) + " " + dealsWord(game.measured->deals) + ".";
    return text + "\r\n";
}

namespace {

std::string html(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string pageName(int gameId)
{
    char name[16];
    std::snprintf(name, sizeof name, "%04d.html", gameId);
    return name;
}

// The game's name, linked to its page when it has one (a game without rules has none).
std::string gameLink(const Game& game, std::string_view folder = {})
{
    const std::string name = html(cp1252ToUtf8(game.name));
    if (game.rulesText.empty())
        return name;
    return "<a href=\"" + std::string(folder) + pageName(game.id) + "\">" + name + "</a>";
}

std::string pageStart(const std::string& title)
{
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head>\n<body>\n";
}

// The rules text in paragraphs: a blank line, or a line that opens with a heading word and a colon
// ("Aim:", "Empty piles:"), starts a new one; the heading is shown bold.
std::string rulesParagraphs(const std::string& rulesText)
{
    std::vector<std::string> paragraphs;
    bool open = false;
    std::size_t at = 0;
    while (at <= rulesText.size()) {
        std::size_t end = rulesText.find("\r\n", at);
        if (end == std::string::npos)
            end = rulesText.size();
        const std::string line = rulesText.substr(at, end - at);
        at = end + 2;
        if (line.find_first_not_of(' ') == std::string::npos) {
            open = false;
            continue;
        }
        const std::size_t colon = line.find(':');
        const bool heading = colon != std::string::npos && colon <= 20
            && std::isupper(static_cast<unsigned char>(line[0])) && line.find_first_of(".,;", 0) > colon;
        std::string text = html(cp1252ToUtf8(line));
        if (heading) {
            const std::size_t shownColon = text.find(':');
            text = "<b>" + text.substr(0, shownColon + 1) + "</b>" + text.substr(shownColon + 1);
        }
        if (!open || heading) {
            paragraphs.push_back(text);
            open = true;
        } else {
            paragraphs.back() += " " + text;
        }
    }
    std::string out;
    for (const std::string& p : paragraphs)
        out += "<p>" + p + "</p>\n";
    return out;
}

} // namespace

std::string helpPage(const Game& game, const std::vector<Game>& games)
{
    const std::string name = html(cp1252ToUtf8(game.name));
    std::string out = pageStart(name);
    out += "<p><a href=\"../index.html\">All games</a> &middot; <a href=\"../program.html\">Playing Kestrane "
           "2000</a></p>\n";
    out += "<h1>" + name + "</h1>\n";
    char preview[32];
    std::snprintf(preview, sizeof preview, "preview:%04d", game.id);
    out += "<p><img src=\"" + std::string(preview) + "\"></p>\n";
    const std::string odds = oddsText(game);
    out += "<table cellpadding=\"2\">\n<tr><td><b>Category:</b></td><td>"
         + html(std::string(kst::categoryName(game.category))) + "</td></tr>\n<tr><td><b>Decks:</b></td><td>"
         + decksText(game) + "</td></tr>\n<tr><td><b>Redeals:</b></td><td>" + redealsText(game) + "</td></tr>\n<tr><td><b>Chance of winning:</b></td><td>"
         + (odds.empty() ? std::string("not known") : odds + (game.measured ? ", measured by the solver" : ""))
         + "</td></tr>\n";
    // The browser's lists that hold it.
    std::string lists;
    for (const auto& [listed, folder] : {std::pair{game.selected, "Selected games"}, {game.original, "Original games"},
                                         {game.children, "Games for Children"}, {game.isNew, "New games"}})
        if (listed)
            lists += std::string(lists.empty() ? "" : ", ") + folder;
    if (!lists.empty())
        out += "<tr><td><b>Listed in:</b></td><td>" + lists + "</td></tr>\n";
    out += "</table>\n<h2>Rules</h2>\n" + rulesParagraphs(game.rulesText);

    std::vector<const Game*> basedOnIt;
    const Game* base = nullptr;
    for (const Game& other : games) {
        if (other.baseGameId == game.id)
            basedOnIt.push_back(&other);
        if (game.baseGameId && other.id == *game.baseGameId)
            base = &other;
    }
    if (base || !basedOnIt.empty()) {
        out += "<h2>Related games</h2>\n";
        if (base)
            out += "<p>Based on " + gameLink(*base) + ".</p>\n";
        if (!basedOnIt.empty()) {
            out += "<p>Games based on it:";
            for (std::size_t i = 0; i < basedOnIt.size(); ++i)
                out += std::string(i == 0 ? " " : ", ") + gameLink(*basedOnIt[i]);
            out += ".</p>\n";
        }
    }
    return out + "</body></html>\n";
}

std::string helpIndex(const std::vector<Game>& games)
{
    std::vector<const Game*> byName;
    for (const Game& game : games)
        byName.push_back(&game);
    std::sort(byName.begin(), byName.end(),
              [](const Game* a, const Game* b) { return lower(a->name) < lower(b->name); });
    std::string out = pageStart("All games");
    out += "<p><a href=\"program.html\">Playing Kestrane 2000</a></p>\n<h1>All games</h1>\n<table cellpadding=\"2\">\n";
    for (const Game* game : byName)
        out += "<tr><td>" + gameLink(*game, "games/") + "</td><td>" + html(game->summary) + "</td></tr>\n";
    return out + "</table>\n</body></html>\n";
}

bool readSource(const std::filesystem::path& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

namespace {

bool writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    return static_cast<bool>(out);
}

} // namespace

Compiled compileSources(const std::filesystem::path& catalogueDir)
{
    Compiled failed;
    SourceFile defaults{"defaults.game", {}};
    if (!readSource(catalogueDir / defaults.path, defaults.text)) {
        failed.errors.push_back((catalogueDir / defaults.path).string() + ": cannot be read");
        return failed;
    }
    std::vector<SourceFile> games;
    std::error_code error;
    std::vector<std::filesystem::path> paths;
    for (std::filesystem::directory_iterator it(catalogueDir / "games", error), end; !error && it != end;
         it.increment(error))
        if (it->path().extension() == ".game")
            paths.push_back(it->path());
    if (error) {
        failed.errors.push_back((catalogueDir / "games").string() + ": " + error.message());
        return failed;
    }
    std::sort(paths.begin(), paths.end());
    for (const auto& path : paths) {
        SourceFile file{"games/" + path.filename().string(), {}};
        if (!readSource(path, file.text)) {
            failed.errors.push_back(path.string() + ": cannot be read");
            return failed;
        }
        games.push_back(std::move(file));
    }
    Compiled compiled = compile(defaults, games);
    for (std::string& message : compiled.errors)
        message = (catalogueDir / message).string();
    return compiled;
}

bool compileFolder(const std::filesystem::path& catalogueDir, const std::filesystem::path& programDir,
                   std::vector<std::string>& errors)
{
    Compiled compiled = compileSources(catalogueDir);
    if (!compiled.errors.empty()) {
        errors.insert(errors.end(), compiled.errors.begin(), compiled.errors.end());
        return false;
    }
    std::error_code error;

    const std::filesystem::path helpDir = programDir / "help" / "games";
    std::filesystem::create_directories(helpDir, error);
    if (error) {
        errors.push_back(helpDir.string() + ": " + error.message());
        return false;
    }
    std::set<std::string> written;
    const auto write = [&](const std::filesystem::path& path, const std::string& bytes) {
        if (writeFile(path, bytes))
            return true;
        errors.push_back(path.string() + ": cannot be written");
        return false;
    };
    for (const Game& game : compiled.games) {
        if (game.rulesText.empty())
            continue;
        char name[16];
        std::snprintf(name, sizeof name, "%04d.txt", game.id);
        if (!write(helpDir / name, rulesHelp(game))
            || !write(helpDir / pageName(game.id), helpPage(game, compiled.games)))
            return false;
        written.insert(name);
        written.insert(pageName(game.id));
    }
    if (!write(programDir / "help" / "index.html", helpIndex(compiled.games)))
        return false;
    // A game removed or left without rules must not keep its old help page.
    std::vector<std::filesystem::path> stale;
    for (std::filesystem::directory_iterator it(helpDir, error), end; !error && it != end; it.increment(error))
        if ((it->path().extension() == ".txt" || it->path().extension() == ".html")
            && !written.count(it->path().filename().string()))
            stale.push_back(it->path());
    for (const auto& path : stale)
        std::filesystem::remove(path, error);
    // Written aside and renamed, so that a failed write never leaves half a catalogue.
    const std::filesystem::path target = programDir / "GAMES.DAT";
    const std::filesystem::path temporary = programDir / "GAMES.DAT.new";
    if (!writeFile(temporary, gamesDat(compiled.games))) {
        errors.push_back(temporary.string() + ": cannot be written");
        return false;
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        errors.push_back(target.string() + ": " + error.message());
        return false;
    }
    return true;
}

} // namespace kst::catalogue
