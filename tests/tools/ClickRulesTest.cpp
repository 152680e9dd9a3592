// The click tool's and the multi-search's rules without windows: the click order and count,
// the timing and countdown, the options, and the search windows built from the engine list.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <climits>
#include <set>

#include "common/Files.h"
#include "store/AppContext.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"
#include "tools/ClickSchedule.h"
#include "tools/ClickTiming.h"
#include "tools/EngineList.h"
#include "tools/fClickOptions.h"

namespace {

using mw::ClickSchedule;
using mw::ClickTiming;
using mw::EngineList;

struct MadeClick {
  std::string address, counter;
};

// Runs a schedule as the click loop does; `cancelAfter` clicks end it through the cancel flag.
std::vector<MadeClick> RunSchedule(const std::vector<std::string>& lines, int maximum, int cancelAfter = -1) {
  ClickSchedule schedule(lines, maximum);
  std::vector<MadeClick> made;
  while (!schedule.Finished() && made.size() < 100000) {
    made.push_back({schedule.Address(), schedule.CounterText()});
    schedule.ClickMade(int(made.size()) == cancelAfter);
  }
  return made;
}

TEST(ClickSchedule, CountsAndOrderOfClicks) {
  const std::vector<std::string> three = {"http://a/", "http://b/", "http://c/"};
  struct Case {
    std::vector<std::string> lines;
    int maximum, cancelAfter;
    std::size_t clicks;
    std::vector<std::string> firstAddresses;
  } cases[] = {
      {three, 1000, -1, 999, {"http://a/", "http://b/", "http://c/", "http://a/"}},
      {three, 1, -1, 1, {"http://a/"}},
      {three, 2, -1, 1, {"http://a/"}},
      {three, 0, -1, 1, {"http://a/"}},
      {three, 1000, 1, 1, {"http://a/"}},  // "Abbrechen" in the first window
      {{"", "  http://x/  ", "   ", "\t", "http://y/"}, 6, -1, 5, {"http://x/", "http://y/", "http://x/"}},
      {{"", "  ", ""}, 1000, -1, 0, {}},  // nothing to click: the run ends at once
  };
  for (const auto& c : cases) {
    const auto made = RunSchedule(c.lines, c.maximum, c.cancelAfter);
    ASSERT_EQ(made.size(), c.clicks) << "maximum " << c.maximum;
    for (std::size_t i = 0; i < c.firstAddresses.size(); ++i) EXPECT_EQ(made[i].address, c.firstAddresses[i]);
    if (!made.empty()) {
      EXPECT_EQ(made.front().counter, "KLICKS: 1 von " + std::to_string(c.maximum));
      EXPECT_EQ(made.back().counter, "KLICKS: " + std::to_string(c.clicks) + " von " + std::to_string(c.maximum));
    }
  }
  EXPECT_EQ(RunSchedule(three, 1000).back().address, "http://c/");  // 333 rounds of three
}

TEST(ClickTiming, CountdownLabelAndBar) {
  struct Case {
    int ticks, closeMs;
    const char* label;
    int position;
  } cases[] = {
      {1, 2000, "Nächste Aktion in 1 Sekunden", 50},
      {2, 2000, "Nächste Aktion gestartet!", 100},
      {5, 2000, "Nächste Aktion gestartet!", 100},  // the bar stops at full
      {1, 3999, "Nächste Aktion in 2 Sekunden", 33},
      {1, 8000, "Nächste Aktion in 7 Sekunden", 12},  // 12.5 to the even 12
      {3, 8000, "Nächste Aktion in 5 Sekunden", 38},  // 37.5 to the even 38
      {1, 1000, "Nächste Aktion gestartet!", 100},    // the view mode's close interval
  };
  for (const auto& c : cases) {
    const auto countdown = ClickTiming::Countdown(c.ticks, c.closeMs);
    EXPECT_EQ(countdown.label, c.label) << c.ticks << " of " << c.closeMs;
    EXPECT_EQ(countdown.position, c.position) << c.ticks << " of " << c.closeMs;
  }
}

TEST(ClickTiming, CloseAndAbortIntervals) {
  ClickTiming fixed(2, false);
  EXPECT_EQ(fixed.DrawCloseInterval(), 2000);
  EXPECT_EQ(ClickTiming::AbortInterval(2000), 27000);

  ClickTiming varied(2, true, 12345);
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    const int ms = varied.DrawCloseInterval();
    ASSERT_GE(ms, 2000);
    ASSERT_LE(ms, 3998);
    seen.insert(ms);
  }
  EXPECT_GT(seen.size(), 500u);  // drawn anew each time

  ClickTiming huge(3000000, true);  // the abort interval must still fit a timer
  const int longest = huge.DrawCloseInterval();
  EXPECT_GT(longest, 0);
  EXPECT_LE(longest, INT_MAX - mw::kAbortGraceMs);
}

