// Main window: steps 1 and 2, the filter and settings tabs, and the bindings of their
// controls to the crawler.
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "shell/WizardRules.h"
#include "shell/fMain.h"
#include "shell/fMainWidgets.h"
#include "shell/fOpenListe.h"

namespace mw {
namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLabel* Wrapped(const char* text, QWidget* parent) {
  auto* label = new QLabel(Msg(text), parent);
  label->setWordWrap(true);
  return label;
}

}  // namespace

QWidget* TMainForm::BuildStep1() {
  auto* sheet = Named(new QWidget, "TabSheet2");
  auto* row = new QHBoxLayout(sheet);
  row->setContentsMargins(12, 12, 12, 12);
  row->setSpacing(12);
  auto* left = new QVBoxLayout;
  ModeGroupBox = Named(new QGroupBox(Msg("Seiten für die Suchmaschinenanmeldung festlegen"), sheet), "ModeGroupBox");
  auto* modes = new QVBoxLayout(ModeGroupBox);
  OnePageSubpagesRadioButton =
      Named(new QRadioButton(Msg("Eine Seite mit deren Unterseiten")), "OnePageSubpagesRadioButton");
  OnePageRadioButton = Named(new QRadioButton(Msg("Nur eine Seite")), "OnePageRadioButton");
  ListeRadioButton =
      Named(new QRadioButton(Msg("Liste mehrerer verschiedener Webseiten (Domains)")), "ListeRadioButton");
  for (QRadioButton* b : {OnePageSubpagesRadioButton, OnePageRadioButton, ListeRadioButton}) {
    modes->addWidget(b);
    connect(b, &QRadioButton::clicked, this, &TMainForm::ModeRadioButtonClick);
  }
  left->addWidget(ModeGroupBox);

  GroupBox8 = Named(new QGroupBox(Msg("Webseite zum anmelden"), sheet), "GroupBox8");
  auto* site = new QVBoxLayout(GroupBox8);
  site->addWidget(Wrapped("Geben Sie hier die Webseite ein welche Sie in Suchmaschinen eintragen möchten:", GroupBox8));
  URLEdit = Named(new QLineEdit(GroupBox8), "URLEdit");
  site->addWidget(URLEdit);
  auto* count = new QHBoxLayout;
  VorSeitenzahlLabel = Named(new QLabel(Msg("Die"), GroupBox8), "VorSeitenzahlLabel");
  MaxPagesEdit = Named(new QLineEdit(QStringLiteral("20"), GroupBox8), "MaxPagesEdit");
  MaxPagesEdit->setFixedWidth(56);
  NachSeitenzahlLabel = Named(Wrapped("wichtigsten Unterseiten Ihrer Webseite werden automatisch ermittelt", GroupBox8),
                              "NachSeitenzahlLabel");
  count->addWidget(VorSeitenzahlLabel);
  count->addWidget(MaxPagesEdit);
  count->addWidget(NachSeitenzahlLabel, 1);
  site->addLayout(count);
  auto* buttons = new QHBoxLayout;
  StartBitBtn = Named(new QPushButton(Msg("Start: Unterseiten automatisch ermitteln"), GroupBox8), "StartBitBtn");
  StopBitBtn = Named(new QPushButton(Msg("Stop"), GroupBox8), "StopBitBtn");
  SitemapBitBtn = Named(new QPushButton(Msg("Sitemap speichern…"), GroupBox8), "SitemapBitBtn");
  SitemapBitBtn->setEnabled(false);  // until a page discovery has found pages
  buttons->addWidget(StartBitBtn, 1);
  buttons->addWidget(StopBitBtn);
  buttons->addWidget(SitemapBitBtn);
  site->addLayout(buttons);
  Memo7 = Named(new QPlainTextEdit(GroupBox8), "Memo7");
  Memo7->setReadOnly(true);
  Memo7->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Memo7->setFixedHeight(Memo7->fontMetrics().lineSpacing() * 6 + 16);
  site->addWidget(Memo7);
  left->addWidget(GroupBox8);
  left->addStretch();

  // Spider settings: never shown, but their handlers still feed the crawler.
  SpiderPanel = Named(new QWidget(sheet), "SpiderPanel");
  auto* spider = new QVBoxLayout(SpiderPanel);
  SpiderOptionsGroupBox = Named(new TRadioGroup(Msg("Spider Einstellungen"),
                                                {Msg("Alle Links verfolgen"), Msg("Nur Links der Startseite"),
                                                 Msg("Nur Links mit gleicher Quell-URL")},
                                                SpiderPanel),
                                "SpiderOptionsGroupBox");
  RadioGroup3 = Named(new TRadioGroup(Msg("Link Report"),
                                      {Msg("Alle Links reporten"), Msg("Nur Links der Startseite reporten"),
                                       Msg("Nur Links mit gleicher Quell-URL reporten")},
                                      SpiderPanel),
                      "RadioGroup3");
  RedirectionCheckBox = Named(new QCheckBox(Msg("allow redirection"), SpiderPanel), "RedirectionCheckBox");
  RedirectionCheckBox->setChecked(true);
  FilterCheckBox = Named(new QCheckBox(Msg("enable filter"), SpiderPanel), "FilterCheckBox");
  FilterCheckBox->setChecked(true);
  SearchForMemo = Named(new QPlainTextEdit(SpiderPanel), "SearchForMemo");
  GroupBox3 = Named(new QGroupBox(Msg("Einstellungen"), SpiderPanel), "GroupBox3");
  auto* depth = new QFormLayout(GroupBox3);
  Edit3 = Named(new QLineEdit(QStringLiteral("20"), GroupBox3), "Edit3");
  Edit6 = Named(new QLineEdit(QStringLiteral("1"), GroupBox3), "Edit6");
  Edit3->setReadOnly(true);  // keys typed into the number edits are discarded
  Edit6->setReadOnly(true);
  UpDown1 = Named(new TUpDown(Edit3, 1, GroupBox3), "UpDown1");
  UpDown2 = Named(new TUpDown(Edit6, 1, GroupBox3), "UpDown2");
  depth->addRow(Msg("Tiefe der zu verfolgenden Links"), Edit3);
  depth->addRow(Msg("Anzahl parallerer Prozesse gleichzeitig"), Edit6);
  for (QWidget* w : std::initializer_list<QWidget*>{SpiderOptionsGroupBox, RadioGroup3, RedirectionCheckBox,
                                                    FilterCheckBox, SearchForMemo, GroupBox3})
    spider->addWidget(w);
  SpiderPanel->hide();
  left->addWidget(SpiderPanel);
  row->addLayout(left);

  auto* right = new QVBoxLayout;
  ModeLabel = Named(new QLabel(Msg("Seiten die zum Anmelden vorgesehen sind:"), sheet), "ModeLabel");
  QFont bold = ModeLabel->font();
  bold.setBold(true);
  ModeLabel->setFont(bold);
  ErgMemo = Named(new QPlainTextEdit(sheet), "ErgMemo");
  ErgMemo->setReadOnly(true);
  ErgMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  ErgMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ErgMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  right->addWidget(ModeLabel);
  right->addWidget(ErgMemo, 1);
  row->addLayout(right, 1);
  ModeGroupBox->setFixedWidth(440);
  GroupBox8->setFixedWidth(440);
  return sheet;
}

