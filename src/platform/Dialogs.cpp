#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace mw {

QString ToQtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i].trimmed() + QStringLiteral(" (") + parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' ')) +
                   QLatin1Char(')');
  return filters.join(QStringLiteral(";;"));
}

void QtDialogs::Information(const QString& text) {
  QMessageBox::information(parent_, QStringLiteral("Information"), text);
}

void QtDialogs::Error(const QString& text) { QMessageBox::critical(parent_, QStringLiteral("Fehler"), text); }

void QtDialogs::Message(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent_);
  box.exec();
}

bool QtDialogs::YesNo(const QString& text) {
  return QMessageBox::question(parent_, QString::fromUtf8("Best\xc3\xa4tigung"), text,
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

QString QtDialogs::OpenFile(const QString& filter, const QString& folder) {
  return QFileDialog::getOpenFileName(parent_, QString::fromUtf8("\xc3\x96" "ffnen"), folder, ToQtNameFilters(filter));
}

QString QtDialogs::SaveFile(const QString& filter, const QString& defaultName, const QString& folder) {
  const QString start = folder.isEmpty() ? defaultName : folder + QLatin1Char('/') + defaultName;
  return QFileDialog::getSaveFileName(parent_, QStringLiteral("Speichern unter"), start, ToQtNameFilters(filter));
}

}  // namespace mw
