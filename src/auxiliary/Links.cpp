#include "auxiliary/Links.h"

#include <QUrl>

#include "platform/DesktopServices.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "store/AppContext.h"

namespace mw {
namespace {

bool Open(AppContext& context, const QUrl& url, const char* failure) {
  const bool ok = context.opener && url.isValid() && context.opener->Open(url);
  if (!ok && context.dialogs) context.dialogs->Message(Msg(failure));
  return ok;
}

}  // namespace

bool OpenWebLink(AppContext& context, const QString& address) {
  return Open(context, QUrl(address), kBrowserFailure);
}

void OpenHelpPage(AppContext& context) {
  const std::string page = context.folder.File("help/" + context.facts.helpPage);
  std::string error;
  if (!OpenLocalFile(context.opener, page, &error) && context.dialogs) context.dialogs->Error(Msg(error));
}

void OpenProductPage(AppContext& context) {
  OpenWebLink(context, ToQt(context.facts.productPage));
}

void OpenMailToMaker(AppContext& context) {
  Open(context, QUrl(QStringLiteral("mailto:") + ToQt(context.facts.makerMail)), kMailFailure);
}

}  // namespace mw
