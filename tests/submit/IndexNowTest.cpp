// The project's IndexNow key and its key file on the site.
#include <gtest/gtest.h>

#include <set>

#include "common/IniFile.h"
#include "store/ProjectStore.h"
#include "submit/IndexNowKeyFile.h"
#include "support/TempProgramFolder.h"
#include "support/TestHttpServer.h"

using namespace mw;

TEST(IndexNowKey, MadeOnceFromTheSecureSourceAndKept) {
  std::set<std::string> keys;
  for (int i = 0; i < 50; ++i) {
    const std::string key = NewIndexNowKey();
    ASSERT_EQ(key.size(), 32u);
    EXPECT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos) << key;
    keys.insert(key);
  }
  EXPECT_EQ(keys.size(), 50u);

  mwtest::TempProgramFolder dir;
  const ProjectStore store(dir.Folder());
  ASSERT_TRUE(store.CreateProject("Project_0001", {"T", "N", "m@x.de", "http://s.de/"}));
  const std::string ini = dir.Path() + "Projects/Project_0001/Project.ini";
  const std::string made = ReadIniString(ini, "SETTINGS", "IndexNowKey");
  EXPECT_TRUE(IsValidIndexNowKey(made));
  std::string key;
  IndexNowKeyState state{};
  ASSERT_TRUE(store.EnsureIndexNowKey("Project_0001", key, &state));
  EXPECT_EQ(key, made);
  EXPECT_EQ(state, IndexNowKeyState::Kept);
  // Saving the step-2 settings keeps it.
  ASSERT_TRUE(store.SaveProjectSettings("Project_0001", {"T2", "N", "m@x.de", "http://s.de/"}));
  EXPECT_EQ(ReadIniString(ini, "SETTINGS", "IndexNowKey"), made);
}

TEST(IndexNowKey, OlderProjectsGetOneAndBadOnesAreReplaced) {
  const struct {
    std::string stored;
    IndexNowKeyState state;
  } cases[] = {
      {"", IndexNowKeyState::Made},
      {"Ab-12345", IndexNowKeyState::Kept},  // 8 letters, digits or "-" are enough
      {"short", IndexNowKeyState::Replaced},
      {std::string(129, 'a'), IndexNowKeyState::Replaced},
      {"with space1", IndexNowKeyState::Replaced},
      {"umlaut\xfc"
       "12",
       IndexNowKeyState::Replaced},
  };
  for (const auto& c : cases) {
    mwtest::TempProgramFolder dir;
    dir.Write("Projects/Project_0001/Project.ini", "[SETTINGS]\r\nTitel=Alt\r\nIndexNowKey=" + c.stored + "\r\n");
    const ProjectStore store(dir.Folder());
    std::string key, again;
    IndexNowKeyState state{};
    ASSERT_TRUE(store.EnsureIndexNowKey("Project_0001", key, &state));
    EXPECT_EQ(state, c.state) << c.stored;
    EXPECT_EQ(key == c.stored, c.state == IndexNowKeyState::Kept) << c.stored;
    ASSERT_TRUE(store.EnsureIndexNowKey("Project_0001", again, &state));
    EXPECT_EQ(again, key);
    EXPECT_EQ(ReadIniString(dir.Path() + "Projects/Project_0001/Project.ini", "SETTINGS", "Titel"), "Alt");
  }
}

TEST(IndexNowKeyFile, CheckedAgainstTheSite) {
  mwtest::TestHttpServer site;
  const std::string key = "0123456789abcdef0123456789abcdef";
  const AnswerFetch fetch = [](const std::string& url) { return FetchURLAnswer(url, kMainFetchTimeoutMs); };
  const std::string siteUrl = site.Url("/shop/index.html");
  EXPECT_EQ(KeyFileUrl(siteUrl, key), site.Url("/" + key + ".txt"));
  EXPECT_EQ(KeyFileUrl("www.s.de", "k"), "http://www.s.de/k.txt");
  EXPECT_EQ(KeyFileUrl("https://u:p@s.de:8443?q", "k"), "https://s.de:8443/k.txt");

  // Missing: the server's 404 page is content, but not a key file.
  KeyFileCheck check = CheckKeyFile(siteUrl, key, fetch);
  EXPECT_EQ(check.state, KeyFileState::Missing);
  EXPECT_NE(KeyFileCheckText(check).find("nicht erreichbar (HTTP 404)"), std::string::npos);

  site.Set("/" + key + ".txt", {200, "text/plain", "some other key\n", 0, {}});
  EXPECT_EQ(CheckKeyFile(siteUrl, key, fetch).state, KeyFileState::Wrong);

  site.Set("/" + key + ".txt", {200, "text/plain", key + "\r\n", 0, {}});
  check = CheckKeyFile(siteUrl, key, fetch);
  EXPECT_EQ(check.state, KeyFileState::Holds);
  EXPECT_EQ(KeyFileCheckText(check),
            "Die Schl\xc3\xbcsseldatei " + check.url + " ist vorhanden und enth\xc3\xa4lt den Schl\xc3\xbcssel.");

  EXPECT_EQ(CheckKeyFile("", key, fetch).state, KeyFileState::NoSite);

  // The file written for the user holds exactly the key.
  mwtest::TempProgramFolder dir;
  ASSERT_TRUE(WriteKeyFile(dir.Path() + KeyFileName(key), key));
  EXPECT_EQ(dir.Read(KeyFileName(key)), key);
}