QWidget* TMainForm::BuildStep2() {
  auto* sheet = Named(new QWidget, "TabSheet5");
  auto* column = new QVBoxLayout(sheet);
  column->setContentsMargins(12, 12, 12, 12);
  auto* contact = Named(new QGroupBox(Msg("Kontaktdaten für den Suchmaschineneintrag"), sheet), "GroupBox1");
  auto* contactForm = new QFormLayout(contact);
  NameEdit = Named(new QLineEdit(contact), "NameEdit");
  EmailEdit = Named(new QLineEdit(contact), "EmailEdit");
  // One label width in both groups, so the fields line up.
  const auto label = [](const char* text) {
    auto* l = new QLabel(Msg(text));
    l->setMinimumWidth(90);
    return l;
  };
  contactForm->addRow(label("Name"), NameEdit);
  contactForm->addRow(label("Email"), EmailEdit);
  auto* title = Named(new QGroupBox(Msg("Name für das Projekt"), sheet), "GroupBox2");
  auto* titleForm = new QFormLayout(title);
  ProjektNameEdit = Named(new QLineEdit(title), "ProjektNameEdit");
  titleForm->addRow(label("Projektname"), ProjektNameEdit);
  auto* indexNow = Named(new QGroupBox(Msg("IndexNow-Schlüssel des Projekts"), sheet), "GroupBoxIndexNow");
  auto* indexNowColumn = new QVBoxLayout(indexNow);
  indexNowColumn->addWidget(
      Wrapped("Die Suchmaschinen mit IndexNow nehmen eine Seite nur an, wenn die Schlüsseldatei "
              "im Hauptverzeichnis Ihrer Webseite liegt.",
              indexNow));
  IndexNowKeyEdit = Named(new QLineEdit(indexNow), "IndexNowKeyEdit");
  IndexNowKeyEdit->setReadOnly(true);
  indexNowColumn->addWidget(IndexNowKeyEdit);
  auto* keyButtons = new QHBoxLayout;
  SaveKeyFileBitBtn = Named(new QPushButton(Msg("Schlüsseldatei speichern…"), indexNow), "SaveKeyFileBitBtn");
  CheckKeyFileBitBtn = Named(new QPushButton(Msg("Schlüsseldatei prüfen"), indexNow), "CheckKeyFileBitBtn");
  keyButtons->addWidget(SaveKeyFileBitBtn);
  keyButtons->addWidget(CheckKeyFileBitBtn);
  keyButtons->addStretch();
  indexNowColumn->addLayout(keyButtons);
  for (QGroupBox* g : {contact, title, indexNow}) {
    g->setFixedWidth(520);
    column->addWidget(g);
  }
  connect(SaveKeyFileBitBtn, &QPushButton::clicked, this, &TMainForm::SaveKeyFileClick);
  connect(CheckKeyFileBitBtn, &QPushButton::clicked, this, &TMainForm::CheckKeyFileClick);
  column->addStretch();
  connect(NameEdit, &QLineEdit::textChanged, this, [this](const QString& t) { Project.name = FromQt(t); });
  connect(EmailEdit, &QLineEdit::textChanged, this, [this](const QString& t) { Project.email = FromQt(t); });
  connect(ProjektNameEdit, &QLineEdit::textChanged, this, [this](const QString& t) { Project.title = FromQt(t); });
  connect(URLEdit, &QLineEdit::textChanged, this, [this](const QString& t) { Project.url = FromQt(t); });
  EmailEdit->installEventFilter(this);
  return sheet;
}

