#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>

#include "common/Files.h"
#include "support/TempProgramFolder.h"

using namespace mw;

TEST(LineFiles, ReadAnyLineEndAndWriteCrLf) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
  mwtest::TempProgramFolder dir;
  const std::string path = dir.Path() + "list.ser";
  ASSERT_TRUE(WriteLineFile(path, {"x", "", "y\xe4"}));
  EXPECT_EQ(dir.Read("list.ser"), "x\r\n\r\ny\xe4\r\n");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadLineFile(path, lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"x", "", "y\xe4"}));
}

TEST(LineFiles, FailedWriteLeavesTheOldFileWholeAndNoTemporary) {
  mwtest::TempProgramFolder dir;
  const std::string path = dir.Write("list.ser", "old\r\n");
  // A file-size limit makes the write fail half-way, as a full disk would.
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 16;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  const bool written = WriteLineFile(path, std::vector<std::string>(100, "a longer line than sixteen bytes"), &error);
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(written);
  EXPECT_EQ(dir.Read("list.ser"), "old\r\n");
  EXPECT_EQ(ListFiles(dir.Path()), std::vector<std::string>{"list.ser"});
  EXPECT_NE(error.find("kann nicht ge\xc3\xb6"
                       "ffnet werden."),
            std::string::npos);

  // A missing folder fails cleanly too.
  EXPECT_FALSE(WriteFileAtomic(dir.Path() + "missing/list.ser", "x", &error));
}

TEST(LineFiles, AtomicWriteReplacesWithoutLeavingTemporaries) {
  mwtest::TempProgramFolder dir;
  const std::string path = dir.Write("a.txt", "old");
  ASSERT_TRUE(WriteFileAtomic(path, "new content"));
  EXPECT_EQ(dir.Read("a.txt"), "new content");
  EXPECT_EQ(ListFiles(dir.Path()), std::vector<std::string>{"a.txt"});
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_NE(st.st_mode & S_IRGRP, 0u);  // not the 0600 of a temporary file
}

TEST(FileLookup, ExtensionsAndNamesMatchWithoutRegardToCase) {
  mwtest::TempProgramFolder dir;
  dir.Write("t/Google_DE.INI", "");
  dir.Write("t/yahoo_com.ini", "");
  dir.Write("t/rank.ran", "");
  dir.MakeFolder("t/sub.ini");
  auto inis = FilesWithExtension(dir.Path() + "t", ".ini");
  std::sort(inis.begin(), inis.end());
  EXPECT_EQ(inis, (std::vector<std::string>{"Google_DE.INI", "yahoo_com.ini"}));
  EXPECT_EQ(FindEntryIgnoringCase(dir.Path() + "t", "RANK.RAN"), "rank.ran");
  EXPECT_EQ(FindEntryIgnoringCase(dir.Path() + "t", "none"), "none");
}

TEST(Folders, EntriesAreListedByNameWithoutRegardToCase) {
  mwtest::TempProgramFolder dir;
  for (const char* name : {"zeta.ran", "Beta.ran", "alpha.RAN", "Gamma.ran", "b.txt"})
    dir.Write(std::string("t/") + name, "");
  dir.Write("t/Sub/x", "");
  dir.Write("t/a-sub/x", "");
  EXPECT_EQ(mw::FilesWithExtension(dir.Path() + "t", ".ran"),
            (std::vector<std::string>{"alpha.RAN", "Beta.ran", "Gamma.ran", "zeta.ran"}));
  EXPECT_EQ(mw::ListFolders(dir.Path() + "t"), (std::vector<std::string>{"a-sub", "Sub"}));
}
