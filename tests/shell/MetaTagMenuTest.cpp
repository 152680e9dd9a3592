// The menu item "Metatag-Generator": enabled with a project, shows the generator with its
// restored inputs, and not at all while "metatags.met" is damaged.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>

#include "MainFormHarness.h"
#include "common/Files.h"
#include "metatags/MetaTagFixture.h"

TEST(MetatagGeneratorMenu, ShowsTheGeneratorWithItsSavedInputs) {
  mwtest::MainFormHarness h;
  h.Build();
  EXPECT_FALSE(h.Main().MetatagGenerator1->isEnabled());
  h.CreateProject();
  ASSERT_TRUE(h.Main().MetatagGenerator1->isEnabled());
  h.shownWindows.clear();

  std::vector<std::string> saved = mwtest::SavedLines();
  saved[1] = "title=Start=Seite";
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
