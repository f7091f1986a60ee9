// The `play` verb: one game session fed with commands from standard input, as a player at the
// window would give them, without boxes or sounds. Nothing is written unless --record asks for
// it: then the game is recorded for the current player when it ends (at the latest when the
// input ends), as the window records it.

#include "tools/Cli.h"
#include "tools/CliStats.h"
#include "tools/TableForm.h"

#include "engine/GameNumber.h"
#include "engine/GameSession.h"
#include "stats/StatsRecorder.h"
#include "storage/Encoding.h"
#include "storage/Startup.h"
#include "storage/TextUtils.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kst::cli {
namespace {

constexpr std::string_view PlayUsage =
    "usage: play GAME NUMBER [--autoplay on|off] [--pref KEY=VALUE ...] [--record]";

struct PlayOptions {
    std::vector<std::string> positional; // GAME NUMBER
    bool autoplay = false;
    bool record = false;
    std::vector<std::pair<Field, std::string>> prefs;
};

std::optional<Field> sessionField(std::string_view name)
{
    for (const NamedField& f : Fld::all)
        if (f.name == name)
            return f.field;
    return std::nullopt;
}

// The options in any order; on bad input the one error line is written and the status returned.
int parsePlayOptions(const Invocation& inv, PlayOptions& options)
{
    for (std::size_t i = 0; i < inv.args.size(); ++i) {
        const std::string& arg = inv.args[i];
        if (arg.size() < 2 || !arg.starts_with("--")) {
            options.positional.push_back(arg);
            continue;
        }
        if (arg == "--record") {
            options.record = true;
            continue;
        }
        if (arg != "--autoplay" && arg != "--pref")
            return badInput(inv.err, "unknown option: " + arg);
        if (i + 1 >= inv.args.size())
            return badInput(inv.err, arg + " needs a value");
        const std::string& value = inv.args[++i];
        if (arg == "--autoplay") {
            if (value != "on" && value != "off")
                return badInput(inv.err, "bad value for --autoplay: " + value);
            options.autoplay = value == "on";
            continue;
        }
        const std::size_t equals = value.find('=');
        if (equals == std::string::npos)
            return badInput(inv.err, "bad value for --pref: " + value);
        const std::string key = value.substr(0, equals), text = value.substr(equals + 1);
        const std::optional<Field> field = sessionField(key);
        if (!field)
            return badInput(inv.err, "unknown preference: " + key);
        if (!SessionStore::fits(*field, text))
            return badInput(inv.err, "bad value for --pref: " + value);
        options.prefs.emplace_back(*field, text);
    }
    if (options.positional.size() != 2)
        return badInput(inv.err, PlayUsage);
    return ExitOk;
}

// A CARD argument: a card number of one to three digits (printed always as three) that lies on
// the table; 0 otherwise.
int cardOnTable(const Game& game, std::string_view text)
{
    if (text.empty() || text.size() > 3 || !fnAllDigits(text))
        return 0;
    const int card = std::stoi(std::string(text));
    if (!isCardNumber(card) || locateCard(game, card).pile.isNone())
        return 0;
    return card;
}

struct CardCommand {
    std::string_view name;
    bool (GameSession::*act)(int card);
};

constexpr CardCommand cardCommands[] = {
    {"click", &GameSession::click},
    {"dblclick", &GameSession::doubleClick},
    {"rclick", &GameSession::rightClick},
};

enum class Reply { Ok, Refused, Printed, Unknown };

class Player {
public:
    Player(GameSession& session, bool autoplay, const Invocation& inv)
        : m_session(session), m_autoplay(autoplay), m_inv(inv)
    {
    }

    Reply run(std::string_view command, std::span<const std::string_view> args)
    {
        for (const CardCommand& c : cardCommands)
            if (command == c.name)
                return verdict(args.size() == 1 && playCard(args[0], c.act));
        if (command == "drop")
            return verdict(args.size() == 2 && drop(args[0], args[1]));
        if (command == "save" || command == "open")
            return verdict(!args.empty() && file(command, restOf(args)));
        if (command != "stock" && command != "autoplay" && command != "restart" && command != "undo"
            && command != "redo" && command != "print" && command != "moves")
            return Reply::Unknown;
        if (!args.empty())
            return Reply::Refused;
        if (command == "stock")
            return verdict(m_session.pressStock());
        if (command == "undo" || command == "redo")
            return verdict(command == "undo" ? m_session.undo() : m_session.redo());
        if (command == "autoplay") {
            // As after a move with Autoplay checked, whatever --autoplay says for the moves.
            m_session.setAutoplay(true);
            m_session.autoplay();
            m_session.setAutoplay(m_autoplay);
            return Reply::Ok;
        }
        if (command == "restart")
            return verdict(m_session.restart());
        if (command == "print")
            printTableForm(m_inv.out, m_session.game());
        else
            printMoves();
        return Reply::Printed;
    }

private:
    static Reply verdict(bool done) { return done ? Reply::Ok : Reply::Refused; }

