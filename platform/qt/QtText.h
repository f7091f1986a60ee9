#pragma once
// The core's texts are Windows-1252 bytes and its paths are file-system bytes; Qt works in
// QString. Every crossing goes through these.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace kst {

// A program text for the screen. A CR, alone or before an LF, is a line break.
QString fromProgramText(std::string_view cp1252);

// A text from the screen (typed or chosen) for the core; nothing when Windows-1252 cannot hold it.
std::optional<std::string> toProgramText(const QString& text);

// A stored date "yyyymmdd" in the locale's short form; empty when it is no date.
QString shortDate(std::string_view yyyymmdd);

QString fromPath(const std::string& path);
std::string toPath(const QString& path);

} // namespace kst
