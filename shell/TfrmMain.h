#pragma once
// The main window: the card table under the menu bar.

#include "platform/Ports.h"
#include "storage/Paths.h"
#include "storage/SessionStore.h"

#include <QMainWindow>

class QAction;

namespace kst {

class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    TfrmMain(SessionStore& store, const Ports& ports, ProgramFiles files, QWidget* parent = nullptr);

    SessionStore& store() { return m_store; }

    const Ports& ports() const { return m_ports; }
    const ProgramFiles& files() const { return m_files; }

    static constexpr QSize defaultSize{1016, 740};

private:
    void createMenus();

    SessionStore& m_store;
    Ports m_ports;
    ProgramFiles m_files;
    QWidget* m_imgSfondo; // the card table
    QAction* m_mnuEsci;
};

} // namespace kst
