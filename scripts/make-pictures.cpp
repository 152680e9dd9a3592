// Draws the pictures shipped in data/recom/ (header pictures and the two 20 x 12 flags).
// Built and run by hand when the pictures change:
//   g++ -std=c++20 -fPIC scripts/make-pictures.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/make-pictures
//   QT_QPA_PLATFORM=offscreen /tmp/make-pictures data/recom
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

const QColor kDeep(18, 52, 98), kMid(36, 99, 170), kLight(120, 180, 235), kAccent(255, 196, 48);

void Background(QPainter& p, const QRect& r) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, kDeep);
  g.setColorAt(0.6, kMid);
  g.setColorAt(1, kLight);
  p.fillRect(r, g);
  // Soft rings: signals going out to the search engines.
  p.setPen(QPen(QColor(255, 255, 255, 40), 2));
  p.setBrush(Qt::NoBrush);
  const QPointF c(r.width() * 0.78, r.height() * 0.3);
  for (int i = 1; i <= 8; ++i) p.drawEllipse(c, i * r.width() * 0.06, i * r.width() * 0.06);
}

// A stylised globe with a magnifier, the program's emblem.
void Emblem(QPainter& p, QPointF c, double radius) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, radius * 0.06));
  p.setBrush(QColor(255, 255, 255, 50));
  p.drawEllipse(c, radius, radius);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 200), radius * 0.03));
  p.drawEllipse(c, radius * 0.45, radius);
  p.drawLine(QPointF(c.x() - radius, c.y()), QPointF(c.x() + radius, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - radius), QPointF(c.x(), c.y() + radius));
  p.drawArc(QRectF(c.x() - radius, c.y() - radius * 1.6, radius * 2, radius * 1.6), 200 * 16, 140 * 16);
  p.drawArc(QRectF(c.x() - radius, c.y(), radius * 2, radius * 1.6), 20 * 16, 140 * 16);
  const QPointF m(c.x() + radius * 0.75, c.y() + radius * 0.75);
  p.setPen(QPen(kAccent, radius * 0.14, Qt::SolidLine, Qt::RoundCap));
  p.drawEllipse(m, radius * 0.32, radius * 0.32);
  p.drawLine(m + QPointF(radius * 0.23, radius * 0.23), m + QPointF(radius * 0.6, radius * 0.6));
}

void Title(QPainter& p, const QRect& r, int size, const QString& text, const QString& sub) {
  QFont f(QStringLiteral("DejaVu Sans"), size, QFont::Bold);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(r, Qt::AlignLeft | Qt::AlignTop, text);
  QFont s(QStringLiteral("DejaVu Sans"), std::max(7, size / 2));
  p.setFont(s);
  p.setPen(QColor(230, 240, 255));
  p.drawText(r.adjusted(0, int(size * 1.9), 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, sub);
}

QImage Start() {
  QImage img(880, 600, QImage::Format_RGB32);
  QPainter p(&img);
  Background(p, img.rect());
  Emblem(p, QPointF(640, 250), 150);
  Title(p, QRect(48, 56, 520, 300), 40, QStringLiteral("Meldewerk"),
        QString::fromUtf8("Ihre Webseite in den Suchmaschinen"));
  QFont f(QStringLiteral("DejaVu Sans"), 15);
  p.setFont(f);
  const char* steps[] = {"1. Seiten ermitteln", "2. Kontaktdaten eingeben", "3. Suchmaschinen auswählen",
                         "4. Anmelden"};
  int y = 400;
  for (const char* s : steps) {
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(60, y + 10), 6, 6);
    p.setPen(Qt::white);
    p.drawText(QPoint(80, y + 17), QString::fromUtf8(s));
    y += 40;
  }
  return img;
}

QImage Wizard() {
  QImage img(160, 800, QImage::Format_RGB32);
  QPainter p(&img);
  Background(p, img.rect());
  Emblem(p, QPointF(80, 120), 50);
  Title(p, QRect(16, 220, 140, 200), 16, QStringLiteral("Meldewerk"), QString::fromUtf8("Seiten zum Anmelden"));
  return img;
}

QImage About() {
  QImage img(240, 96, QImage::Format_RGB32);
  QPainter p(&img);
  Background(p, img.rect());
  Emblem(p, QPointF(190, 48), 30);
  Title(p, QRect(14, 18, 160, 80), 18, QStringLiteral("Meldewerk"), QString::fromUtf8("Suchmaschineneintrag"));
  return img;
}

QImage GermanFlag() {
  QImage img(20, 12, QImage::Format_RGB32);
  QPainter p(&img);
  p.fillRect(0, 0, 20, 4, QColor(0, 0, 0));
  p.fillRect(0, 4, 20, 4, QColor(221, 0, 0));
  p.fillRect(0, 8, 20, 4, QColor(255, 206, 0));
  return img;
}

QImage EnglishFlag() {
  QImage img(20, 12, QImage::Format_RGB32);
  img.fill(QColor(1, 33, 105));
  QPainter p(&img);
  p.setPen(QPen(Qt::white, 3));
  p.drawLine(0, 0, 20, 12);
  p.drawLine(0, 12, 20, 0);
  p.setPen(QPen(QColor(200, 16, 46), 1));
  p.drawLine(0, 0, 20, 12);
  p.drawLine(0, 12, 20, 0);
  p.fillRect(8, 0, 4, 12, Qt::white);
  p.fillRect(0, 4, 20, 4, Qt::white);
  p.fillRect(9, 0, 2, 12, QColor(200, 16, 46));
  p.fillRect(0, 5, 20, 2, QColor(200, 16, 46));
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("data/recom");
  bool ok = Start().save(out + QStringLiteral("/start.jpg"), "JPEG", 90);
  ok = Wizard().save(out + QStringLiteral("/wizard.jpg"), "JPEG", 90) && ok;
  ok = About().save(out + QStringLiteral("/about.jpg"), "JPEG", 90) && ok;
  ok = GermanFlag().save(out + QStringLiteral("/flag_german.png")) && ok;
  ok = EnglishFlag().save(out + QStringLiteral("/flag_english.png")) && ok;
  return ok ? 0 : 1;
}
