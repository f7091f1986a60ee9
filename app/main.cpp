// The program entry: options, the program's folders, the ports, the main window.

#include "engine/Sounds.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtPorts.h"
#include "shell/TfrmMain.h"
#include "storage/CommandLine.h"
#include "storage/Encoding.h"
#include "storage/Paths.h"
#include "storage/SessionStore.h"
#include "table/Appearance.h"

#include <QApplication>
#include <QPixmap>
#include <QSplashScreen>

#include <iostream>
#include <string>
#include <vector>

namespace {

struct ProgramOptions {
    kst::CommonOptions common;
    bool soundOff = false;
    bool help = false;
    std::string savedGame;          // a saved game to open at start, as a file manager passes it
    std::vector<std::string> forQt; // the rest, for Qt's own options (-platform, -style ...)
    std::string error;
};

ProgramOptions parseProgramOptions(const std::vector<std::string>& args)
{
    kst::ParsedCommandLine parsed = kst::parseCommonOptions(args);
    ProgramOptions options;
    options.common = parsed.common;
    options.error = parsed.error;
    for (std::string& arg : parsed.rest) {
        if (arg == "--no-sound")
            options.soundOff = true;
        else if (arg == "--help" || arg == "-h")
            options.help = true;
        else if (!arg.starts_with('-') && options.savedGame.empty())
            options.savedGame = std::move(arg);
        else
            options.forQt.push_back(std::move(arg));
    }
    return options;
}

void printUsage()
{
    std::cout << "Usage: kestrane [options] [SAVED-GAME.GAM]\n"
                 "\n"
                 "Options:\n"
              << kst::commonOptionsUsage()
              << "  --no-sound         play no sounds (as when KESTRANE_NO_SOUND is set)\n"
                 "  --help             this text\n";
}

} // namespace

int main(int argc, char** argv)
{
    ProgramOptions options = parseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        std::cerr << "kestrane: " << options.error << '\n';
        return 2;
    }
    if (options.help) {
        printUsage();
        return 0;
    }

    // QApplication keeps argc and argv for its whole life and takes out the options it knows.
    std::vector<char*> qtArgv{argv[0]};
    for (std::string& arg : options.forQt)
        qtArgv.push_back(arg.data());
    qtArgv.push_back(nullptr);
    int qtArgc = int(qtArgv.size()) - 1;
    QApplication app(qtArgc, qtArgv.data());
    if (qtArgc > 1) {
        std::cerr << "kestrane: unknown option: " << qtArgv[1] << '\n';
        return 2;
    }
    kst::nameApplication();

    const kst::ProgramFiles files = kst::resolveProgramFiles(kst::currentPathInputs(options.common, argv[0]));
    // A folder that cannot be made is no reason to stop: the first write into it says so.
    kst::ensureDataDir(files);

    kst::QtPorts ports(options.soundOff);
    // Every data path is built on the store's program folder, which has room for 200 characters:
    // a longer folder would silently point every file somewhere else.
    if (!kst::SessionStore::programDirFits(files.programDir())) {
        ports.ports().messages.error("The program folder's path is longer than 200 characters:\r"
                                         + kst::utf8ToCp1252(files.programDir()).value_or(files.programDir())
                                         + "\rMove the program to a shorter path.",
                                     "Error");
        return 1;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    kst::SessionStore store(files.programDir());
    // Without its pictures the program cannot show a table: it ends, as it began, quietly.
    if (!kst::openResourceLibrary(ports.ports().resources, ports.ports().messages, files.programDir()))
        return 0;

    // The start picture shows while the program gets ready, and the start sound plays. It goes
    // for good once the main window is on the screen.
    auto* splash = new QSplashScreen(QPixmap(ports.resourceLibrary().picturePath("SPLASH")), Qt::WindowStaysOnTopHint);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    QApplication::processEvents();
    const kst::ProfileFile config(files.dataFile("CFG.DAT"));
    kst::playStartSound(config, store, ports.ports().sound);

    kst::TfrmMain window(store, ports.ports(), files);
    window.openAtStart(options.savedGame);
    QApplication::processEvents();
    window.show();
    splash->finish(&window);
    QApplication::restoreOverrideCursor();
    return app.exec();
}
