#pragma once
// The main window on the scripted ports, in a program folder of its own that holds the built
// program's files, with a fresh data folder for every window.

#include "UiTestSupport.h"

#include "platform/qt/QtApplication.h"
#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtResourceLibrary.h"
#include "platform/test/TestPorts.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmOpenGame.h"
#include "stats/ui/TfrmGameWon.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

namespace kst::test {

// Answers the windows that lead from one game to the next as soon as they show, the way a player
// who wants to go on would: the game browser with OK on the game it selected (the first catalogue
// game when it selected none), the game-won dialog with Cancel. Tests of these windows switch
// their answer off.
class StandingAnswers : public QObject {
public:
    bool browser = true;
    bool gameWon = true;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (auto* dialog = qobject_cast<TfrmOpenGame*>(watched); dialog && browser) {
            QTimer::singleShot(0, dialog, [dialog] {
                if (dialog->selectedCode() < 0)
                    dialog->selectGame(1);
                dialog->confirm();
            });
        } else if (auto* won = qobject_cast<TfrmGameWon*>(watched); won && gameWon) {
            QTimer::singleShot(0, won, &QDialog::reject);
        }
        return false;
    }
};

class MainWindowHarness {
public:
    // From initTestCase: the program folder (start-up writes its version marker there) and the
    // resource library.
    bool prepare()
    {
        filterHarmlessWarnings();
        nameApplication(); // as the program names itself
        qApp->installEventFilter(&answers);
        namespace fs = std::filesystem;
        for (const char* name : {"GAMES.DAT", "KST.RGF", "IMAGES", "SOUNDS", "CARDS", "help", "THIRD-PARTY-NOTICES.md"})
            fs::create_symlink(fs::path(KST_PROGRAM_DIR) / name, fs::path(m_program.path().toStdString()) / name);
        return m_library.load(KST_PROGRAM_DIR "/KST.RGF");
    }

    // From init: a new data folder and session store, no messages shown yet, the standing answers
    // given. A result that makes
    // its hi-score table would stop a test on the congratulation, and a won game would hold it up
    // for the winning display: the tests that want them switch them on again.
    void reset()
    {
        m_data = std::make_unique<QTemporaryDir>();
        ProfileFile config(dataDir() + "/CFG.DAT");
        config.writeText("Preference", "ConfirmEnterHiScores", "N");
        config.writeNumber("Preference", "Winning_Animations_Time", 0);
        // The window tests were written for the big cards; the cards that fit the window have
        // tests of their own.
        config.writeText("Preference", "Card_Size", "B");
        m_store = std::make_unique<SessionStore>(m_program.path().toStdString());
        ports.messages.clear();
        answers.browser = answers.gameWon = true;
    }

    // A new session store on the same data folder, as when the program starts again. The windows
    // of the old one must be gone.
    void restartSession() { m_store = std::make_unique<SessionStore>(m_program.path().toStdString()); }

    // The window on the test ports; events: another message pump in their place.
    std::unique_ptr<TfrmMain> openWindow(EventPump* events = nullptr)
    {
        Ports p = ports.ports();
        const Ports used{p.messages, p.clock, events ? *events : p.events, p.random, p.sound, m_library, p.dialogs,
                         m_graphics, p.pointer, p.app, p.locale};
        return std::make_unique<TfrmMain>(*m_store, used, ProgramFiles(programDir(), m_data->path().toStdString()));
    }

    // A shown window of the given size playing Freecell deal 1234567 (or the number given),
    // automatic play off; events: as for openWindow.
    std::unique_ptr<TfrmMain> playFreecell(QSize size = {1016, 740}, const char* number = "1234567",
                                           EventPump* events = nullptr)
    {
        std::unique_ptr<TfrmMain> window = openWindow(events);
        window->setWindowState(Qt::WindowNoState);
        window->resize(size);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return nullptr;
        window->firstActivation();
        if (window->autoPlay())
            window->toggleAutoPlay();
        // The first run deals Freecell; a new deal of the chosen number replaces it.
        window->store().fnStoreSet(Fld::GameNumber, number);
        window->session().newDeal(true, false, KeepNumber, true);
        return window;
    }

    std::string programDir() const { return m_program.path().toStdString(); }
    std::string dataDir() const { return m_data->path().toStdString(); }

    TestPorts ports;
    StandingAnswers answers;

private:
    QTemporaryDir m_program;
    std::unique_ptr<QTemporaryDir> m_data;
    QtGraphics m_graphics;
    QtResourceLibrary m_library;
    std::unique_ptr<SessionStore> m_store;
};

} // namespace kst::test
