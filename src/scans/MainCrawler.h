#pragma once
// The crawler as the main window and the command-line scans use it: its design-time values,
// how the values of the settings controls reach it, and how its events drive a SiteScan.

#include <functional>
#include <string>

#include "crawler/HttpScan.h"
#include "scans/SiteScan.h"
#include "scans/CrawlerBinding.h"

namespace mw {

class ProgramFolder;
struct ProgramSettings;

// The values the main window's crawler starts with, before the settings are handed over.
void SetDesignTimeValues(THttpScan& crawler);

// Sets the one property a control has just handed over.
void ApplyCrawlerValue(THttpScan& crawler, CrawlerProperty property, const CrawlerValues& values);

// What the main window's creation hands over, without the window: the results file, the
// program settings, the spider option "Nur Links mit gleicher Quell-URL" and the type filter
// switched on with an empty list. For the command-line scans.
void BindProgramSettings(CrawlerBinding& binding, const ProgramFolder& folder, const ProgramSettings& settings);

struct ScanHooks {
  std::function<std::string()> maxPagesText;  // the page limit's edit as it reads now
  std::function<void()> limitReached;         // a discovery reached its page limit
  std::function<void()> ended;                // OnWorking(false), after nothing else
};

// Routes the crawler's working, statistics, page, error and tag events to `scan`.
void ConnectSiteScan(THttpScan& crawler, SiteScan& scan, ScanHooks hooks);

}  // namespace mw
