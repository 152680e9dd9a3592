#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/DesktopServices.h"
#include "support/RecordingOpener.h"
#include "support/TempProgramFolder.h"

using namespace mw;

TEST(DesktopUrlOpener, ALocalFileCountsAsOpenedOnlyWhenXdgOpenSucceeds) {
  mwtest::TempProgramFolder dir;
  const std::string report = dir.Write("reports/mein projekt.html", "<html>");
  const struct {
    const char* xdgOpen;  // the script's body; none: no xdg-open on the path
    bool opened;
  } cases[] = {
      {nullptr, false},
      {"exit 4", false},  // xdg-open found no program for the file
      {"echo \"$1\" > \"${0%/*}/asked\"", true},
  };
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string bin = "bin" + std::to_string(i);
    dir.MakeFolder(bin);
    if (cases[i].xdgOpen) {
      const std::string script = dir.Write(bin + "/xdg-open", std::string("#!/bin/sh\n") + cases[i].xdgOpen + "\n");
      std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }
    ::setenv("PATH", (dir.Path() + bin).c_str(), 1);
    const bool opened = DesktopUrlOpener().Open(QUrl::fromLocalFile(QString::fromStdString(report)));
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(opened, cases[i].opened) << i;
  }
  EXPECT_EQ(dir.Read("bin2/asked"), report + "\n");
}

TEST(DesktopUrlOpener, AFileThatCannotBeOpenedIsNamedInGerman) {
  const std::string path = "/tmp/reports/mein_projekt.html";
  mwtest::RecordingOpener opener;
  std::string error;
  EXPECT_TRUE(OpenLocalFile(&opener, path, &error));
  EXPECT_EQ(opener.opened, std::vector<std::string>{"file://" + path});
  opener.succeed = false;
  EXPECT_FALSE(OpenLocalFile(&opener, path, &error));
  EXPECT_EQ(error.rfind("Datei " + path + " kann nicht ge\xc3\xb6" "ffnet werden. ", 0), 0u) << error;
  EXPECT_FALSE(OpenLocalFile(nullptr, path));
}
