#include <gtest/gtest.h>

#include <algorithm>
#include <sys/wait.h>
#include <unistd.h>

#include "common/Files.h"
#include "support/TempProgramFolder.h"

using namespace mw;

namespace {

std::vector<std::string> SortedFiles(const std::string& folder) {
  auto files = ListFiles(folder);
  std::sort(files.begin(), files.end());
  return files;
}

// The id of a process that has ended and been reaped.
pid_t EndedProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

}  // namespace

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
  EXPECT_EQ(SortedFiles(dir.Path()), (std::vector<std::string>{"A.ser", "new.html"}));
}

TEST(ReplacingWriter, NeverWritesIntoAFileWithAnotherLink) {
  mwtest::TempProgramFolder dir;
  const std::string path = dir.Write("A.ser", "original\r\n");
  dir.MakeFolder("backup");
  ASSERT_EQ(::link(path.c_str(), (dir.Path() + "backup/A.ser").c_str()), 0);  // as "cp -al" makes it
  ReplacingWriter writer;
  for (const char* content : {"one\r\n", "two\r\n", "three and longer\r\n", "4\r\n"}) {
    ASSERT_TRUE(writer.Write(path, content));
    EXPECT_EQ(dir.Read("A.ser"), content);
    EXPECT_EQ(dir.Read("backup/A.ser"), "original\r\n");
  }
}

TEST(ReplacingWriter, WritersNeverShareASwapFile) {
  mwtest::TempProgramFolder dir;
  ReplacingWriter first, second;
  EXPECT_NE(first.SwapName(), second.SwapName());
  EXPECT_NE(first.SwapName().find("-" + std::to_string(::getpid()) + "-"), std::string::npos);
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(first.Write(dir.Path() + "a.html", "first " + std::to_string(round)));
    ASSERT_TRUE(second.Write(dir.Path() + "b.html", "second " + std::to_string(round)));
  }
  EXPECT_EQ(dir.Read("a.html"), "first 2");
  EXPECT_EQ(dir.Read("b.html"), "second 2");
  EXPECT_TRUE(dir.Exists(first.SwapName()));
  EXPECT_TRUE(dir.Exists(second.SwapName()));
}

TEST(ReplacingWriter, SwapFilesOfEndedProcessesGoAtTheFirstWriteIntoTheirFolder) {
  mwtest::TempProgramFolder dir;
  const struct {
    std::string name;
    bool removed;
  } cases[] = {
      {".meldewerk-swap-" + std::to_string(EndedProcessId()) + "-1", true},  // killed run
      {".meldewerk-swap", true},                                           // older versions' name
      {".meldewerk-swap-" + std::to_string(::getppid()) + "-3", false},      // a process still running
      {".meldewerk-swap-" + std::to_string(::getpid()) + "-999", false},     // this process
      {".meldewerk-swapfile", false},
      {"Google_DE_seite.html", false},
  };
  for (const auto& c : cases) dir.Write(c.name, "left over");
  ReplacingWriter writer;
  ASSERT_TRUE(writer.Write(dir.Path() + "report.html", "neu"));
  for (const auto& c : cases) EXPECT_EQ(dir.Exists(c.name), !c.removed) << c.name;
}

TEST(ReplacingWriter, AFolderInPlaceOfTheFileIsRefusedAndKeepsItsName) {
  mwtest::TempProgramFolder dir;
  dir.MakeFolder("Google_DE.ser");
  dir.Write("Google_DE.ser/inside.txt", "x");
  ReplacingWriter writer;
  std::string error;
  EXPECT_FALSE(writer.Write(dir.Path() + "Google_DE.ser", "page\r\n", &error));
  EXPECT_NE(error.find("Google_DE.ser"), std::string::npos) << error;
  EXPECT_EQ(dir.Read("Google_DE.ser/inside.txt"), "x");
  EXPECT_FALSE(dir.Exists(writer.SwapName() + "/inside.txt"));
  ASSERT_TRUE(writer.Write(dir.Path() + "Other.ser", "page\r\n"));  // the writer goes on working
  EXPECT_EQ(dir.Read("Other.ser"), "page\r\n");
}
