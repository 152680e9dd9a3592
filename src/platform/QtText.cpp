#include "platform/QtText.h"

#include <QStringList>

#include "common/Cp1252.h"

namespace mw {

QString ToQt(std::string_view cp1252) {
  const std::string utf8 = Cp1252ToUtf8(cp1252);
  return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string FromQt(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return Utf8ToCp1252(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

QStringList ToQtList(const std::vector<std::string>& lines) {
  QStringList list;
  list.reserve(qsizetype(lines.size()));
  for (const auto& l : lines) list.append(ToQt(l));
  return list;
}

std::vector<std::string> FromQtList(const QStringList& lines) {
  std::vector<std::string> out;
  out.reserve(std::size_t(lines.size()));
  for (const auto& l : lines) out.push_back(FromQt(l));
  return out;
}

}  // namespace mw
