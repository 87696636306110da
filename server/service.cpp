#include "service.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <strings.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#include "client_address.h"
#include "common/formats/leaderboard_file.h"
#include "common/formats/track_file.h"
#include "leaderboard_page.h"
#include "shelves.h"

namespace {

const char kText[] = "text/plain";
const char kBinary[] = "application/octet-stream";

Service_Answer Refused() { return {400, "Refused\n", kText}; }
Service_Answer Not_Found() { return {404, "Not found\n", kText}; }
Service_Answer Stored() { return {200, "OK\n", kText}; }
// 503 while the database cannot be reached (it is being reconnected), else 500.
Service_Answer Store_Trouble(int failure) {
  if (failure == STORE_UNAVAILABLE) {
    Service_Answer later = {503, "Database unavailable, try again later\n", kText};
    later.retry_after = 5;
    return later;
  }
  return {500, "Database failure\n", kText};
}

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

// Well-formed UTF-8 (every database keeps it as text).
bool Is_Utf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t extra = c < 0x80 ? 0 : c >= 0xC2 && c <= 0xDF ? 1 : (c >> 4) == 0xE ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 9;
    if (extra > 3 || text.size() - i <= extra) return false;
    for (size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
    i += extra + 1;
  }
  return true;
}

// The score scripts' player: the platform digit, then a name of 3 to 40 bytes.
bool Valid_Score_Player(const std::string& player) {
  return Plain_Text(player, 4, 41) && Is_Utf8(player) && player[0] >= '0' && player[0] <= '9';
}

MHD_Result Collect_Value(void* query, MHD_ValueKind, const char* key, size_t key_size, const char* value,
                         size_t value_size) {
  static_cast<Query*>(query)->emplace(std::string(key, key_size), value ? std::string(value, value_size) : "");
  return MHD_YES;
}

MHD_Result Send_Answer(MHD_Connection* connection, const Service_Answer& answer) {
  MHD_Response* response =
      answer.file >= 0 ? MHD_create_response_from_fd(answer.file_size, answer.file)
                       : MHD_create_response_from_buffer(answer.body.size(), const_cast<char*>(answer.body.data()),
                                                         MHD_RESPMEM_MUST_COPY);
  if (!response) {
    if (answer.file >= 0) close(answer.file);
    return MHD_NO;
  }
  MHD_add_response_header(response, "Content-Type", answer.content_type);
  if (!answer.etag.empty()) MHD_add_response_header(response, "ETag", answer.etag.c_str());
  if (answer.cache_control) MHD_add_response_header(response, "Cache-Control", answer.cache_control);
  if (answer.page) {
    MHD_add_response_header(response, "Content-Security-Policy", kPagePolicy);
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
  }
  // The game reads until the server closes, so every connection carries one answer.
  MHD_add_response_header(response, "Connection", "close");
  if (answer.status == 405) MHD_add_response_header(response, "Allow", "GET, HEAD");
  if (answer.retry_after > 0) MHD_add_response_header(response, "Retry-After", std::to_string(answer.retry_after).c_str());
  MHD_Result queued = MHD_queue_response(connection, static_cast<unsigned>(answer.status), response);
  MHD_destroy_response(response);
  return queued;
}

MHD_Result Collect_Forwarded(void* list, MHD_ValueKind, const char* key, size_t, const char* value, size_t value_size) {
  std::string& all = *static_cast<std::string*>(list);
  if (strcasecmp(key, "X-Forwarded-For") == 0 && value) all += (all.empty() ? "" : ",") + std::string(value, value_size);
  return MHD_YES;
}

std::string Client_Of(Service& service, MHD_Connection* connection) {
  const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
  std::string peer = info ? Address_Text(info->client_addr) : "";
  if (service.limits.trusted_proxies.empty()) return peer;
  std::string forwarded;
  MHD_get_connection_values_n(connection, MHD_HEADER_KIND, &Collect_Forwarded, &forwarded);
  return Client_Address(peer, forwarded, service.limits.trusted_proxies);
}

bool Has_Body(MHD_Connection* connection) {
  const char* length = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
  return MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_TRANSFER_ENCODING) ||
         (length && std::strspn(length, "0") != std::strlen(length));
}

bool Is_Write(const char* path) {
  return !std::strcmp(path, "ohs.php") || !std::strcmp(path, "ots.php") || !std::strcmp(path, "updatelog.php");
}

