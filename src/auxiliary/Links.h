#pragma once
// The outside links of the program: the help page, the product page and a new e-mail to the
// maker, each opened by the desktop; a failure is reported with the desktop layer's message, for
// the help page (a local file) with the German message that names the file.

#include <QString>

namespace mw {

struct AppContext;

inline constexpr const char* kBrowserFailure =
    "Unable to start internet browser! Make sure you have it properly set-up on your system!";
inline constexpr const char* kMailFailure =
    "Unable to start mail client. Make sure you have it properly set-up on your system.";

bool OpenWebLink(AppContext& context, const QString& address);  // browser failure message
void OpenHelpPage(AppContext& context);
void OpenProductPage(AppContext& context);
void OpenMailToMaker(AppContext& context);

}  // namespace mw
