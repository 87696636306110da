#pragma once
// The leaderboard as a web page: the fifteen places, the latest tournament results and the
// cloud tracks with a picture of each course. Plain HTML with one stylesheet and no script;
// every text from the database or a track file is escaped.
#include <string>
#include <vector>

#include "common/formats/leaderboard_file.h"

struct Page_Track {
  std::string file;  // published file name, safe for a URL
  int track_type;
  int sectors;
  std::string creator;
};

// Text made safe for HTML element text and quoted attribute values.
std::string Html_Escape(const std::string& text);
// The platform digit a stored player name begins with (0 for none) and the name as shown.
int Split_Player(const std::string& player, std::string* name);

std::string Leaderboard_Page(const std::vector<Leaderboard_Row>& best, const std::vector<Leaderboard_Row>& latest,
                             const std::vector<Page_Track>& tracks);
// The page's stylesheet ("page.css").
const std::string& Page_Style();
// The Content-Security-Policy the page and its stylesheet are sent with.
extern const char* const kPagePolicy;
