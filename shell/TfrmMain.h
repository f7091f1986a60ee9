#pragma once
// The main window: the card table under the menu bar.

#include "platform/Ports.h"
#include "storage/Paths.h"

#include <QMainWindow>

class QAction;

namespace kst {

class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    TfrmMain(const Ports& ports, ProgramFiles files, QWidget* parent = nullptr);

    const Ports& ports() const { return m_ports; }
    const ProgramFiles& files() const { return m_files; }

    static constexpr QSize defaultSize{1016, 740};

private:
    void createMenus();

    Ports m_ports;
    ProgramFiles m_files;
    QWidget* m_imgSfondo; // the card table
    QAction* m_mnuEsci;
};

} // namespace kst