double Steady_Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The library calls this once the header has arrived and again for the body. Everything is
// answered in the first call: only GET and HEAD without a body are served, so no body is
// ever read. Writes are limited per client address.
MHD_Result Handle_Request(void* cls, MHD_Connection* connection, const char* url, const char* method,
                          const char*, const char*, size_t* upload_size, void** request_state) {
  static int answered;
  Service& service = *static_cast<Service*>(cls);
  if (*request_state) {
    *upload_size = 0;  // not reached: the answer is queued already
    return MHD_YES;
  }
  *request_state = &answered;
  const MHD_ConnectionInfo* context = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
  Connection_Guard::Answered(context ? context->socket_context : nullptr);
  if (std::strcmp(method, "GET") != 0 && std::strcmp(method, "HEAD") != 0)
    return Send_Answer(connection, {405, "Only GET and HEAD\n", kText});
  if (Has_Body(connection)) return Send_Answer(connection, {400, "No body expected\n", kText});
  const char kRoot[] = "/VantoRello/";
  if (std::strcmp(url, "/") != 0 && std::strncmp(url, kRoot, sizeof kRoot - 1) != 0)
    return Send_Answer(connection, Not_Found());
  const char* path = std::strcmp(url, "/") == 0 ? "" : url + sizeof kRoot - 1;
  int wait = 0;
  if (Is_Write(path) && !service.write_limit.Allow(Client_Of(service, connection), Steady_Seconds(), &wait)) {
    Service_Answer later = {429, "Too many writes\n", kText};
    later.retry_after = wait;
    return Send_Answer(connection, later);
  }
  Query query;
  MHD_get_connection_values_n(connection, MHD_GET_ARGUMENT_KIND, &Collect_Value, &query);
  Service_Answer answer = service.Answer(path, query);
  const char* known = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_IF_NONE_MATCH);
  if (answer.status == 200 && !answer.etag.empty() && known && answer.etag == known) {
    Service_Answer same = {304, "", answer.content_type};
    same.etag = answer.etag;
    same.cache_control = answer.cache_control;
    if (answer.file >= 0) close(answer.file);
    return Send_Answer(connection, same);
  }
  return Send_Answer(connection, answer);
}

void Notify_Connection(void* cls, MHD_Connection* connection, void** socket_context, MHD_ConnectionNotificationCode code) {
  Connection_Guard& guard = static_cast<Service*>(cls)->guard;
  if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
    guard.Closed(socket_context);
    return;
  }
  const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
  if (info) guard.Opened(socket_context, info->connect_fd);
}

}  // namespace

Service::Service() = default;
Service::~Service() { Stop(); }

int Service::Open(const std::string& dir, const std::string& database) {
  data_dir = dir;
  std::error_code error;
  std::filesystem::path tracks = std::filesystem::path(dir) / "tracks";
  std::filesystem::create_directories(tracks, error);
  if (error || !Migrate_Release_Layout(dir)) return 0;
  store.Use_Round_Tracks(tracks.string());
  if (!database.empty()) return store.Open_Database(database);
  return store.Open((std::filesystem::path(dir) / "service.db").string());
}

// "ohs.php", "ots.php" and "updatelog.php": a valid result is stored, anything else refused.
Service_Answer Service::Answer_Script(const std::string& path, const Query& query) {
  std::string player, text;
  int score = 0, track = 0;
  const long long kMaxScore = std::numeric_limits<int>::max();
  int stored = STORE_FAILED;
  if (path == "ohs.php") {
    if (!One_Value(query, "player", &player) || !Valid_Score_Player(player)) return Refused();
    if (!One_Value(query, "score", &text) || !Read_Number(text, 0, kMaxScore, &score)) return Refused();
    stored = store.Submit_Tournament(player, score);
  } else if (path == "ots.php") {
    if (!One_Value(query, "player", &player) || !Valid_Score_Player(player)) return Refused();
    if (!One_Value(query, "track", &text) || !Read_Number(text, 1, kRoundsPerTournament, &track)) return Refused();
    if (!One_Value(query, "score", &text) || !Read_Number(text, 0, kMaxScore, &score)) return Refused();
    stored = store.Submit_Round(player, track, score);
  } else {
    if (!One_Value(query, "player", &player) || !Plain_Text(player, 3, 40) || !Is_Utf8(player)) return Refused();
    if (!One_Value(query, "os", &text) || !Read_Number(text, 0, 9, &score)) return Refused();
    stored = store.Log_Update(player, text);
  }
  if (stored == STORE_REFUSED) return Refused();
  return stored == STORE_KEPT ? Stored() : Store_Trouble(stored);
}

