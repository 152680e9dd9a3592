#include "submit/ResultReport.h"

#include "common/Files.h"
#include "common/SafeFileName.h"

namespace mw {

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string ResponseFileName(const std::string& engine, const std::string& pageUrl) {
  return FittingFileName(engine + "_", pageUrl, ".html");
}

std::string ResultReportFileName(const std::string& projectName) {
  return FittingFileName("", projectName, ".html");
}

ResultReport::ResultReport(const std::string& projectName, const std::string& date) {
  lines_ = {
      "<html><head><title>Meldewerk</title><meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=iso-8859-1\"></head>",
      "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\"><b><font "
      "size=\"5\" face=\"Arial, Helvetica, sans-serif\" color=\"#000099\">Meldewerk Resultate " +
          HtmlEscape(date) + "</font><br>",
      "<b><font size=\"4\" face=\"Arial, Helvetica, sans-serif\" color=\"#000000\">Projekt: " +
          HtmlEscape(projectName) + "</font>",
      "<font size=\"3\" face=\"Arial, Helvetica, sans-serif\"><br></font></b><hr><br>",
      "<table width=\"100%\" border=\"0\" cellspacing=\"2\" cellpadding=\"1\" bgcolor=\"#ffffff\" ><tr "
      "bgcolor=\"#000099\"><td width=\"30%\"><b><font color=\"#FFFFFF\" face=\"Verdana, Arial, Helvetica, "
      "sans-serif\" size=\"2\">Resultatseite",
      "      der Suchmaschine:</font></b></td><td width=\"70%\"><b><font color=\"#FFFFFF\" face=\"Verdana, Arial, "
      "Helvetica, sans-serif\" size=\"2\">Meldelink:</font><font color=\"#000000\" face=\"Verdana, Arial, "
      "Helvetica, sans-serif\" size=\"2\">",
      "      <font face=\"Arial, Helvetica, sans-serif\"> <font size=\"1\"> <font color=\"#FFFFFF\">Bitte nicht "
      "klicken da dieser Link Ihre Seite nochmals anmeldet!</font></font></font></font></b></td>",
      "  </tr>",
  };
}

void ResultReport::AddAttempt(const std::string& engine, const std::string& pageUrl, const std::string& submitUrl,
                              AttemptResult result, int status) {
  const std::string submit = HtmlEscape(submitUrl);
  std::string shown = engine;
  if (result == AttemptResult::Unreachable) shown += " (nicht erreichbar)";
  if (result == AttemptResult::Rejected) shown += " (abgelehnt, HTTP " + std::to_string(status) + ")";
  lines_.push_back("<tr bgcolor=\"#CCCCCC\">");
  lines_.push_back("<td width=\"30%\"><a href=\"" + HtmlEscape(ResponseFileName(engine, pageUrl)) +
                   "\"><font size=\"1\" face=\"Arial, Helvetica, sans-serif\">" + HtmlEscape(shown) +
                   "</font></a></td>");
  lines_.push_back("<td width=\"70%\"><a href=\"" + submit + "\"><font size=\"1\" face=\"Arial, Helvetica, sans-serif\">" +
                   submit + "</font></a></td>");
  lines_.push_back("</tr>");
}

void ResultReport::Finish() { lines_.push_back("</table></body></html>"); }

bool ResultReport::Write(const std::string& path, std::string* error) const {
  return WriteLineFile(path, lines_, error);
}

}  // namespace mw
