#include "shell/AboutBox.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace kst {

AboutBox::AboutBox(const std::string& notices, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Kestrane 2000"));
    auto* layout = new QVBoxLayout(this);
    auto* version = new QLabel(versionLine(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    layout->addWidget(version);
    layout->addWidget(new QLabel(QStringLiteral("Free software under the GNU General Public License, version 3 or "
                                                "any later version. It comes with no warranty."),
                                 this));
    auto* text = new QPlainTextEdit(QString::fromStdString(notices), this);
    text->setObjectName(QStringLiteral("txtNotices"));
    text->setReadOnly(true);
    text->setMinimumSize(520, 160);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QString AboutBox::versionLine()
{
    return QStringLiteral("Kestrane 2000 - Version 4.3 - July 26, 1999");
}

bool AboutBox::event(QEvent* event)
{
    // Its sound plays when it first comes to the front.
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        emit activatedFirstTime();
    }
    return QDialog::event(event);
}

} // namespace kst