QWidget* TMainForm::BuildFilterTab() {
  auto* sheet = Named(new QWidget, "TabSheet3");
  auto* row = new QHBoxLayout(sheet);
  row->setContentsMargins(12, 12, 12, 12);
  const auto group = [&](const char* caption, const char* hint, QCheckBox*& box, const char* boxName,
                         QPlainTextEdit*& memo, const char* memoName) {
    auto* g = new QGroupBox(Msg(caption), sheet);
    auto* layout = new QVBoxLayout(g);
    layout->addWidget(Wrapped(hint, g));
    layout->addWidget(Wrapped("Bitte immer nur einen Begriff pro Zeile eingeben!", g));
    box = Named(new QCheckBox(Msg("Filter eingeschaltet"), g), boxName);
    memo = Named(new QPlainTextEdit(g), memoName);
    layout->addWidget(box);
    layout->addWidget(memo, 1);
    row->addWidget(g);
  };
  group("URL muss Begriffe enthalten", "Nur Links verfolgen in deren URL einer der folgenden Begriffe vorhanden ist.",
        IncludeCheckBox, "IncludeCheckBox", IncludeMemo, "IncludeMemo");
  group("URL darf Begriffe nicht enthalten",
        "Nur Links verfolgen in deren URL keiner der folgenden Begriffe enthalten ist.", ExcludeCheckBox,
        "ExcludeCheckBox", ExcludeMemo, "ExcludeMemo");
  return sheet;
}

