#include "platform/qt/QtMessageBoxes.h"

#include "platform/qt/QtAdviceDialog.h"
#include "platform/qt/QtText.h"

#include <QApplication>
#include <QMessageBox>

namespace kst {

namespace {

using Button = QMessageBox::StandardButton;

Button showBox(QMessageBox::Icon icon, std::string_view text, std::string_view caption,
               QMessageBox::StandardButtons buttons, Button defaultButton, Button escapeButton)
{
    QMessageBox box(icon, caption.empty() ? QStringLiteral("Kestrane 2000") : fromProgramText(caption),
                    fromProgramText(text), buttons, QApplication::activeWindow());
    // Texts carry file paths and game names: "<" in them is a character, not markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(escapeButton);
    box.exec();
    const Button clicked = box.standardButton(box.clickedButton());
    return clicked == QMessageBox::NoButton ? escapeButton : clicked;
}

} // namespace

void QtMessageBoxes::information(std::string_view text, std::string_view caption)
{
    showBox(QMessageBox::Information, text, caption, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtMessageBoxes::warningYesNo(std::string_view text, std::string_view caption)
{
    return showBox(QMessageBox::Warning, text, caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                   QMessageBox::No)
        == QMessageBox::Yes;
}

bool QtMessageBoxes::questionYesNo(std::string_view text, std::string_view caption)
{
    return showBox(QMessageBox::Question, text, caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                   QMessageBox::No)
        == QMessageBox::Yes;
}

Answer QtMessageBoxes::question(std::string_view text, std::string_view caption)
{
    switch (showBox(QMessageBox::Question, text, caption, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    QMessageBox::Yes, QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtMessageBoxes::confirmOkCancel(std::string_view text, std::string_view caption)
{
    return showBox(QMessageBox::Question, text, caption, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
                   QMessageBox::Cancel)
        == QMessageBox::Ok;
}

void QtMessageBoxes::error(std::string_view text, std::string_view caption)
{
    showBox(QMessageBox::Critical, text, caption, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtMessageBoxes::advice(std::string_view text, int picturePage)
{
    QtAdviceDialog dialog(fromProgramText(text), picturePage, QApplication::activeWindow());
    dialog.exec();
    return dialog.dontShowAgain();
}

void QtMessageBoxes::beep()
{
    QApplication::beep();
}

} // namespace kst
