#pragma once
// The program's windows, created once in their fixed order: the main window first, since the
// others read the program folder and the product facts when they are made.

#include <memory>

#include "auxiliary/fAbout.h"
#include "auxiliary/fTip.h"
#include "auxiliary/fWerbung.h"
#include "metatags/FMetaTagsResult.h"
#include "metatags/fMetaTag.h"
#include "ranking/fRanking.h"
#include "shell/fMain.h"
#include "shell/fNew.h"
#include "shell/fOpen.h"
#include "shell/fOpenListe.h"
#include "submit/fMeldebericht.h"
#include "tools/fClickOptions.h"
#include "tools/fInternetBrowser.h"
#include "tools/fKeywords.h"

namespace mw {

struct ProgramWindows {
  explicit ProgramWindows(AppContext& context);
  ~ProgramWindows();

  std::unique_ptr<TMainForm> main;
  std::unique_ptr<TAboutBox> about;
  std::unique_ptr<TTipForm> tip;
  std::unique_ptr<TKeywordsForm> keywords;
  std::unique_ptr<TClickOptionsForm> clickOptions;
  std::unique_ptr<TNewForm> newForm;
  std::unique_ptr<TOpenForm> openForm;
  std::unique_ptr<TMeldeberichForm> meldebericht;
  std::unique_ptr<TBrowserForm> browser;  // each click and search window is a new one
  std::unique_ptr<TWerbungForm> werbung;
  std::unique_ptr<TListeForm> liste;
  std::unique_ptr<TRankingForm> ranking;
  std::unique_ptr<TMetaTagForm> metaTag;
  std::unique_ptr<TReadyMetaTagsForm> readyMetaTags;
};

}  // namespace mw
