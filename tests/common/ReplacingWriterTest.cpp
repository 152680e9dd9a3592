#include <gtest/gtest.h>

#include <algorithm>

#include "common/Files.h"
#include "support/TempProgramFolder.h"

using namespace mw;

TEST(ReplacingWriter, ReplacesWholeFilesAndLeavesNoSwapBehind) {
  mwtest::TempProgramFolder dir;
  const std::string path = dir.Write("A.ser", "old\r\n");
  {
    ReplacingWriter writer;
    ASSERT_TRUE(writer.Write(path, "one\r\n"));
    EXPECT_EQ(dir.Read("A.ser"), "one\r\n");
    ASSERT_TRUE(writer.Write(path, "two\r\n"));
    ASSERT_TRUE(writer.Write(dir.Path() + "new.html", "answer"));  // no file there yet
    EXPECT_EQ(dir.Read("A.ser"), "two\r\n");
    EXPECT_EQ(dir.Read("new.html"), "answer");
    std::string error;
    EXPECT_FALSE(writer.Write(dir.Path() + "missing/x.ser", "x", &error));
    EXPECT_FALSE(error.empty());
  }
  auto files = ListFiles(dir.Path());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"A.ser", "new.html"}));
}
