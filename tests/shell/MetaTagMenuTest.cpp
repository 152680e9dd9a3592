// The menu item "Metatag-Generator": enabled with a project, shows the generator with its
// restored inputs, and not at all while "metatags.met" is damaged.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>

#include "MainFormHarness.h"
#include "common/Files.h"

TEST(MetatagGeneratorMenu, ShowsTheGeneratorWithItsSavedInputs) {
  mwtest::MainFormHarness h;
  for (const char* list :
       {"pagetopic.ini", "pagetype.ini", "pageaudience.ini", "pagerevisit.ini", "pagelanguage.ini", "pagerobots.ini"})
    h.dir.Write(list, "DEFAULT | keine Angaben\r\n");
  h.Build();
  EXPECT_FALSE(h.Main().MetatagGenerator1->isEnabled());
  h.CreateProject();
  ASSERT_TRUE(h.Main().MetatagGenerator1->isEnabled());
  h.shownWindows.clear();

  std::vector<std::string> saved = {"[METATTAGS]",         "title=Start=Seite",  "author=a",         "topic=0",
                                    "copyright=c",         "publisher=p",        "dateexists=false", "date=22.03.2005",
                                    "expiresexists=false", "expires=22.03.2005", "type=0",           "audience=0",
                                    "revisit=0",           "language=0",         "robots=0",         "description=d",
                                    "keywords=k",          "dublin=false"};
  h.dir.Write("metatags.met", mw::JoinLinesCrLf(saved));
  h.Main().MetatagGenerator1->trigger();
  EXPECT_EQ(h.shownWindows, std::vector<std::string>{"MetaTagForm"});
  EXPECT_EQ(h.windows->metaTag->TitleEdit->text(), QStringLiteral("Start=Seite"));

  saved.resize(17);
  h.dir.Write("metatags.met", mw::JoinLinesCrLf(saved));
  h.Main().MetatagGenerator1->trigger();
  EXPECT_EQ(h.shownWindows.size(), 1u);
  EXPECT_NE(h.dialogs.LastText().find("Zeile 18 fehlt"), std::string::npos) << h.dialogs.LastText();
}
