#pragma once
// The parts the two wizard-like tool windows share: the wizard picture at the left (95 x 158),
// loaded from the program folder when the window is made (a missing or unreadable picture is
// reported naming the file), and the line with "Hilfe", "Abbrechen" and "Weiter" at the bottom.

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace mw {

struct AppContext;

QLabel* MakeWizardPicture(AppContext& context, QWidget* parent);

struct WizardButtons {
  QPushButton* hilfe = nullptr;
  QPushButton* abort = nullptr;
  QPushButton* weiter = nullptr;  // the default button, its arrow on the right
};

// Adds a separating line and the three buttons (Hilfe left, Abbrechen and Weiter right) to `column`.
WizardButtons AddWizardButtons(QWidget* parent, QVBoxLayout* column);

}  // namespace mw
