#include "platform/qt/QtFileDialogs.h"

#include "platform/qt/QtText.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QImageReader>

namespace kst {

namespace {

std::optional<std::string> runFileDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return toPath(dialog.selectedFiles().constFirst());
}

QString patternsInBothCases(const QString& patterns)
{
    QStringList all;
    for (const QString& pattern : patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()})
            if (!all.contains(variant))
                all << variant;
    return all.join(QLatin1Char(' '));
}

} // namespace

QString dialogFilter(const FileFilter& filter)
{
    return fromProgramText(filter.name) + QStringLiteral(" (")
        + patternsInBothCases(fromProgramText(filter.pattern)) + QLatin1Char(')');
}

std::optional<std::string> QtFileDialogs::openFile(const std::string& title, const std::string& directory,
                                                   const FileFilter& filter)
{
    QFileDialog dialog(QApplication::activeWindow(), fromProgramText(title), fromPath(directory),
                       dialogFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

std::optional<std::string> QtFileDialogs::saveFile(const std::string& title, const std::string& directory,
                                                   const FileFilter& filter)
{
    QFileDialog dialog(QApplication::activeWindow(), fromProgramText(title), fromPath(directory),
                       dialogFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The caller asks before replacing a file, in the program's own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QString pattern = fromProgramText(filter.pattern);
    if (pattern.startsWith(QStringLiteral("*.")) && !pattern.contains(QLatin1Char(' ')))
        dialog.setDefaultSuffix(pattern.mid(2));
    return runFileDialog(dialog);
}

std::optional<std::string> QtFileDialogs::openPicture(const std::string& directory)
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString filters = QStringLiteral("Pictures (%1);;All files (*)")
                                .arg(patternsInBothCases(patterns.join(QLatin1Char(' '))));
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Open a picture"), fromPath(directory), filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

std::optional<Colour> QtFileDialogs::chooseColour(Colour initial)
{
    const QColor chosen =
        QColorDialog::getColor(QColor(red(initial), green(initial), blue(initial)), QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return rgb(chosen.red(), chosen.green(), chosen.blue());
}

} // namespace kst
