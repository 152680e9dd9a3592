#include "platform/TextPrinter.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace mw {
namespace {

QString CannotPrint() {
  return QString::fromUtf8("Der Bericht konnte nicht gedruckt werden.");
}

}  // namespace

bool PrintLines(QPrinter& printer, const QStringList& lines) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  painter.setFont(font);
  const QRect page = painter.viewport();
  const int lineHeight = painter.fontMetrics().lineSpacing();
  int y = 0;
  for (const QString& line : lines) {
    if (y + lineHeight > page.height()) {
      if (!printer.newPage()) return false;
      y = 0;
    }
    painter.drawText(QRect(0, y, page.width(), lineHeight), Qt::AlignLeft | Qt::TextSingleLine, line);
    y += lineHeight;
  }
  return painter.end();
}

bool DefaultTextPrinter::Print(const QStringList& lines, QString* error) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull() || QPrinterInfo::availablePrinters().isEmpty()) {
    if (error)
      *error = QString::fromUtf8(
          "Es ist kein Drucker eingerichtet. Bitte richten Sie einen Standarddrucker ein, um den Bericht zu drucken.");
    return false;
  }
  QPrinter printer(info);
  printer.setDocName(QStringLiteral("Anmeldebericht"));
  if (PrintLines(printer, lines)) return true;
  if (error) *error = CannotPrint();
  return false;
}

bool PdfTextPrinter::Print(const QStringList& lines, QString* error) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path_);
  if (PrintLines(printer, lines)) return true;
  if (error) *error = CannotPrint();
  return false;
}

}  // namespace mw