// A quoted tag of the bytes of an answer (FNV-1a, 64 bits).
std::string Entity_Tag(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  char tag[24];
  std::snprintf(tag, sizeof tag, "\"%016llx\"", static_cast<unsigned long long>(hash));
  return tag;
}

Service_Answer Service::Answer_Page() {
  std::vector<Leaderboard_Row> best, latest;
  int failed = store.Best_Tournaments(kLeaderboardSize, &best);
  if (failed == STORE_KEPT) failed = store.Latest_Tournaments(10, &latest);
  if (failed != STORE_KEPT) return Store_Trouble(failed);
  std::vector<Page_Track> tracks;
  for (const Published_Track& track : Published_Tracks(data_dir))
    tracks.push_back({track.file, track.header.track_type, track.header.sector_count, track.header.creator});
  Service_Answer answer = {200, Leaderboard_Page(best, latest, tracks), "text/html; charset=utf-8"};
  answer.etag = Entity_Tag(answer.body);
  answer.cache_control = "no-cache";
  answer.page = true;
  return answer;
}

Service_Answer Service::Answer_Course(const std::string& file) {
  std::string png;
  std::string track = Published_Track_Path(data_dir, file);
  if (track.empty() || !course_pictures.Get(track, &png)) return Not_Found();
  ++course_pictures_served;
  Service_Answer answer = {200, png, "image/png"};
  answer.etag = Entity_Tag(png);
  answer.cache_control = "max-age=300";
  return answer;
}

Service_Answer Service::Answer(const std::string& path, const Query& query) {
  if (path == "ohs.php" || path == "ots.php" || path == "updatelog.php") return Answer_Script(path, query);
  if (path == "highscore.txt") {
    std::vector<Leaderboard_Row> rows;
    int failed = store.Best_Tournaments(kLeaderboardSize, &rows);
    if (failed != STORE_KEPT) return Store_Trouble(failed);
    return {200, Write_Leaderboard(rows.data(), static_cast<int>(rows.size())), kText};
  }
  if (path.empty()) return Answer_Page();
  if (path == "page.css") {
    Service_Answer answer = {200, Page_Style(), "text/css"};
    answer.etag = Entity_Tag(answer.body);
    answer.cache_control = "max-age=300";
    answer.page = true;
    return answer;
  }
  const std::string kCourse = "course/", kPng = ".png";
  if (path.compare(0, kCourse.size(), kCourse) == 0 && path.size() > kCourse.size() + kPng.size() &&
      path.compare(path.size() - kPng.size(), kPng.size(), kPng) == 0)
    return Answer_Course(path.substr(kCourse.size(), path.size() - kCourse.size() - kPng.size()));
  if (path == "TRK/VantoRello.tracks") return {200, Build_Cloud_List(data_dir), kText};
  Served_File file;
  const std::string kUploads = "TRK/uploads/";
  int found = path.compare(0, kUploads.size(), kUploads) == 0
                  ? Open_Track_Upload(data_dir, path.substr(kUploads.size()), &file)
                  : Open_Release_File(data_dir, path, &file);
  return found ? Service_Answer{200, "", kBinary, file.fd, file.size} : Not_Found();
}

int Service::Start(const std::string& host, int port) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) return -1;
  if (port < 0 || port > 65535) return -1;
  guard.Start(limits.request_deadline_ms);
  daemon_ = MHD_start_daemon(
      MHD_USE_AUTO_INTERNAL_THREAD, static_cast<uint16_t>(port), nullptr, nullptr, &Handle_Request, this,
      MHD_OPTION_SOCK_ADDR, &address, MHD_OPTION_THREAD_POOL_SIZE, 4u, MHD_OPTION_CONNECTION_TIMEOUT,
      limits.idle_seconds, MHD_OPTION_CONNECTION_LIMIT, limits.connections, MHD_OPTION_PER_IP_CONNECTION_LIMIT,
      limits.connections_per_address, MHD_OPTION_CONNECTION_MEMORY_LIMIT, limits.header_bytes,
      MHD_OPTION_NOTIFY_CONNECTION, &Notify_Connection, this, MHD_OPTION_END);
  if (!daemon_) {
    guard.Stop();
    return -1;
  }
  const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon_, MHD_DAEMON_INFO_BIND_PORT);
  return info ? info->port : -1;
}

void Service::Stop() {
  if (daemon_) MHD_stop_daemon(daemon_);
  daemon_ = nullptr;
  guard.Stop();
}
