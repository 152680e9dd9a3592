#include "metatags/fMetaTag.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <limits>

#include "metatags/FMetaTagsResult.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "store/AppContext.h"

namespace mw {
namespace {

const QDate kStartDate(2005, 3, 22);

QDate ToQDate(const MetaTagDate& d) {
  return QDate(d.year, d.month, d.day);
}
MetaTagDate FromQDate(const QDate& d) {
  return {d.year(), d.month(), d.day()};
}

// A labelled control in one of the window's columns; the label sits above it.
template <typename Control>
Control* Field(Control* control, const char* name, const char* label, QVBoxLayout* column, QWidget* parent) {
  control->setObjectName(QString::fromLatin1(name));
  auto* caption = new QLabel(Msg(label), parent);
  caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
  caption->setBuddy(control);
  column->addWidget(caption);
  column->addWidget(control);
  column->addSpacing(4);
  return control;
}

// A text field that takes a text of any length: a long description restored from
// "metatags.met" must not come back cut.
QLineEdit* TextEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(std::numeric_limits<int>::max());
  return edit;
}

QComboBox* ChoiceBox(int rowsDropped, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setMaxVisibleItems(rowsDropped);
  // Long entries must not widen one column; the open list still shows them whole.
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMinimumContentsLength(12);
  return box;
}

QDateEdit* DatePicker(const char* name, QWidget* parent) {
  auto* picker = new QDateEdit(kStartDate, parent);
  picker->setObjectName(QString::fromLatin1(name));
  picker->setCalendarPopup(true);
  picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  // The layout keeps the picker's place while it is hidden, so the column does not jump.
  QSizePolicy policy = picker->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  picker->setSizePolicy(policy);
  picker->hide();
  return picker;
}

// A check box that shows or hides its date picker, with the picker below it.
QCheckBox* DateField(QDateEdit* picker, const char* name, const char* caption, QVBoxLayout* column, QWidget* parent) {
  auto* box = new QCheckBox(Msg(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  QObject::connect(box, &QCheckBox::toggled, picker, &QWidget::setVisible);
  column->addWidget(box);
  column->addWidget(picker);
  column->addSpacing(4);
  return box;
}

}  // namespace

TMetaTagForm::TMetaTagForm(AppContext& context, QWidget* parent)
    : TModalForm(parent), context_(context), generator_(context.folder) {
  setObjectName(QStringLiteral("MetaTagForm"));
  setWindowTitle(Msg("MetaTag Generator"));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(668, 576);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 10, 12, 10);
  layout->setSpacing(2);
  HintLabel = new QLabel(
      Msg("Bitte lassen Sie nicht zutreffendes in den Auswahlboxen einach auf dem Punkt \"keine Angaben\" stehen"),
      this);
  HintLabel->setObjectName(QStringLiteral("HintLabel"));
  QFont bold = HintLabel->font();
  bold.setBold(true);
  HintLabel->setFont(bold);
  HintLabel->setWordWrap(true);
  layout->addWidget(HintLabel);
  layout->addSpacing(6);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(24);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  left->setSpacing(2);
  right->setSpacing(2);
  DateDateTimePicker = DatePicker("DateDateTimePicker", this);
  ExpiresDateTimePicker = DatePicker("ExpiresDateTimePicker", this);

  TitleEdit = Field(TextEdit(this), "TitleEdit", "Titel der Webseite:", left, this);
  PageTopicComboBox = Field(ChoiceBox(30, this), "PageTopicComboBox", "Thema der Webseite:", left, this);
  PublisherEdit = Field(TextEdit(this), "PublisherEdit", "Herausgeber der Webseite:", left, this);
  DateCheckBox = DateField(DateDateTimePicker, "DateCheckBox", "Veröffentlichungsdatum:", left, this);
  PageTypeComboBox = Field(ChoiceBox(30, this), "PageTypeComboBox", "Typ der Webseite:", left, this);
  RevisitComboBox = Field(ChoiceBox(8, this), "RevisitComboBox", "Suchmaschinenwiederbesuch:", left, this);
  RobotsComboBox = Field(ChoiceBox(8, this), "RobotsComboBox", "Indexierung / Linkverfolgung:", left, this);

  AuthorEdit = Field(TextEdit(this), "AuthorEdit", "Autor der Webseite:", right, this);
  CopyrightEdit = Field(TextEdit(this), "CopyrightEdit", "Copyright z.B. Ihrname, 2005:", right, this);
  ExpiresCheckBox = DateField(ExpiresDateTimePicker, "ExpiresCheckBox", "Verfallsdatum:", right, this);
  AudienceComboBox = Field(ChoiceBox(30, this), "AudienceComboBox", "Zielgruppe der Webseite:", right, this);
  LanguageComboBox = Field(ChoiceBox(30, this), "LanguageComboBox", "Sprache der Webseite:", right, this);
  left->addStretch();
  right->addStretch();
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  layout->addLayout(columns, 1);

  auto* wide = new QVBoxLayout;
  wide->setSpacing(2);
  DescriptionEdit = Field(TextEdit(this), "DescriptionEdit", "Beschreibung der Webseite:", wide, this);
  KeywordsEdit =
      Field(TextEdit(this), "KeywordsEdit", "Suchwörter (durch Komma und Leerzeichen getrennt):", wide, this);
  DublinCoreCheckBox = new QCheckBox(Msg("Zusätzlich Dublin Core Metatags erzeugen?"), this);
  DublinCoreCheckBox->setObjectName(QStringLiteral("DublinCoreCheckBox"));
  wide->addWidget(DublinCoreCheckBox);
  layout->addLayout(wide);
  layout->addSpacing(8);

  auto* buttons = new QHBoxLayout;
  BitBtn1 = new QPushButton(Msg("Metatags erzeugen"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn2 = new QPushButton(Msg("Schließen"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  for (QPushButton* b : {BitBtn1, BitBtn2}) b->setMinimumSize(160, 30);
  BitBtn1->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  buttons->addStretch();
  layout->addLayout(buttons);

  const QWidget* tabOrder[] = {TitleEdit,
                               AuthorEdit,
                               CopyrightEdit,
                               PublisherEdit,
                               PageTypeComboBox,
                               AudienceComboBox,
                               RevisitComboBox,
                               LanguageComboBox,
                               RobotsComboBox,
                               DescriptionEdit,
                               KeywordsEdit,
                               DateDateTimePicker,
                               ExpiresDateTimePicker,
                               DateCheckBox,
                               ExpiresCheckBox,
                               BitBtn1,
                               BitBtn2,
                               DublinCoreCheckBox,
                               PageTopicComboBox};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i)
    setTabOrder(const_cast<QWidget*>(tabOrder[i - 1]), const_cast<QWidget*>(tabOrder[i]));

  connect(BitBtn1, &QPushButton::clicked, this, &TMetaTagForm::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::close);
  RunModal = [](QDialog& dialog) { return dialog.exec(); };
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  FormCreate();
}

QComboBox* TMetaTagForm::Box(ChoiceList list) const {
  switch (list) {
    case ChoiceList::Topic:
      return PageTopicComboBox;
    case ChoiceList::Type:
      return PageTypeComboBox;
    case ChoiceList::Audience:
      return AudienceComboBox;
    case ChoiceList::Revisit:
      return RevisitComboBox;
    case ChoiceList::Language:
      return LanguageComboBox;
    case ChoiceList::Robots:
      return RobotsComboBox;
  }
  return nullptr;
}

void TMetaTagForm::FormCreate() {
  std::string error;
  const bool loaded = generator_.LoadLists(&error);
  for (int i = 0; i < kChoiceListCount; ++i) {
    QComboBox* box = Box(static_cast<ChoiceList>(i));
    box->addItems(ToQtList(generator_.DisplayTexts(static_cast<ChoiceList>(i))));
    box->setCurrentIndex(0);
  }
  if (!loaded) context_.dialogs->Error(Msg(error));
}

bool TMetaTagForm::FormShow() {
  if (!generator_.InputsFileExists()) return true;
  MetaTagInputs inputs = Inputs();
  std::string error;
  if (!generator_.LoadInputs(inputs, &error)) {
    context_.dialogs->Error(Msg(error));
    return false;
  }
  ShowInputs(inputs);
  return true;
}

MetaTagInputs TMetaTagForm::Inputs() const {
  MetaTagInputs in;
  in.title = FromQt(TitleEdit->text());
  in.author = FromQt(AuthorEdit->text());
  in.copyright = FromQt(CopyrightEdit->text());
  in.publisher = FromQt(PublisherEdit->text());
  in.description = FromQt(DescriptionEdit->text());
  in.keywords = FromQt(KeywordsEdit->text());
  for (int i = 0; i < kChoiceListCount; ++i) in.choice[i] = Box(static_cast<ChoiceList>(i))->currentIndex();
  in.dateUsed = DateCheckBox->isChecked();
  in.expiresUsed = ExpiresCheckBox->isChecked();
  in.dublinCore = DublinCoreCheckBox->isChecked();
  in.date = FromQDate(DateDateTimePicker->date());
  in.expires = FromQDate(ExpiresDateTimePicker->date());
  return in;
}

void TMetaTagForm::ShowInputs(const MetaTagInputs& in) {
  TitleEdit->setText(ToQt(in.title));
  AuthorEdit->setText(ToQt(in.author));
  CopyrightEdit->setText(ToQt(in.copyright));
  PublisherEdit->setText(ToQt(in.publisher));
  DescriptionEdit->setText(ToQt(in.description));
  KeywordsEdit->setText(ToQt(in.keywords));
  // An index beyond its list leaves the box without a selection, which generates as "DEFAULT".
  for (int i = 0; i < kChoiceListCount; ++i) Box(static_cast<ChoiceList>(i))->setCurrentIndex(in.choice[i]);
  DateCheckBox->setChecked(in.dateUsed);
  ExpiresCheckBox->setChecked(in.expiresUsed);
  DateDateTimePicker->setVisible(in.dateUsed);
  ExpiresDateTimePicker->setVisible(in.expiresUsed);
  DateDateTimePicker->setDate(ToQDate(in.date));
  ExpiresDateTimePicker->setDate(ToQDate(in.expires));
  DublinCoreCheckBox->setChecked(in.dublinCore);
}

// The inputs are saved first, even incomplete ones, so they come back at the next showing.
void TMetaTagForm::BitBtn1Click() {
  const MetaTagInputs in = Inputs();
  std::string error;
  if (!generator_.SaveInputs(in, &error)) {
    context_.dialogs->Error(Msg(error));
    return;
  }
  const std::string missing = MetaTagGenerator::MissingFieldMessage(in);
  if (!missing.empty()) {
    context_.dialogs->Information(Msg(missing));
    return;
  }
  if (!result_) return;
  result_->Memo1->setPlainText(ToQtList(generator_.Generate(in)).join(QLatin1Char('\n')));
  result_->FormActivate();
  RunModal(*result_);
}

}  // namespace mw
