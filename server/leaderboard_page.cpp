#include "leaderboard_page.h"

#include <cstdio>

const char* const kPagePolicy =
    "default-src 'none'; img-src 'self'; style-src 'self'; base-uri 'none'; form-action 'none'; "
    "frame-ancestors 'none'";

namespace {

const char* const kPlatforms[9] = {"unknown", "AmigaOS", "MorphOS", "Windows", "Linux",
                                   "macOS", "Raspberry Pi", "Pandora", "GCW Zero"};
const char* const kScenarios[13] = {"unknown",   "Florida", "Bavaria",       "Hong Kong", "Cairo",
                                    "Spain",     "Russia",  "Great Britain", "Hungary",   "Fantasy",
                                    "Industry City", "Bahamas", "Swisserland"};

std::string Time_Text(int score) {
  char text[32];
  Format_Score_Time(score, text, sizeof text);
  return text;
}

std::string Result_Rows(const std::vector<Leaderboard_Row>& rows) {
  std::string html;
  for (size_t i = 0; i < rows.size(); ++i) {
    std::string name;
    int platform = Split_Player(rows[i].player, &name);
    html += "<tr><td>" + std::to_string(i + 1) + ".</td><td>" + Html_Escape(Time_Text(rows[i].score)) + "</td><td>" +
            Html_Escape(name) + "</td><td>" + kPlatforms[platform] + "</td></tr>\n";
  }
  return html;
}

std::string Track_Items(const std::vector<Page_Track>& tracks) {
  std::string html;
  for (const Page_Track& track : tracks) {
    const char* scenario = kScenarios[track.track_type >= 1 && track.track_type <= 12 ? track.track_type : 0];
    std::string alt = "Course of " + track.file;
    html += "<li><img src=\"/VantoRello/course/" + Html_Escape(track.file) + ".png\" alt=\"" + Html_Escape(alt) +
            "\" width=\"240\" height=\"160\"><div><b>" + Html_Escape(track.file) + "</b><br>" + scenario + ", " +
            std::to_string(track.sectors) + " sectors<br>by " + Html_Escape(track.creator) + "</div></li>\n";
  }
  return html;
}

}  // namespace

std::string Html_Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return out;
}

int Split_Player(const std::string& player, std::string* name) {
  int platform = 0;
  size_t start = 0;
  if (!player.empty() && player[0] >= '0' && player[0] <= '9') {
    platform = player[0] >= '1' && player[0] <= '8' ? player[0] - '0' : 0;
    start = 1;
  }
  *name = player.substr(start);
  for (char& c : *name)
    if (c == '_') c = ' ';
  return platform;
}

std::string Leaderboard_Page(const std::vector<Leaderboard_Row>& best, const std::vector<Leaderboard_Row>& latest,
                             const std::vector<Page_Track>& tracks) {
  return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
         "<title>VantoRello leaderboard</title><link rel=\"stylesheet\" href=\"/VantoRello/page.css\"></head>\n"
         "<body><h1>VantoRello</h1>\n"
         "<section><h2>Best Drivers</h2><table id=\"best\"><thead><tr><th>Place</th><th>Time</th><th>Name</th>"
         "<th>Platform</th></tr></thead><tbody>\n" +
         Result_Rows(best) +
         "</tbody></table></section>\n"
         "<section><h2>Latest tournaments</h2><table id=\"latest\"><thead><tr><th></th><th>Time</th><th>Name</th>"
         "<th>Platform</th></tr></thead><tbody>\n" +
         Result_Rows(latest) +
         "</tbody></table></section>\n"
         "<section><h2>Cloud tracks</h2><ul id=\"tracks\">\n" +
         Track_Items(tracks) + "</ul></section>\n</body></html>\n";
}

const std::string& Page_Style() {
  static const std::string style =
      "body{font-family:sans-serif;margin:0 auto;max-width:60em;padding:0.5em;background:#10131a;color:#e8e8e8}"
      "h1{color:#f0d030}h2{border-bottom:1px solid #444}"
      "table{border-collapse:collapse;width:100%}td,th{padding:0.2em 0.5em;text-align:left;overflow-wrap:anywhere}"
      "tbody tr:nth-child(odd){background:#1b2030}"
      "#tracks{list-style:none;padding:0;display:flex;flex-wrap:wrap;gap:1em}"
      "#tracks li{background:#1b2030;padding:0.5em;width:240px;overflow-wrap:anywhere}"
      "#tracks img{display:block;background:#0a0c10;max-width:100%;height:auto}"
      "@media (max-width:30em){td,th{padding:0.2em}h1{font-size:1.4em}}";
  return style;
}
