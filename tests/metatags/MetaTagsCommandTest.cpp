// meldewerk-cli metatags run as the program itself, from a copy in the temporary program folder:
// the block of the saved inputs, and the refusals with their exit codes.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "MetaTagFixture.h"
#include "common/Cp1252.h"
#include "common/Files.h"

namespace {

struct CliRun {
  int exitCode = -1;
  std::string out, err;
};

CliRun MetaTags(const mwtest::MetaTagFolder& f, const QStringList& args = {}) {
  const QString program = QString::fromStdString(f.dir.Path()) + QStringLiteral("meldewerk-cli");
  if (!QFile::exists(program)) QFile::copy(QStringLiteral(MELDEWERK_CLI), program);
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), QString::fromStdString(f.dir.Path()));
  env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(f.dir.Path()));
  p.setProcessEnvironment(env);
  p.start(program, QStringList{QStringLiteral("metatags")} + args);
  CliRun run;
  if (!p.waitForFinished(60000)) return run;
  run.exitCode = p.exitCode();
  run.out = p.readAllStandardOutput().toStdString();
  run.err = p.readAllStandardError().toStdString();
  return run;
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

  CliRun run = MetaTags(f);
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
  EXPECT_EQ(MetaTags(f, {QStringLiteral("mehr")}).exitCode, 2);
}