TEST(ClickTiming, OptionsAreCheckedBeforeTheRun) {
  struct Case {
    const char *seconds, *maximum;
    bool ok;
    int wantSeconds, wantMaximum;
    std::string error;
  } cases[] = {
      {"2", "1000", true, 2, 1000, ""},
      {" 3 ", " 5", true, 3, 5, ""},
      {"0", "10", false, 0, 0, mw::kTooFewSecondsText},
      {"-4", "10", false, 0, 0, mw::kTooFewSecondsText},
      {"zwei", "10", false, 0, 0, "'zwei' ist kein gültiger Integerwert"},
      {"2", "10x", false, 0, 0, "'10x' ist kein gültiger Integerwert"},
      {"2", "", false, 0, 0, "'' ist kein gültiger Integerwert"},
  };
  for (const auto& c : cases) {
    int seconds = 0, maximum = 0;
    std::string error;
    EXPECT_EQ(ClickTiming::ReadOptions(c.seconds, c.maximum, seconds, maximum, error), c.ok) << c.seconds;
    if (c.ok) {
      EXPECT_EQ(seconds, c.wantSeconds);
      EXPECT_EQ(maximum, c.wantMaximum);
    } else {
      EXPECT_EQ(error, c.error);
    }
  }
}

TEST(ClickOptionsWindow, CaptionFollowsTheSecondsAndKeepsItOnBadNumbers) {
  mwtest::TempProgramFolder dir;
  mwtest::ScriptedDialogs dialogs;
  mw::AppContext context;
  context.folder = dir.Folder();
  context.dialogs = &dialogs;
  mw::TClickOptionsForm form(context);
  // The test folder has no pictures: reported once, naming the file.
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.LastText().find("recom/wizard.jpg"), std::string::npos);
  dialogs.Clear();

  EXPECT_EQ(form.VariableClicksCheckBox->text(), QStringLiteral("Klickzeit variieren zwischen 2 und 4 Sekunden"));
  form.Edit1->setText(QStringLiteral("15"));
  EXPECT_EQ(form.VariableClicksCheckBox->text(), QStringLiteral("Klickzeit variieren zwischen 15 und 30 Sekunden"));
  for (const char* bad : {"", "1,5"}) {
    form.Edit1->setText(QString::fromLatin1(bad));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, mwtest::ShownMessage::Error);
    EXPECT_EQ(dialogs.LastText(), "'" + std::string(bad) + "' ist kein gültiger Integerwert");
    EXPECT_EQ(form.VariableClicksCheckBox->text(), QStringLiteral("Klickzeit variieren zwischen 15 und 30 Sekunden"));
    dialogs.Clear();
  }
}

TEST(EngineList, SearchWindowsInACascadeWithTheTermInserted) {
  EngineList engines;
  engines.SetLines({"", "  http://a.example/?q=KLXKEYWORD&p=KLXKEYWORD | Alpha ", "|",
                    "http://b.example/KLXKEYWORD|Beta", "http://c.example/ | Gamma"});
  const std::string term = "zwei W\xf6rter";  // Windows-1252, inserted as it stands
  const auto windows = engines.Windows(term);
  ASSERT_EQ(windows.size(), 3u);
  EXPECT_EQ(windows[0].caption, "Alpha  Suchbegriff(e): " + term);
  EXPECT_EQ(windows[0].address, "http://a.example/?q=" + term + "&p=KLXKEYWORD");
  EXPECT_EQ(windows[0].left, 40);
  EXPECT_EQ(windows[0].top, 40);
  EXPECT_EQ(windows[1].address, "http://b.example/" + term);
  EXPECT_EQ(windows[1].top, 80);                       // the line of "|" alone counts
  EXPECT_EQ(windows[2].address, "http://c.example/");  // no placeholder: opened as it stands
  EXPECT_EQ(windows[2].left, 100);
  EXPECT_EQ(engines.Windows("")[1].address, "http://b.example/");
}

TEST(EngineList, AnUnreadableListNamesTheFile) {
  mwtest::TempProgramFolder dir;
  EngineList engines;
  std::string error;
  EXPECT_FALSE(engines.Read(dir.Path() + mw::kOpenEnginesFile, &error));
  EXPECT_NE(error.find(dir.Path() + "OpenEngines.ini"), std::string::npos);
}

TEST(EngineList, TheShippedListOpensEveryEngineWithTheTerm) {
  const std::string path = std::string(MELDEWERK_DATA_DIR) + mw::kOpenEnginesFile;
  std::string content;
  ASSERT_TRUE(mw::ReadWholeFile(path, content));
  for (std::size_t at = content.find('\n'); at != std::string::npos; at = content.find('\n', at + 1))
    ASSERT_TRUE(at > 0 && content[at - 1] == '\r') << "a line without CR LF at byte " << at;
  EngineList engines;
  ASSERT_TRUE(engines.Read(path, nullptr));
  const auto windows = engines.Windows("meldewerk");
  ASSERT_GE(windows.size(), 10u);
  for (const auto& w : windows) {
    EXPECT_TRUE(w.address.starts_with("https://")) << w.address;
    EXPECT_NE(w.address.find("meldewerk"), std::string::npos) << w.address;
    EXPECT_EQ(w.address.find("KLXKEYWORD"), std::string::npos) << w.address;
    EXPECT_FALSE(w.caption.starts_with("  ")) << w.address;  // every engine has a name
  }
}

}  // namespace
