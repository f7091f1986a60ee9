#include "platform/qt/QtText.h"

#include "storage/Encoding.h"

#include <QDate>
#include <QFile>
#include <QLocale>

namespace kst {

QString fromProgramText(std::string_view cp1252)
{
    QString text = QString::fromStdString(cp1252ToUtf8(cp1252));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::optional<std::string> toProgramText(const QString& text)
{
    return utf8ToCp1252(text.toStdString());
}

QString fromPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string toPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString shortDate(std::string_view yyyymmdd)
{
    const QDate date = QDate::fromString(QString::fromLatin1(yyyymmdd.data(), qsizetype(yyyymmdd.size())),
                                         QStringLiteral("yyyyMMdd"));
    return date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : QString();
}

} // namespace kst
