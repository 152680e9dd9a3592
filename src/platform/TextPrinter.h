#pragma once
// Printing a plain-text document line by line, behind a small interface: the program prints
// on the desktop's default printer, tests print into a PDF file.

#include <QString>
#include <QStringList>

class QPrinter;

namespace mw {

class TextPrinter {
 public:
  virtual ~TextPrinter() = default;
  // Prints one document; false with a German message in `error` when nothing was printed.
  virtual bool Print(const QStringList& lines, QString* error) = 0;
};

// Lays the lines out page by page on a printer that is set up already.
bool PrintLines(QPrinter& printer, const QStringList& lines);

// The default printer of the desktop; tells so when the machine has none.
class DefaultTextPrinter final : public TextPrinter {
 public:
  bool Print(const QStringList& lines, QString* error) override;
};

// A PDF file in place of a printer.
class PdfTextPrinter final : public TextPrinter {
 public:
  explicit PdfTextPrinter(QString path) : path_(std::move(path)) {}
  bool Print(const QStringList& lines, QString* error) override;

 private:
  QString path_;
};

}  // namespace mw
