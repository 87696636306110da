#include "service.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#include "common/formats/leaderboard_file.h"
#include "shelves.h"

namespace {

const char kText[] = "text/plain";
const char kBinary[] = "application/octet-stream";

Service_Answer Refused() { return {400, "Refused\n", kText}; }
Service_Answer Not_Found() { return {404, "Not found\n", kText}; }
Service_Answer Stored() { return {200, "OK\n", kText}; }

// The single value of a query key; 0 when it is missing or given twice.
int One_Value(const Query& query, const char* key, std::string* value) {
  if (query.count(key) != 1) return 0;
  *value = query.find(key)->second;
  return 1;
}

// A decimal number of 1 to 10 digits within lo..hi.
int Read_Number(const std::string& text, long long lo, long long hi, int* value) {
  if (text.empty() || text.size() > 10) return 0;
  for (char c : text)
    if (c < '0' || c > '9') return 0;
  long long number = std::stoll(text);
  if (number < lo || number > hi) return 0;
  *value = static_cast<int>(number);
  return 1;
}

// A name of min..max bytes without control characters.
bool Plain_Text(const std::string& text, size_t min, size_t max) {
  if (text.size() < min || text.size() > max) return false;
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
  }
  return true;
}

// The score scripts' player: the platform digit, then a name of 3 to 40 bytes.
bool Valid_Score_Player(const std::string& player) {
  return Plain_Text(player, 4, 41) && player[0] >= '0' && player[0] <= '9';
}

MHD_Result Collect_Value(void* query, MHD_ValueKind, const char* key, size_t key_size, const char* value,
                         size_t value_size) {
  static_cast<Query*>(query)->emplace(std::string(key, key_size), value ? std::string(value, value_size) : "");
  return MHD_YES;
}

MHD_Result Send_Answer(MHD_Connection* connection, const Service_Answer& answer) {
  MHD_Response* response = MHD_create_response_from_buffer(answer.body.size(), const_cast<char*>(answer.body.data()),
                                                           MHD_RESPMEM_MUST_COPY);
  if (!response) return MHD_NO;
  MHD_add_response_header(response, "Content-Type", answer.content_type);
  // The game reads until the server closes, so every connection carries one answer.
  MHD_add_response_header(response, "Connection", "close");
  MHD_Result queued = MHD_queue_response(connection, static_cast<unsigned>(answer.status), response);
  MHD_destroy_response(response);
  return queued;
}

// The library calls this twice per request: once when the header has arrived, then to
// answer. Only GET below "/VantoRello/" is served.
MHD_Result Handle_Request(void* service, MHD_Connection* connection, const char* url, const char* method,
                          const char*, const char*, size_t* upload_size, void** request_state) {
  static int header_seen;
  if (!*request_state) {
    *request_state = &header_seen;
    return MHD_YES;
  }
  if (*upload_size != 0) {
    *upload_size = 0;
    return MHD_YES;
  }
  const char kRoot[] = "/VantoRello/";
  if (std::strcmp(method, "GET") != 0) return Send_Answer(connection, {405, "Only GET\n", kText});
  if (std::strncmp(url, kRoot, sizeof kRoot - 1) != 0) return Send_Answer(connection, Not_Found());
  Query query;
  MHD_get_connection_values_n(connection, MHD_GET_ARGUMENT_KIND, &Collect_Value, &query);
  return Send_Answer(connection, static_cast<Service*>(service)->Answer(url + sizeof kRoot - 1, query));
}

}  // namespace

Service::Service() = default;
Service::~Service() { Stop(); }

int Service::Open(const std::string& dir) {
  data_dir = dir;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(dir) / "tracks", error);
  if (error) return 0;
  return store.Open((std::filesystem::path(dir) / "service.db").string());
}

// "ohs.php", "ots.php" and "updatelog.php": a valid result is stored, anything else refused.
Service_Answer Service::Answer_Script(const std::string& path, const Query& query) {
  std::string player, text;
  int score = 0, track = 0;
  const long long kMaxScore = std::numeric_limits<int>::max();
  int stored = 0;
  if (path == "ohs.php") {
    if (!One_Value(query, "player", &player) || !Valid_Score_Player(player)) return Refused();
    if (!One_Value(query, "score", &text) || !Read_Number(text, 0, kMaxScore, &score)) return Refused();
    stored = store.Add_Tournament(player, score);
  } else if (path == "ots.php") {
    if (!One_Value(query, "player", &player) || !Valid_Score_Player(player)) return Refused();
    if (!One_Value(query, "track", &text) || !Read_Number(text, 1, 12, &track)) return Refused();
    if (!One_Value(query, "score", &text) || !Read_Number(text, 0, kMaxScore, &score)) return Refused();
    stored = store.Add_Round(player, track, score);
  } else {
    if (!One_Value(query, "player", &player) || !Plain_Text(player, 3, 40)) return Refused();
    if (!One_Value(query, "os", &text) || !Read_Number(text, 0, 9, &score)) return Refused();
    stored = store.Add_Update_Log(player, text);
  }
  return stored ? Stored() : Service_Answer{500, "Not stored\n", kText};
}

Service_Answer Service::Answer(const std::string& path, const Query& query) {
  if (path == "ohs.php" || path == "ots.php" || path == "updatelog.php") return Answer_Script(path, query);
  if (path == "highscore.txt") {
    std::vector<Leaderboard_Row> rows = store.Best_Tournaments(kLeaderboardSize);
    return {200, Write_Leaderboard(rows.data(), static_cast<int>(rows.size())), kText};
  }
  if (path == "TRK/VantoRello.tracks") return {200, Build_Cloud_List(data_dir), kText};
  std::string bytes;
  const std::string kUploads = "TRK/uploads/";
  int found = path.compare(0, kUploads.size(), kUploads) == 0
                  ? Read_Track_Upload(data_dir, path.substr(kUploads.size()), &bytes)
                  : Read_Release_File(data_dir, path, &bytes);
  return found ? Service_Answer{200, bytes, kBinary} : Not_Found();
}

int Service::Start(const std::string& host, int port) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) return -1;
  daemon_ = MHD_start_daemon(MHD_USE_AUTO_INTERNAL_THREAD, static_cast<uint16_t>(port), nullptr, nullptr,
                             &Handle_Request, this, MHD_OPTION_SOCK_ADDR, &address,
                             MHD_OPTION_THREAD_POOL_SIZE, 4u, MHD_OPTION_CONNECTION_TIMEOUT, 5u,
                             MHD_OPTION_CONNECTION_LIMIT, 512u, MHD_OPTION_CONNECTION_MEMORY_LIMIT,
                             static_cast<size_t>(32768), MHD_OPTION_END);
  if (!daemon_) return -1;
  const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon_, MHD_DAEMON_INFO_BIND_PORT);
  return info ? info->port : -1;
}

void Service::Stop() {
  if (daemon_) MHD_stop_daemon(daemon_);
  daemon_ = nullptr;
}
