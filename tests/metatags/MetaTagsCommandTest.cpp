// meldewerk-cli metatags run as the program itself, from a copy in the temporary program folder:
// the block of the saved inputs, and the refusals with their exit codes.
#include <gtest/gtest.h>

#include <QFile>

#include "MetaTagFixture.h"
#include "common/Cp1252.h"
#include "common/Files.h"
#include "support/CliRun.h"

namespace {

mwtest::CliRun MetaTags(const mwtest::MetaTagFolder& f, std::vector<std::string> args = {}) {
  args.insert(args.begin(), "metatags");
  return mwtest::RunCli(f.dir, MELDEWERK_CLI, args);
}

}  // namespace

TEST(MetaTagsCommand, PrintsTheSavedInputsBlockOrRefuses) {
  mwtest::MetaTagFolder f;
  std::vector<std::string> saved = mwtest::SavedLines();
  saved[1] = "title=Br\xf6tchen \"frisch\"";
  f.dir.Write("metatags.met", mw::JoinLinesCrLf(saved));
  mw::MetaTagGenerator generator(f.dir.Folder());
  ASSERT_TRUE(generator.LoadLists(nullptr));
  mw::MetaTagInputs in;
  ASSERT_TRUE(generator.LoadInputs(in, nullptr));
  std::string block;
  for (const std::string& line : generator.Generate(in)) block += mw::Cp1252ToUtf8(line) + "\r\n";

  mwtest::CliRun run = MetaTags(f);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, block);
  EXPECT_NE(run.out.find("<title>Br\xc3\xb6tchen \"frisch\"</title>\r\n"), std::string::npos);

  // An empty required field: its message on standard error only.
  saved[15] = "description=   ";
  f.dir.Write("metatags.met", mw::JoinLinesCrLf(saved));
  run = MetaTags(f);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err, "");

  // A damaged file and a missing list name the file; extra words are bad usage.
  saved.resize(12);
  f.dir.Write("metatags.met", mw::JoinLinesCrLf(saved));
  run = MetaTags(f);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("metatags.met"), std::string::npos) << run.err;
  f.dir.Write("metatags.met", mw::JoinLinesCrLf(mwtest::SavedLines()));
  ASSERT_TRUE(QFile::remove(QString::fromStdString(f.dir.Path() + "pagerobots.ini")));
  run = MetaTags(f);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("pagerobots.ini"), std::string::npos) << run.err;
  EXPECT_EQ(MetaTags(f, {"mehr"}).exitCode, 2);
}
