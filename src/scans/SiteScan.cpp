#include "scans/SiteScan.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <algorithm>

#include "common/Cp1252.h"
#include "common/Files.h"
#include "common/SafeFileName.h"
#include "common/Text.h"

namespace mw {
namespace {

QString ToQString(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

}  // namespace

SiteScan::SiteScan(ProgramFolder folder, View view) : folder_(std::move(folder)), view_(std::move(view)) {}

const char* SiteScan::ModeLabelText(ScanMode mode) {
  switch (mode) {
    case ScanMode::BrokenLinks:
      return "Verwaiste Links (broken link)";
    case ScanMode::MetaTags:
      return "Metatag-Analyse:";
    case ScanMode::Discovery:
      break;
  }
  return "Seiten die zum Anmelden vorgesehen sind:";
}

std::string SiteScan::WithScheme(const std::string& address) {
  const std::string lower = LowerCase(address);
  return Contains(lower, "http://") || Contains(lower, "https://") ? address : "http://" + address;
}

bool SiteScan::IsPageLike(const std::string& url) {
  const std::string upper = UpperCase(url);
  for (const char* ext : {".HTM", ".SHTM", ".PHP", ".ASP", ".CFM", ".JSP"})
    if (Contains(upper, ext)) return true;
  return false;
}

std::vector<std::string> SiteScan::StatsLines(int inQueue, int downloading, int toAnalyze, int done, int retries,
                                              int errors) {
  return {
      "      Noch zu besuchen: " + std::to_string(inQueue),     "         Besuchte URLs: " + std::to_string(done),
      "         Lade herunter: " + std::to_string(downloading), "   Noch zu Analysieren: " + std::to_string(toAnalyze),
      " Wiederholungsversuche: " + std::to_string(retries),     "     Fehlerhafte Links: " + std::to_string(errors)};
}

void SiteScan::Begin(ScanMode mode, const std::string& startUrl, int maxPages) {
  mode_ = mode;
  maxPages_ = maxPages;
  ok_ = broken_ = 0;
  lastMetaUrl_.clear();
  keywords_.clear();
  lines_.clear();
  startUrl_ = startUrl;
  startLoaded_ = false;
  Add(startUrl);
}

std::string SiteScan::StartFailedLine() const {
  return "Fehler: Die Startadresse " + startUrl_ + " konnte nicht geladen werden.";
}

void SiteScan::Add(std::string line) {
  if (view_.addResultLine) view_.addResultLine(line);
  lines_.push_back(std::move(line));
}

void SiteScan::SetStatus(std::string text) {
  status_ = std::move(text);
  if (view_.setStatus) view_.setStatus(status_);
}

void SiteScan::Working(bool working) {
  if (working) SetStatus("   Working...");
}

void SiteScan::StopRequested() {
  SetStatus(status_ + "    stopping...");
}

void SiteScan::Stats(int inQueue, int downloading, int toAnalyze, int done, int retries, int errors) {
  if (view_.setStats) view_.setStats(StatsLines(inQueue, downloading, toAnalyze, done, retries, errors));
}

bool SiteScan::PageReceived(const std::string& url, const std::string& maxPagesText) {
  if (url == startUrl_) startLoaded_ = true;
  switch (mode_) {
    case ScanMode::Discovery: {
      if (IsPageLike(url)) Add(url);
      int limit = maxPages_;
      if (!maxPagesText.empty() && TryStrToInt(maxPagesText, limit)) maxPages_ = limit;
      return static_cast<int>(lines_.size()) >= maxPages_;
    }
    case ScanMode::BrokenLinks:
      Add("OK: " + url);
      ++ok_;
      return false;
    case ScanMode::MetaTags:
      return false;
  }
  return false;
}

void SiteScan::Error(const std::string& url, const std::string& fromUrl) {
  if (mode_ != ScanMode::BrokenLinks || !IsPageLike(url)) return;
  // The referring page tells the user where the dead link has to be mended.
  Add("Broken Link ----- Die URL " + url + " wird nicht gefunden!" +
      (fromUrl.empty() ? std::string() : " (verlinkt auf " + fromUrl + ")"));
  ++broken_;
}

void SiteScan::MetaTag(const std::string& url, const std::string& tagType, const std::string& firstValue,
                       const std::string& secondValue) {
  if (mode_ != ScanMode::MetaTags) return;
  if (!url.empty() && url != lastMetaUrl_) {
    ++ok_;
    Add(" ");
    Add(" ");
    Add("URL: " + url);
    lastMetaUrl_ = url;
  }
  const std::string type = UpperCase(tagType);
  const std::string first = UpperCase(firstValue);
  if (type == "TITLE") Add("Title: " + firstValue);
  if (type == "META" && first == "DESCRIPTION") Add("Description: " + secondValue);
  if (type == "META" && first == "KEYWORDS") {
    Add("Keywords: " + secondValue);
    keywords_.push_back(secondValue);
  }
}

SiteScan::Ending SiteScan::Finish(const std::string& addressText) {
  Ending end;
  SetStatus(status_ + "     Done.");
  switch (mode_) {
    case ScanMode::Discovery:
      end.newPages = lines_;
      break;
    case ScanMode::BrokenLinks:
      end.summary =
          "Fertig: " + std::to_string(ok_) + " Links sind OK. " + std::to_string(broken_) + " Links sind defekt.";
      end.offerSave = true;
      break;
    case ScanMode::MetaTags: {
      end.summary = "Fertig: " + std::to_string(ok_) +
                    " Seiten wurden \xc3\xbc"
                    "berpr\xc3\xbc"
                    "ft!";
      end.offerSave = true;
      end.keywordFile = folder_.File(FittingFileName("keywords_", addressText, ".txt"));
      if (!WriteLineFile(end.keywordFile, KeywordList(keywords_), &end.error) ||
          !DedupKeywordFile(end.keywordFile, &end.error))
        end.keywordFile.clear();
      keywords_.clear();
      break;
    }
  }
  return end;
}

std::vector<std::string> SiteScan::KeywordList(const std::vector<std::string>& collection) {
  std::vector<std::string> words;
  for (const auto& text : collection) {
    const int n = WordCount(text, ",");
    for (int i = 1; i <= n; ++i)
      if (std::string w = Trim(ExtractWord(i, text, ",")); !w.empty()) words.push_back(std::move(w));
  }
  return words;
}

bool SiteScan::DedupKeywordFile(const std::string& path, std::string* error) {
  std::vector<std::string> lines;
  if (!ReadLineFile(path, lines, error)) return false;
  QCollator collator(QLocale::system());
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::vector<std::pair<QString, std::string>> sorted;
  sorted.reserve(lines.size());
  for (auto& l : lines) sorted.emplace_back(ToQString(l), std::move(l));
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](const auto& a, const auto& b) { return collator.compare(a.first, b.first) < 0; });
  std::vector<std::string> kept;
  QString previous;
  for (auto& [text, line] : sorted) {
    const QString key = text.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    if (key != previous) kept.push_back(std::move(line));
    previous = key;
  }
  return WriteLineFile(path, kept, error);
}

bool SiteScan::SaveResultList(const std::string& path, const std::vector<std::string>& lines, std::string* error) {
  return WriteLineFile(path, lines, error);
}

}  // namespace mw
