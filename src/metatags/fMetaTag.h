#pragma once
// The meta-tag generator window: the user's entries for a page's <head> block, saved in
// "metatags.met" on every "Metatags erzeugen" and restored at every showing. The block itself
// is built by MetaTagGenerator and shown in the result window.

#include <functional>

#include "metatags/MetaTagGenerator.h"
#include "platform/ModalForm.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mw {

struct AppContext;
class TReadyMetaTagsForm;

class TMetaTagForm : public TModalForm {
  Q_OBJECT
 public:
  // Loads the six lists (FormCreate); a list that cannot be read is reported here.
  explicit TMetaTagForm(AppContext& context, QWidget* parent = nullptr);

  // The result window is created after this one; it is handed over once both exist.
  void SetResultWindow(TReadyMetaTagsForm* result) { result_ = result; }
  // Restores the inputs from "metatags.met" when it exists. False (after the error message)
  // when the file is damaged: the window is then not to be shown.
  bool FormShow();
  // Shows the result window; replaceable for tests.
  std::function<int(QDialog&)> RunModal;

  MetaTagInputs Inputs() const;
  void ShowInputs(const MetaTagInputs& inputs);
  const MetaTagGenerator& Generator() const { return generator_; }

  QLabel* HintLabel = nullptr;
  QLineEdit *TitleEdit = nullptr, *AuthorEdit = nullptr, *CopyrightEdit = nullptr, *PublisherEdit = nullptr;
  QComboBox *PageTypeComboBox = nullptr, *AudienceComboBox = nullptr, *RevisitComboBox = nullptr,
            *LanguageComboBox = nullptr, *RobotsComboBox = nullptr, *PageTopicComboBox = nullptr;
  QLineEdit *DescriptionEdit = nullptr, *KeywordsEdit = nullptr;
  QDateEdit *DateDateTimePicker = nullptr, *ExpiresDateTimePicker = nullptr;
  QCheckBox *DateCheckBox = nullptr, *ExpiresCheckBox = nullptr, *DublinCoreCheckBox = nullptr;
  QPushButton* BitBtn1 = nullptr;  // "Metatags erzeugen"
  QPushButton* BitBtn2 = nullptr;  // "Schließen"

 private:
  void FormCreate();
  void BitBtn1Click();
  QComboBox* Box(ChoiceList list) const;

  AppContext& context_;
  MetaTagGenerator generator_;
  TReadyMetaTagsForm* result_ = nullptr;
};

}  // namespace mw