    // The words from the first to the end of the line: a path may hold blanks.
    static std::string restOf(std::span<const std::string_view> args)
    {
        return std::string(args.front().data(), std::size_t(args.back().data() + args.back().size() - args.front().data()));
    }

    // Saves the game to the path, or goes on with the game saved there (without the question
    // before leaving the running one); a failure is said on the error stream.
    bool file(std::string_view command, const std::string& path)
    {
        std::string error;
        if (command == "save") {
            const bool saved = m_session.saveGame(path, error);
            if (!saved)
                m_inv.err << "kestrane-cli: cannot save: " << cp1252ToUtf8(error) << '\n';
            return saved;
        }
        SessionStore& store = m_session.store();
        const std::string confirm = store.fnStoreGet(Fld::ConfirmQuitGame);
        store.fnStoreSet(Fld::ConfirmQuitGame, "N");
        const bool opened = m_session.openGame(path);
        store.fnStoreSet(Fld::ConfirmQuitGame, confirm);
        return opened;
    }

    bool playCard(std::string_view cardText, bool (GameSession::*act)(int))
    {
        const int card = cardOnTable(m_session.game(), cardText);
        return card != 0 && (m_session.*act)(card);
    }

    bool drop(std::string_view cardText, std::string_view pileText)
    {
        const int card = cardOnTable(m_session.game(), cardText);
        const PileRef to = parsePileName(pileText);
        return card != 0 && !to.isNone() && m_session.drop(card, to);
    }

    // A game that has ended, won or not, takes no more moves.
    void printMoves()
    {
        if (m_session.inProgress())
            for (const Move& move : legalMoves(m_session.game()))
                m_inv.out << moveText(move) << '\n';
        m_inv.out << "end\n";
    }

    GameSession& m_session;
    bool m_autoplay;
    const Invocation& m_inv;
};

} // namespace

int runPlay(const Invocation& inv)
{
    PlayOptions options;
    if (const int status = parsePlayOptions(inv, options); status != ExitOk)
        return status;
    GameCatalogue catalogue;
    const std::string& number = options.positional[1];
    const int id = resolveDeal(inv, catalogue, options.positional[0], number);
    if (id < 0)
        return ExitBadInput;

    // The program's defaults, never the user's CFG.DAT, so that a script plays the same anywhere.
    SessionStore store;
    preferenceDefaults(store);
    std::optional<ProfileFile> config;
    std::optional<CliStats> stats;
    if (options.record) {
        // Recorded games belong to the current player of the data folder, as in the window.
        config.emplace(inv.files().dataFile("CFG.DAT"));
        store.fnStoreSet(Fld::UserDefault, config->readText("Preference", "UserDefault", FirstPlayer));
        ensureDataDir(inv.files());
        stats.emplace(inv);
    }
    for (const auto& [field, value] : options.prefs)
        store.fnStoreSet(field, value);
    store.fnStoreSet(Fld::GameNumber, normalGameNumber(number));

    QuietMessageBoxes messages;
    SystemClock clock;
    ClockRandom random;
    SilentSound sound;
    GameSession session(store, catalogue, {messages, clock, random, sound}, config ? &*config : nullptr);
    std::optional<StatsRecorder> recorder;
    if (stats) {
        recorder.emplace(stats->files, store, catalogue);
        session.setRecorder(&*recorder);
    }
    session.setAutoplay(options.autoplay);
    if (!session.startGame(id, catalogue.gameName(id), store.fnStoreGet(Fld::UserDefault), KeepNumber, false))
        return badInput(inv.err, "cannot deal: " + cp1252ToUtf8(messages.lastError()));

    Player player(session, options.autoplay, inv);
    for (std::string line; std::getline(inv.in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::vector<std::string_view> command = splitWords(line);
        if (command.empty() || command.front().starts_with('#'))
            continue;
        switch (player.run(command.front(), std::span(command).subspan(1))) {
        case Reply::Ok: inv.out << "ok\n"; break;
        case Reply::Refused: inv.out << "refused\n"; break;
        case Reply::Printed: break;
        case Reply::Unknown: return badInput(inv.err, "unknown command: " + std::string(command.front()));
        }
    }
    printTableForm(inv.out, session.game());
    // A game still running is ended as the window ends a game left unfinished, and so recorded.
    session.endGame();
    if (stats)
        stats->warn(inv.err);
    return ExitOk;
}

} // namespace kst::cli
