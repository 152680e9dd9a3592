#include "ranking/RankingReport.h"

#include "common/Files.h"
#include "submit/ResultReport.h"

namespace mw {

RankingReport::RankingReport(const std::string& projectName, const std::string& date) {
  lines_ = {
      "<html><head><title>Meldewerk</title><meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=iso-8859-1\"></head>",
      "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\"><b><font "
      "size=\"5\" face=\"Arial, Helvetica, sans-serif\" color=\"#000099\">Meldewerk Ranking-Resultate " +
          HtmlEscape(date) + "</font><br>",
      "<b><font size=\"4\" face=\"Arial, Helvetica, sans-serif\" color=\"#000000\">Projekt: " +
          HtmlEscape(projectName) + "</font>",
      "<font size=\"3\" face=\"Arial, Helvetica, sans-serif\"><br></font></b><hr><br>",
      "<table width=\"100%\" border=\"0\" cellspacing=\"2\" cellpadding=\"1\" bgcolor=\"#ffffff\" ><tr "
      "bgcolor=\"#000099\"><td width=\"30%\"><b><font color=\"#FFFFFF\" face=\"Verdana, Arial, Helvetica, "
      "sans-serif\" size=\"2\">Ranking:",
      "</font></b></td><td width=\"70%\"><b><font color=\"#FFFFFF\" face=\"Verdana, Arial, Helvetica, "
      "sans-serif\" size=\"2\">Seite mit Suchergebnis starten:</font><font color=\"#000000\" face=\"Verdana, "
      "Arial, Helvetica, sans-serif\" size=\"2\">",
      "</font></b></td>",
      "  </tr>",
  };
}

void RankingReport::AddEngine(const std::string& resultLine, const std::string& pageAddress) {
  lines_.push_back("<tr bgcolor=\"#CCCCCC\">");
  lines_.push_back("<td width=\"30%\"><font size=\"1\" face=\"Arial, Helvetica, sans-serif\">" +
                   HtmlEscape(resultLine) + "</font></a></td>");
  lines_.push_back("<td width=\"70%\"><a href=\"" + HtmlEscape(pageAddress) +
                   "\"><font size=\"1\" face=\"Arial, Helvetica, sans-serif\">Seite anzeigen</font></a></td>");
  lines_.push_back("</tr>");
}

void RankingReport::Finish() {
  lines_.push_back("</table></body></html>");
}

bool RankingReport::Write(const std::string& path, std::string* error) const {
  return WriteLineFile(path, lines_, error);
}

}  // namespace mw
