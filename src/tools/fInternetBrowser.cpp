#include "tools/fInternetBrowser.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/QtText.h"

namespace mw {
namespace {

QTimer* MakeTimer(QObject* parent, const char* name, int intervalMs) {
  auto* timer = new QTimer(parent);
  timer->setObjectName(QString::fromLatin1(name));
  timer->setInterval(intervalMs);
  return timer;
}

}  // namespace

TBrowserForm::TBrowserForm(QWidget* parent, ControlFactory makeControl)
    : QDialog(parent), makeControl_(std::move(makeControl)) {
  setObjectName(QStringLiteral("BrowserForm"));
  setWindowFlag(Qt::WindowMinMaxButtonsHint);
  setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setFixedHeight(81);
  auto* top = new QGridLayout(Panel1);
  top->setContentsMargins(8, 4, 8, 4);
  top->setVerticalSpacing(2);
  StatusLabel = new QLabel(Panel1);
  StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
  StatusLabel->setFont(QFont(QStringLiteral("Arial")));
  URLs = new QLineEdit(Panel1);
  URLs->setObjectName(QStringLiteral("URLs"));
  MeldeStatusLabel = new QLabel(Panel1);
  MeldeStatusLabel->setObjectName(QStringLiteral("MeldeStatusLabel"));
  QFont bold = MeldeStatusLabel->font();
  bold.setBold(true);
  MeldeStatusLabel->setFont(bold);
  BitBtn1 = new QPushButton(Msg("Abbrechen"), Panel1);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setAutoDefault(false);
  top->addWidget(StatusLabel, 0, 0);
  top->addWidget(BitBtn1, 0, 1, Qt::AlignRight | Qt::AlignTop);
  top->addWidget(URLs, 1, 0, 1, 2);
  top->addWidget(MeldeStatusLabel, 2, 0, 1, 2);
  top->setColumnStretch(0, 1);
  layout->addWidget(Panel1);

  // The web browser goes here when the window is first started.
  auto* browserPlace = new QWidget(this);
  browserPlace->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  browserArea_ = new QVBoxLayout(browserPlace);
  browserArea_->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browserPlace, 1);

  ProgressPanel = new QFrame(this);
  ProgressPanel->setObjectName(QStringLiteral("ProgressPanel"));
  ProgressPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  ProgressPanel->setFixedHeight(42);
  auto* bottom = new QHBoxLayout(ProgressPanel);
  bottom->setContentsMargins(8, 4, 8, 4);
  ClickInSecLabel = new QLabel(ProgressPanel);
  ClickInSecLabel->setObjectName(QStringLiteral("ClickInSecLabel"));
  ClickInSecLabel->setMinimumWidth(200);
  ProgressBar1 = new QProgressBar(ProgressPanel);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  bottom->addWidget(ClickInSecLabel);
  bottom->addWidget(ProgressBar1, 1);
  layout->addWidget(ProgressPanel);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  auto* statusPanel = new QLabel(StatusBar1);
  statusPanel->setFixedWidth(50);
  StatusBar1->addWidget(statusPanel);
  layout->addWidget(StatusBar1);

  Timer1 = MakeTimer(this, "Timer1", 1000);
  AbortTimer = MakeTimer(this, "AbortTimer", 10000);
  SekundenTimer = MakeTimer(this, "SekundenTimer", 1000);
  connect(Timer1, &QTimer::timeout, this, &TBrowserForm::Timer1Timer);
  connect(AbortTimer, &QTimer::timeout, this, &TBrowserForm::AbortTimerTimer);
  connect(SekundenTimer, &QTimer::timeout, this, &TBrowserForm::SekundenTimerTimer);
  connect(BitBtn1, &QPushButton::clicked, this, &TBrowserForm::BitBtn1Click);
  SekundenTimer->start();
}

TBrowserForm::~TBrowserForm() = default;

void TBrowserForm::EnsureBrowser() {
  if (browser_) return;
  browser_ = makeControl_(browserArea_->parentWidget());
  browser_->Widget()->setObjectName(QStringLiteral("WebBrowser1"));
  browser_->OnNavigateComplete = [this](BrowserControl::Document d) { WebBrowser1NavigateComplete2(d); };
  browser_->OnDocumentComplete = [this](BrowserControl::Document d) { WebBrowser1DocumentComplete(d); };
  browserArea_->addWidget(browser_->Widget());
}

void TBrowserForm::StartBrowsing(Mode mode) {
  EnsureBrowser();
  ticks_ = 0;
  SekundenTimer->start();  // the first tick one second from now
  topDocument_ = 0;
  completionCounted_ = false;
  activatedSinceStart_ = false;
  skipNextActivation_ = false;
  // Posted: the address is loaded once the window is on screen and its event loop runs.
  QMetaObject::invokeMethod(this, &TBrowserForm::StartMessage, Qt::QueuedConnection);
  mode_ = mode;
  if (mode == Mode::Click) {
    exec();
  } else {
    show();
  }
}

void TBrowserForm::StartMessage() {
  // Where the window system does not report the activation before this point (no window
  // manager, a slow one), the set-up it triggers is done here, and its late report skipped.
  if (!activatedSinceStart_) {
    FormActivate();
    skipNextActivation_ = true;
  }
  browser_->Navigate(URLs->text());
}

bool TBrowserForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    if (skipNextActivation_)
      skipNextActivation_ = false;
    else if (isVisible())
      FormActivate();
  }
  return QDialog::event(event);
}

void TBrowserForm::FormActivate() {
  activatedSinceStart_ = true;
  Timer1->stop();
  ClickInSecLabel->clear();
  if (mode_ != Mode::Click) return;
  const int closeMs = timing_.DrawCloseInterval();
  Timer1->setInterval(closeMs);
  AbortTimer->setInterval(ClickTiming::AbortInterval(closeMs));
  AbortTimer->start();
}

void TBrowserForm::WebBrowser1NavigateComplete2(BrowserControl::Document document) {
  if (topDocument_ == 0) topDocument_ = document;
}

void TBrowserForm::WebBrowser1DocumentComplete(BrowserControl::Document document) {
  if (document != topDocument_) return;
  topDocument_ = 0;
  if (completionCounted_) return;
  completionCounted_ = true;
  if (mode_ == Mode::Click) {
    StatusLabel->setText(Msg("Klick fertig:"));
    StatusLabel->repaint();
    AbortTimer->stop();
    Timer1->start();
  }
}

void TBrowserForm::Timer1Timer() {
  Timer1->stop();
  close();
}

void TBrowserForm::AbortTimerTimer() {
  AbortTimer->stop();
  close();
}

void TBrowserForm::SekundenTimerTimer() {
  ++ticks_;
  const ClickCountdown countdown = ClickTiming::Countdown(ticks_, Timer1->interval());
  ClickInSecLabel->setText(Msg(countdown.label));
  ProgressBar1->setValue(countdown.position);
}

void TBrowserForm::BitBtn1Click() {
  if (cancelFlag_) *cancelFlag_ = true;
  close();
}

void TBrowserForm::closeEvent(QCloseEvent* event) {
  // A closed window starts nothing more; the page stops with the window's release.
  Timer1->stop();
  AbortTimer->stop();
  QDialog::closeEvent(event);
}

}  // namespace mw
