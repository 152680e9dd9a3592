// The step-gate rules and the bindings of the settings and spider controls to the crawler.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "MainFormHarness.h"
#include "scans/CrawlerBinding.h"
#include "shell/WizardRules.h"
#include "shell/fMainWidgets.h"

using mwtest::MainFormHarness;

TEST(WizardRules, GatesAndListCheck) {
  EXPECT_FALSE(mw::UrlEntered("  http://www. "));
  EXPECT_TRUE(mw::UrlEntered("http://www.a"));
  EXPECT_TRUE(mw::UrlEntered(""));  // only the bare start text is refused
  EXPECT_FALSE(mw::EmailLooksValid("a@b"));
  EXPECT_TRUE(mw::EmailLooksValid(".x@"));
  EXPECT_FALSE(mw::CrawlFoundPages({"http://a.de/"}));
  EXPECT_TRUE(mw::CrawlFoundPages({"http://a.de/", "http://a.de/b.html"}));
  EXPECT_FALSE(mw::AnyLineWithoutScheme({"  HTTPS://A.DE", "", "   ", "xhttp://b"}));
  EXPECT_TRUE(mw::AnyLineWithoutScheme({"http://a.de", "www.b.de"}));
  EXPECT_EQ(mw::AcceptedListLines({" http://a.de ", "", "http://b.de"}),
            (std::vector<std::string>{"http://a.de", "http://b.de"}));
}

TEST(CrawlerBinding, StartWithoutProgramIniHandsTheDefaults) {
  MainFormHarness h;
  h.Build();
  auto& m = h.Main();
  const mw::CrawlerValues& v = m.HttpScan1Binding().Values();
  for (QLineEdit* e : {m.Edit5, m.Edit7, m.Edit8, m.Edit9, m.Edit4, m.MaskEdit1}) EXPECT_TRUE(e->text().isEmpty());
  EXPECT_EQ(m.ProxyRadioGroupBox->ItemIndex(), 1);
  EXPECT_EQ(v.retries, 3);
  EXPECT_EQ(v.timeOut, 300);
  EXPECT_EQ(v.proxyPort, 80);
  EXPECT_EQ(v.proxyType, mw::CrawlerProxy::UseProxy);
  EXPECT_EQ(v.linkScan, mw::CrawlerLinkScan::InitialPath);
  EXPECT_EQ(v.depthSearchLevel, 20);
  EXPECT_EQ(v.concurrentDownloads, 6);  // the up-down set from code handed nothing over
  EXPECT_EQ(m.Edit6->text(), QStringLiteral("1"));
  EXPECT_TRUE(v.typeFilterEnabled);
  EXPECT_FALSE(v.keywordsLimiterEnabled || v.keywordsFilterEnabled);
}

TEST(CrawlerBinding, ControlsHandTheirValuesOver) {
  MainFormHarness h;
  h.dir.Write("Program.ini",
              "[SETTINGS]\r\nRetrys=zwei\r\nTimeout=45\r\nProxyRadioGroupBox=0\r\nIpAdress=10.0.0.1\r\n"
              "Port=3128\r\nUserName=u\r\nPassword=geheim\r\n");
  h.Build();
  auto& m = h.Main();
  const mw::CrawlerValues& v = m.HttpScan1Binding().Values();
  EXPECT_EQ(m.Edit5->text(), QStringLiteral("zwei"));
  EXPECT_EQ(v.retries, 3);
  EXPECT_EQ(v.timeOut, 45);
  EXPECT_EQ(v.proxyType, mw::CrawlerProxy::Direct);
  EXPECT_EQ(v.proxyAddress, "10.0.0.1");
  EXPECT_EQ(v.proxyPort, 3128);
  EXPECT_EQ(v.proxyPassword, "geheim");
  std::vector<mw::CrawlerProperty> applied;
  m.HttpScan1Binding().Apply = [&](mw::CrawlerProperty p, const mw::CrawlerValues&) { applied.push_back(p); };
  m.Edit9->setText(QStringLiteral("x"));
  EXPECT_EQ(v.proxyPort, 80);
  EXPECT_EQ(applied, std::vector<mw::CrawlerProperty>{mw::CrawlerProperty::ProxyPort});
  m.UpDown2->SetPosition(4);  // from code: nothing goes over
  EXPECT_EQ(applied.size(), 1u);
  m.UpDown2->Click(true);  // a user's click: the edit's text goes over
  EXPECT_EQ(v.concurrentDownloads, 5);
  EXPECT_EQ(applied.back(), mw::CrawlerProperty::ConcurrentDownloads);
  m.UpDown1->Click(false);
  EXPECT_EQ(v.depthSearchLevel, 19);
  m.RadioGroup3->SetItemIndex(1);
  EXPECT_EQ(v.linkReport, mw::CrawlerLinkReport::CurrentSite);
  m.RedirectionCheckBox->setChecked(false);
  EXPECT_FALSE(v.allowRedirect);
  m.IncludeCheckBox->setChecked(true);
  m.IncludeMemo->setPlainText(QStringLiteral("produkte"));
  m.ExcludeMemo->setPlainText(QStringLiteral("intern"));
  EXPECT_TRUE(v.keywordsLimiterEnabled);
  EXPECT_EQ(v.keywordsLimiter, "produkte");
  EXPECT_EQ(v.keywordsFilter, "intern");
  EXPECT_EQ(applied.size(), 8u);  // one hand-over per change above
  m.SaveSettings();
  const std::string ini = h.dir.Read("Program.ini");
  for (const char* key : {"Retrys=zwei", "Timeout=45", "ProxyRadioGroupBox=0", "IpAdress=10.0.0.1", "Port=x",
                          "UserName=u", "Password=geheim"})
    EXPECT_NE(ini.find(key), std::string::npos) << key;
}
