#pragma once
// The one crossing between domain text (Windows-1252 bytes) and Qt's strings.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include <QStringList>

namespace mw {

QString ToQt(std::string_view cp1252);
std::string FromQt(const QString& text);
// Program messages are UTF-8 text in the code.
inline QString Msg(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

QStringList ToQtList(const std::vector<std::string>& lines);
std::vector<std::string> FromQtList(const QStringList& lines);

}  // namespace mw
