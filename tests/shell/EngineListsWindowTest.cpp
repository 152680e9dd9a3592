// The step-3/4 controls of the main window: engine lists, ticks and the shown page list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "MainFormHarness.h"
#include "submit/EngineSelection.h"

using mw::EngineChoice;
using mwtest::MainFormHarness;

namespace {

std::vector<std::string> Texts(QListWidget* list) {
  std::vector<std::string> out;
  for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
  return out;
}

std::vector<bool> Ticks(QListWidget* list) {
  std::vector<bool> out;
  for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->checkState() == Qt::Checked);
  return out;
}

}  // namespace

TEST(EngineSelection, EngineListsArePairedAndButtonsTick) {
  MainFormHarness h;
  for (const char* e : {"yahoo_COM", "Google_DE", "abacho_DE", "Fireball_DE", "Lycos_CH", "Misc"}) h.Template(e);
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  const auto names = Texts(m.SuchmaschinenCheckListBox);
  EXPECT_EQ(names,
            (std::vector<std::string>{"abacho_DE", "Fireball_DE", "Google_DE", "Lycos_CH", "Misc", "yahoo_COM"}));
  ASSERT_EQ(m.ComboBox1->count(), int(names.size()));
  for (int i = 0; i < m.ComboBox1->count(); ++i)
    EXPECT_EQ(m.ComboBox1->itemText(i).toStdString(), names[std::size_t(i)]);
  EXPECT_EQ(Ticks(m.SuchmaschinenCheckListBox), (std::vector<bool>{true, true, true, false, false, false}));
  m.BitBtn2->click();
  EXPECT_EQ(Ticks(m.SuchmaschinenCheckListBox), (std::vector<bool>{false, false, false, false, false, true}));
  m.BitBtn4->click();
  EXPECT_EQ(Ticks(m.SuchmaschinenCheckListBox), (std::vector<bool>{true, true, true, true, false, false}));
  m.Unmark2BitBtn->click();
  EXPECT_EQ(Ticks(m.SuchmaschinenCheckListBox), std::vector<bool>(6, false));
  m.BitBtn3->click();
  EXPECT_EQ(Ticks(m.SuchmaschinenCheckListBox), std::vector<bool>(6, true));
  m.DieWichtigstenBitBtn->click();
  EXPECT_EQ(Ticks(m.SuchmaschinenCheckListBox), (std::vector<bool>{true, true, true, false, false, false}));

  // A double click on the panel's empty area ticks all but Google; one on a button does not.
  QMouseEvent onButton(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, {});
  QApplication::sendEvent(m.BitBtn3, &onButton);
  EXPECT_EQ(Ticks(m.SuchmaschinenCheckListBox), (std::vector<bool>{true, true, true, false, false, false}));
  QMouseEvent onPanel(QEvent::MouseButtonDblClick, QPointF(5, 300), QPointF(5, 300), Qt::LeftButton, Qt::LeftButton,
                      {});
  QApplication::sendEvent(m.Panel6, &onPanel);
  EXPECT_EQ(Ticks(m.SuchmaschinenCheckListBox), (std::vector<bool>{true, true, false, true, true, true}));
}

TEST(EngineSelection, TicksSurviveEngineSwitchesAndPagesGoFromEveryList) {
  MainFormHarness h;
  h.Template("A_DE");
  h.Template("B_DE");
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  m.ErgMemo->setPlainText(QStringLiteral("http://s.de/\nhttp://s.de/a.html\nhttp://t.de/"));
  m.AddPagesToProject();
  h.UserSelectsTab(4);
  ASSERT_EQ(m.CheckListBox1->count(), 3);
  EXPECT_EQ(m.CheckListBox1->item(0)->text(), QStringLiteral("00.00.00     http://s.de/"));
  m.CheckListBox1->item(2)->setCheckState(Qt::Checked);
  m.ComboBox1->setCurrentIndex(1);
  Q_EMIT m.ComboBox1->activated(1);  // the user picks B_DE: A_DE's ticks are written
  EXPECT_EQ(
      h.ProjectFile("A_DE.ser"),
      "00.00.00 | http://s.de/ | FALSE\r\n00.00.00 | http://s.de/a.html | FALSE\r\n00.00.00 | http://t.de/ | TRUE\r\n");
  EXPECT_EQ(Ticks(m.CheckListBox1), (std::vector<bool>{false, false, false}));
  m.MarkAllBitBtn->click();
  EXPECT_EQ(Ticks(m.CheckListBox1), (std::vector<bool>{true, true, true}));
  m.UnmarkBitBtn->click();

  // Search: the question first, then the matching rows, then the list is saved.
  m.CheckListBox1->item(2)->setCheckState(Qt::Checked);
  m.SearchEdit->setText(QStringLiteral("A.HTML"));
  h.dialogs.answers = {true};
  m.SearchButton->click();
  EXPECT_EQ(Ticks(m.CheckListBox1), (std::vector<bool>{false, true, false}));
  EXPECT_NE(h.ProjectFile("B_DE.ser").find("a.html | TRUE"), std::string::npos);

  // Removing the start page takes every page below it, from every list, the shown one included.
  h.dialogs.Clear();
  m.DeleteBitBtn->click();
  EXPECT_EQ(h.dialogs.LastText(), "Keine Seite blau markiert zum löschen!");
  m.CheckListBox1->setCurrentRow(0);
  m.DeleteBitBtn->click();
  EXPECT_EQ(h.ProjectFile("A_DE.ser"), "00.00.00 | http://t.de/ | TRUE\r\n");
  EXPECT_EQ(h.ProjectFile("B_DE.ser"), "00.00.00 | http://t.de/ | FALSE\r\n");
  EXPECT_EQ(Texts(m.CheckListBox1), std::vector<std::string>{"00.00.00     http://t.de/"});

  // Entering step 4 again shows the first engine's list.
  h.UserSelectsTab(3);
  h.UserSelectsTab(4);
  EXPECT_EQ(m.ComboBox1->currentIndex(), 0);
  EXPECT_EQ(Ticks(m.CheckListBox1), std::vector<bool>{true});
  EXPECT_FALSE(m.CheckListBox1->isHidden());
}

TEST(EngineSelection, NoTemplatesGiveEmptyLists) {
  MainFormHarness h;
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  EXPECT_EQ(m.SuchmaschinenCheckListBox->count(), 0);
  EXPECT_EQ(m.ComboBox1->currentIndex(), -1);
  h.UserSelectsTab(4);
  EXPECT_EQ(m.CheckListBox1->count(), 0);
  EXPECT_TRUE(h.dialogs.shown.empty());
}
