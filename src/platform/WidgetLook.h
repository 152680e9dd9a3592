#pragma once
// Small pieces of the windows' look shared by several windows.

class QLabel;
class QScrollArea;
class QWidget;

namespace mw {

// Bold type, `scale` times the label's size.
void MakeHeading(QLabel* label, double scale);
// A scroll area whose page is white with black text; returns the page to fill.
QWidget* WhiteScrollPage(QScrollArea* scroll);

}  // namespace mw
