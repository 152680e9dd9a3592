#include <gtest/gtest.h>

#include <random>
#include <set>

#include "crawler/QuickSortStringList.h"
#include "crawler/UrlInQueue.h"

using namespace mw;

TEST(QuickSortStringList, FindOrInsertContract) {
  TQuickSortStringList list;
  int found = 7, at = 7;
  EXPECT_FALSE(list.FindOrInsert("http://site.test/a", found, true, at));
  EXPECT_EQ(found, -1);
  EXPECT_EQ(at, 0);
  EXPECT_TRUE(list.FindOrInsert("http://site.test/a", found, true, at));
  EXPECT_EQ(found, 0);
  EXPECT_EQ(at, -1);
  // ASCII letters fold, letters above 127 do not.
  EXPECT_TRUE(list.FindOrInsert("HTTP://SITE.TEST/A", found, false, at));
  EXPECT_FALSE(list.FindOrInsert("\xc4", found, true, at));
  EXPECT_FALSE(list.FindOrInsert("\xe4", found, true, at));
  EXPECT_FALSE(list.FindOrInsert("http://site.test/", found, false, at));
  EXPECT_EQ(at, 0);  // a string sorts before every longer one that begins with it
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(TQuickSortStringList::Compare("abc", "ABC"), 0);
  EXPECT_EQ(TQuickSortStringList::Compare("ab", "abc"), -1);
  EXPECT_EQ(TQuickSortStringList::Compare("\xe4", "\xc4"), 1);
  EXPECT_EQ(TQuickSortStringList::Compare("_", "a"), 1);  // "a" folds to "A" (65), below "_" (95)
}

TEST(QuickSortStringList, ManyInsertsKeepOrderAndIndexes) {
  // Enough strings for many blocks, inserted in random order against a reference set.
  TQuickSortStringList list;
  std::set<std::string> reference;
  std::mt19937 rng(42);
  for (int i = 0; i < 20000; ++i) {
    const std::string s = "http://site.test/p" + std::to_string(rng() % 15000);
    int found = -1, at = -1;
    const bool had = list.FindOrInsert(s, found, true, at);
    EXPECT_EQ(had, !reference.insert(s).second);
    if (!had) ASSERT_EQ(list.Strings(at), s);
    else ASSERT_EQ(list.Strings(found), s);
  }
  ASSERT_EQ(list.Count(), int(reference.size()));
  int i = 0;
  for (const auto& s : reference) ASSERT_EQ(list.Strings(i++), s);
  list.SetObject(5, 99);
  EXPECT_EQ(list.Objects(5), 99);
  EXPECT_EQ(list.Objects(6), 0);
}

TEST(QuickSortStringList, SetTextAndSortDropBlankLines) {
  TQuickSortStringList list;
  list.SetText("track\r\n\r\nCount\nstat\n\nhitbox");
  EXPECT_EQ(list.Count(), 6);
  list.Sort();
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Strings(0), "Count");
  EXPECT_EQ(list.Strings(3), "track");
  EXPECT_TRUE(list.Contains("COUNT"));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(list.Contains("count"));
  list.SetText(std::string(100000, 'x'));  // one long entry has a piece of its own
  list.Sort();
  EXPECT_EQ(list.Strings(0).size(), 100000u);
}

TEST(UrlInQueue, TakesOldestAndRequeuesAtTheEnd) {
  TUrlInQueue q;
  q.Add("a", TUrlObject{0, 0, 1, true, ' ', "from"});
  q.Add("b", TUrlObject{0, 2, 3, true, 4, "x"});
  auto e = q.Take(0);
  EXPECT_EQ(e.Url, "a");
  EXPECT_EQ(e.Object.FromUrl, "from");
  q.Add(e.Url, e.Object);
  EXPECT_EQ(q.At(0).Url, "b");
  EXPECT_EQ(q.At(1).Url, "a");
  q.Take(0);
  q.Take(0);
  EXPECT_EQ(q.Count(), 0);
  EXPECT_THROW(q.Take(0), std::out_of_range);
}