QWidget* TMainForm::BuildSettingsTab() {
  auto* sheet = Named(new QWidget, "TabSheet4");
  auto* column = new QVBoxLayout(sheet);
  column->setContentsMargins(12, 12, 12, 12);
  auto* transfer = Named(new QGroupBox(Msg("Verbindung"), sheet), "GroupBox4");
  auto* transferForm = new QFormLayout(transfer);
  Edit5 = Named(new QLineEdit(transfer), "Edit5");
  Edit7 = Named(new QLineEdit(transfer), "Edit7");
  transferForm->addRow(Msg("Anzahl der Wiederholungen (Retry Count)"), Edit5);
  transferForm->addRow(Msg("TimeOut:"), Edit7);
  ProxyRadioGroupBox = Named(
      new TRadioGroup(Msg("Proxy"),
                      {Msg("Direkte Verbindung"), Msg("Proxy verwenden"), Msg("Einstellungen des Browsers verwenden")},
                      sheet),
      "ProxyRadioGroupBox");
  auto* proxy = Named(new QGroupBox(Msg("Proxy-Einstellungen"), sheet), "GroupBox5");
  auto* proxyForm = new QFormLayout(proxy);
  Edit8 = Named(new QLineEdit(proxy), "Edit8");
  Edit9 = Named(new QLineEdit(proxy), "Edit9");
  Edit4 = Named(new QLineEdit(proxy), "Edit4");
  MaskEdit1 = Named(new QLineEdit(proxy), "MaskEdit1");
  MaskEdit1->setEchoMode(QLineEdit::Password);
  proxyForm->addRow(Msg("IP Adresse"), Edit8);
  proxyForm->addRow(Msg("Port"), Edit9);
  proxyForm->addRow(Msg("User Name"), Edit4);
  proxyForm->addRow(Msg("Passwort"), MaskEdit1);
  for (QWidget* g : std::initializer_list<QWidget*>{transfer, ProxyRadioGroupBox, proxy}) {
    g->setFixedWidth(520);
    column->addWidget(g);
  }
  column->addStretch();
  return sheet;
}

void TMainForm::ConnectBindings() {
  const auto text = [this](QLineEdit* edit, void (CrawlerBinding::*set)(const std::string&)) {
    connect(edit, &QLineEdit::textChanged, this, [this, set](const QString& t) { (binding_.*set)(FromQt(t)); });
  };
  const auto memo = [this](QPlainTextEdit* edit, void (CrawlerBinding::*set)(const std::string&)) {
    connect(edit, &QPlainTextEdit::textChanged, this,
            [this, edit, set] { (binding_.*set)(FromQt(edit->toPlainText())); });
  };
  const auto box = [this](QCheckBox* check, void (CrawlerBinding::*set)(bool)) {
    connect(check, &QCheckBox::toggled, this, [this, set](bool on) { (binding_.*set)(on); });
  };
  const auto group = [this](TRadioGroup* g, void (CrawlerBinding::*set)(int)) {
    connect(g, &TRadioGroup::ItemClicked, this, [this, set](int i) { (binding_.*set)(i); });
  };
  text(Edit5, &CrawlerBinding::RetriesText);
  text(Edit7, &CrawlerBinding::TimeOutText);
  text(Edit9, &CrawlerBinding::ProxyPortText);
  text(Edit8, &CrawlerBinding::ProxyAddress);
  text(Edit4, &CrawlerBinding::ProxyUser);
  text(MaskEdit1, &CrawlerBinding::ProxyPassword);
  group(ProxyRadioGroupBox, &CrawlerBinding::ProxyChoice);
  group(SpiderOptionsGroupBox, &CrawlerBinding::SpiderOption);
  group(RadioGroup3, &CrawlerBinding::LinkReportOption);
  box(RedirectionCheckBox, &CrawlerBinding::AllowRedirect);
  box(FilterCheckBox, &CrawlerBinding::TypeFilterEnabled);
  memo(SearchForMemo, &CrawlerBinding::TypeFilter);
  connect(UpDown1, &TUpDown::Clicked, this, [this] { binding_.DepthText(FromQt(Edit3->text())); });
  connect(UpDown2, &TUpDown::Clicked, this, [this] { binding_.ConcurrentText(FromQt(Edit6->text())); });
  box(IncludeCheckBox, &CrawlerBinding::IncludeEnabled);
  memo(IncludeMemo, &CrawlerBinding::IncludeTerms);
  box(ExcludeCheckBox, &CrawlerBinding::ExcludeEnabled);
  memo(ExcludeMemo, &CrawlerBinding::ExcludeTerms);
}

