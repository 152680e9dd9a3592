#include "auxiliary/fAbout.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "auxiliary/Links.h"
#include "common/Files.h"
#include "common/Text.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "platform/WidgetLook.h"
#include "store/AppContext.h"

namespace mw {
namespace {

QLabel* LinkLabel(const QString& text, QWidget* parent) {
  auto* label =
      new QLabel(QStringLiteral("<a href=\"#\" style=\"color:#0000ff;\">%1</a>").arg(text.toHtmlEscaped()), parent);
  label->setCursor(Qt::PointingHandCursor);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(AppContext& context, QWidget* parent) : TModalForm(parent), context_(context) {
  setObjectName(QStringLiteral("AboutBox"));
  setFixedSize(275, 273);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* inner = new QVBoxLayout(panel);
  inner->setSpacing(2);
  Image1 = new QLabel(panel);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAlignment(Qt::AlignCenter);
  ProductName = new QLabel(panel);
  ProductName->setObjectName(QStringLiteral("ProductName"));
  MakeHeading(ProductName, 1.2);
  ProductName->setAlignment(Qt::AlignCenter);
  VersionLabel = new QLabel(panel);
  VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
  VersionLabel->setAlignment(Qt::AlignCenter);
  URLLabel = LinkLabel(ToQt(context.facts.makerWebText), panel);
  URLLabel->setObjectName(QStringLiteral("URLLabel"));
  EmailLabel = LinkLabel(ToQt(context.facts.makerMail), panel);
  EmailLabel->setObjectName(QStringLiteral("EmailLabel"));
  UpdateButton = new QPushButton(Msg("Update"), panel);
  UpdateButton->setObjectName(QStringLiteral("UpdateButton"));
  inner->addWidget(Image1);
  inner->addWidget(ProductName);
  inner->addWidget(VersionLabel);
  inner->addWidget(URLLabel);
  inner->addWidget(EmailLabel);
  auto* updateRow = new QHBoxLayout;
  updateRow->addStretch();
  updateRow->addWidget(UpdateButton);
  updateRow->addStretch();
  inner->addLayout(updateRow);
  layout->addWidget(panel, 1);
  auto* okRow = new QHBoxLayout;
  okRow->addStretch();
  OKButton = new QPushButton(Msg("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  okRow->addWidget(OKButton);
  okRow->addStretch();
  layout->addLayout(okRow);

  connect(URLLabel, &QLabel::linkActivated, this, [this] { OpenProductPage(context_); });
  connect(EmailLabel, &QLabel::linkActivated, this, [this] { OpenMailToMaker(context_); });
  connect(UpdateButton, &QPushButton::clicked, this, [this] { OpenProductPage(context_); });
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  FormCreate();
}

void TAboutBox::FormCreate() {
  setWindowTitle(ToQt(context_.facts.productName));
  ProductName->setText(ToQt(context_.facts.productName));
  VersionLabel->setText(ToQt(context_.facts.version));
  const std::string picture = context_.folder.File(context_.facts.aboutPicture);
  QPixmap pixmap(QString::fromLocal8Bit(picture.c_str()));
  if (pixmap.isNull() && context_.dialogs)
    context_.dialogs->Error(
        Msg(FileOpenErrorMessage(picture, FileExists(picture) ? "Kein lesbares Bild" : "Datei nicht gefunden")));
  Image1->setPixmap(pixmap);
}

}  // namespace mw
