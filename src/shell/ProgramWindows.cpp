#include "shell/ProgramWindows.h"

#include <QLabel>

namespace mw {

ProgramWindows::ProgramWindows(AppContext& context)
    : main(std::make_unique<TMainForm>(context)),
      about(std::make_unique<TAboutBox>(context, main.get())),
      tip(std::make_unique<TTipForm>(context, main.get())),
      keywords(std::make_unique<TKeywordsForm>(context, main.get())),
      clickOptions(std::make_unique<TClickOptionsForm>(context, main.get())),
      newForm(std::make_unique<TNewForm>(context, main.get())),
      openForm(std::make_unique<TOpenForm>(context, main.get())),
      meldebericht(std::make_unique<TMeldeberichForm>(context, main.get())),
      browser(std::make_unique<TBrowserForm>(main.get())),
      werbung(std::make_unique<TWerbungForm>(context, main.get())),
      liste(std::make_unique<TListeForm>(context, main.get())),
      ranking(std::make_unique<TRankingForm>(context, main->GermanImage->pixmap(), main->EnglishImage->pixmap(),
                                             main.get())),
      metaTag(std::make_unique<TMetaTagForm>(context, main.get())),
      readyMetaTags(std::make_unique<TReadyMetaTagsForm>(context, main.get())) {
  MainFormWindows shown{about.get(),   tip.get(),   newForm.get(),     openForm.get(),
                        werbung.get(), liste.get(), meldebericht.get()};
  shown.ranking = ranking.get();
  shown.keywords = keywords.get();
  shown.clickOptions = clickOptions.get();
  main->SetWindows(shown);
  metaTag->SetResultWindow(readyMetaTags.get());
  main->SetMetaTagWindow(metaTag.get());
}

// The windows shown by the main window go first, in the reverse order of their creation.
ProgramWindows::~ProgramWindows() {
  readyMetaTags.reset();
  metaTag.reset();
  ranking.reset();
  liste.reset();
  werbung.reset();
  browser.reset();
  meldebericht.reset();
  openForm.reset();
  newForm.reset();
  clickOptions.reset();
  keywords.reset();
  tip.reset();
  about.reset();
  main.reset();
}

}  // namespace mw
