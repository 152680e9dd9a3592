#pragma once
// Four ranking engines on local servers, each with a ranking template in a temporary program
// folder. Pages are numbered by the query parameter p (0, 1, 2, ...):
//   Found_DE   names the site (in other letter case) on result page 3 only;
//   Never_COM  never names it;
//   Down_DE    sits on a closed port;
//   Blocked_DE answers pages 1 and 2 with a 429 block page that names the site, then plain pages.
#include <httplib.h>

#include <string>

#include "support/TempProgramFolder.h"
#include "support/TestHttpServer.h"

namespace mwtest {

inline constexpr const char* kSite = "www.meine-seite.de";

struct RankingEngines {
  TempProgramFolder dir;
  TestHttpServer server;
  int closedPort = 0;

  RankingEngines() {
    {
      TestHttpServer closed;
      closedPort = closed.Port();
      closed.Stop();
    }
    dir.MakeFolder("Temp");
    dir.MakeFolder("reports");
    server.SetPage("/product", "Meldewerk");
    server.Handle("/found", [](const httplib::Request& req, httplib::Response& res) {
      const std::string p = req.get_param_value("p");
      res.set_content("<html>Ergebnisse Seite " + p + "\r\n" +
                          (p == "2" ? "<a href=\"http://WWW.Meine-Seite.DE/\">treffer</a>" : "andere Seiten") +
                          "\r\n</html>",
                      "text/html");
    });
    server.Handle("/never", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<html>www.meine-seite.com und meine-seite.de</html>", "text/html");
    });
    server.Handle("/blocked", [](const httplib::Request& req, httplib::Response& res) {
      const std::string p = req.get_param_value("p");
      res.status = p == "0" || p == "1" ? 429 : 200;
      res.set_content(res.status == 429 ? "Zu viele Anfragen von www.meine-seite.de" : "nichts", "text/html");
    });
    Template("Found_DE", server.Url("/found") + "?q=KLXKEYWORD&p=KLXPOS");
    Template("Never_COM", server.Url("/never") + "?q=KLXKEYWORD&p=KLXPOS");
    Template("Down_DE", "http://127.0.0.1:" + std::to_string(closedPort) + "/s?q=KLXKEYWORD&p=KLXPOS");
    Template("Blocked_DE", server.Url("/blocked") + "?q=KLXKEYWORD&p=KLXPOS");
  }

  void Template(const std::string& engine, const std::string& basicUrl) const {
    dir.Write("Projects/templates/" + engine + ".ran",
              "[SETTINGS]\r\nBasicURL=" + basicUrl + "\r\nOffset=0\r\nStep=1\r\n");
  }
};

}  // namespace mwtest