void TMainForm::LoadSettings() {
  std::string error;
  if (!settings_.Load(context_.folder.ProgramIni(), &error)) ShowError(error);
  Edit5->setText(ToQt(settings_.retries));
  Edit7->setText(ToQt(settings_.timeout));
  ProxyRadioGroupBox->SetItemIndex(settings_.proxyChoice);
  Edit8->setText(ToQt(settings_.proxyAddress));
  Edit9->setText(ToQt(settings_.proxyPort));
  Edit4->setText(ToQt(settings_.proxyUser));
  MaskEdit1->setText(ToQt(settings_.proxyPassword));
}

void TMainForm::SaveSettings() {
  settings_.retries = FromQt(Edit5->text());
  settings_.timeout = FromQt(Edit7->text());
  settings_.proxyChoice = ProxyRadioGroupBox->ItemIndex();
  settings_.proxyAddress = FromQt(Edit8->text());
  settings_.proxyPort = FromQt(Edit9->text());
  settings_.proxyUser = FromQt(Edit4->text());
  settings_.proxyPassword = FromQt(MaskEdit1->text());
  std::string error;
  if (!settings_.Save(context_.folder.ProgramIni(), &error)) ShowError(error);
}

void TMainForm::HideModeControls() {
  for (QWidget* w : std::initializer_list<QWidget*>{GroupBox8, VorSeitenzahlLabel, NachSeitenzahlLabel, MaxPagesEdit,
                                                    StartBitBtn, StopBitBtn, SitemapBitBtn, ModeLabel, ErgMemo, Memo7})
    w->hide();
}

void TMainForm::ShowModeControls() {
  if (OnePageRadioButton->isChecked()) {
    for (QWidget* w : std::initializer_list<QWidget*>{GroupBox8, ModeLabel, ErgMemo}) w->show();
  } else if (OnePageSubpagesRadioButton->isChecked()) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{GroupBox8, VorSeitenzahlLabel, NachSeitenzahlLabel, MaxPagesEdit, StartBitBtn,
                                         StopBitBtn, SitemapBitBtn, ModeLabel, ErgMemo, Memo7})
      w->show();
  } else if (ListeRadioButton->isChecked()) {
    if (windows_.liste && ShowModal(*windows_.liste) == QDialog::Accepted) AddPagesToProject();
    ModeLabel->show();
    ErgMemo->show();
  }
}

void TMainForm::ModeRadioButtonClick() {
  // A click on the mode already shown changes nothing (for the list mode it would open the
  // address window a second time).
  auto* clicked = qobject_cast<QRadioButton*>(sender());
  if (clicked && clicked == shownMode_) return;
  shownMode_ = clicked;
  HideModeControls();
  ShowModeControls();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Text typed into the engine box selects nothing; only picking an entry counts.
    if (watched == ComboBox1 && !key->text().isEmpty() && key->text().at(0).isPrint()) return true;
    // Enter on step 4 (not taken by the control that has the focus) starts the run, or the
    // search when it is typed into the search field.
    if (watched == TabSheet1 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      QPushButton* button = SearchEdit->hasFocus() ? SearchButton : AlleAnmeldenBitBtn;
      if (button->isEnabled()) button->click();
      return true;
    }
  }
  // A double click on the empty area of the step-3 button panel (not on a button).
  if (watched == Panel6 && event->type() == QEvent::MouseButtonDblClick) ApplyEngineChoice(EngineChoice::AllButGoogle);
  if (watched == EmailEdit && event->type() == QEvent::FocusOut) {
    // Only a move to another control of this window counts as leaving the field.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) EmailEditExit();
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::EmailEditExit() {
  if (EmailLooksValid(FromQt(EmailEdit->text()))) return;
  context_.dialogs->Information(Msg("Keine gültige Email-Adresse"));
  EmailEdit->setFocus();
}

}  // namespace mw
