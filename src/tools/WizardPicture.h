#pragma once
// The wizard picture at the left of the tool windows (95 x 158), loaded from the program
// folder when the window is made; a missing or unreadable picture is reported naming the file.

class QLabel;
class QWidget;

namespace mw {

struct AppContext;

QLabel* MakeWizardPicture(AppContext& context, QWidget* parent);

}  // namespace mw
