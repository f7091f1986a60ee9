#include "shell/TfrmMain.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

namespace kst {

namespace {

// The table's felt until the backgrounds are painted: the default fixed background colour.
constexpr QColor feltGreen(0, 128, 0);

} // namespace

TfrmMain::TfrmMain(SessionStore& store, const Ports& ports, ProgramFiles files, QWidget* parent)
    : QMainWindow(parent), m_store(store), m_ports(ports), m_files(std::move(files)), m_imgSfondo(new QWidget(this)),
      m_mnuEsci(nullptr)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Kestrane 2000"));

    m_imgSfondo->setObjectName(QStringLiteral("imgSfondo"));
    QPalette felt = m_imgSfondo->palette();
    felt.setColor(QPalette::Window, feltGreen);
    m_imgSfondo->setPalette(felt);
    m_imgSfondo->setAutoFillBackground(true);
    setCentralWidget(m_imgSfondo);

    createMenus();

    resize(defaultSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Centred, but never with the title bar above the screen's top left.
        const QRect available = screen->availableGeometry();
        const QPoint topLeft = available.center() - rect().center();
        move(std::max(topLeft.x(), available.left()), std::max(topLeft.y(), available.top()));
    }
}

void TfrmMain::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuPartita"));
    m_mnuEsci = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    m_mnuEsci->setObjectName(QStringLiteral("mnuEsci"));
    // Window managers close on Alt+F4 themselves; this serves where none does.
    auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(altF4, &QShortcut::activated, this, &QWidget::close);
}

} // namespace kst
