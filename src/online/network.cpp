#include "online/network.h"

#include <SDL/SDL_net.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "common/formats/http_response.h"
#include "common/safe_file.h"
#include "online/thread_alarm.h"

const char* const kServerHost = "localhost";
const int kServerPort = 8780;

int http_connect_limit_ms = 3000;
int http_receive_limit_ms = 3000;
int http_transfer_limit_ms = 8000;
int http_last_connected = 0;

namespace {

using Clock = std::chrono::steady_clock;

long long Ms_Until(Clock::time_point deadline) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
}

const size_t kBlockSize = 1024;
const size_t kHeaderLimit = 16384;
const size_t kBodyLimit = size_t(32) << 20;  // far above any file the game fetches

std::string server_host;
int server_port = 0;

void Read_Server_Setting() {
  server_host = kServerHost;
  server_port = kServerPort;
  const char* value = std::getenv("VANTORELLO_SERVER");
  if (!value || !*value) return;
  std::string text = value;
  size_t colon = text.rfind(':');
  if (colon != std::string::npos) {
    int port = std::atoi(text.c_str() + colon + 1);
    if (port > 0 && port < 65536) server_port = port;
    text.erase(colon);
  }
  if (!text.empty()) server_host = text;
}

// Name resolution blocks inside the C library without a time limit of its own, so it runs on
// a helper thread; when the limit passes the caller goes on without it. The helper calls
// nothing of SDL's, so one left behind is harmless even while the program exits, and
// getaddrinfo is reentrant, so it may overlap the next one safely.
struct Resolve_Job {
  std::mutex lock;
  std::condition_variable finished;
  bool done = false, resolved = false;
  IPaddress address = {};
};

// The server's IPv4 address (SDL_net speaks no other) in SDL_net's byte order.
bool Resolve(const std::string& host, int port, IPaddress* address) {
  addrinfo hints = {};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
  address->host = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  SDLNet_Write16(static_cast<Uint16>(port), &address->port);
  freeaddrinfo(found);
  return true;
}

std::shared_ptr<Resolve_Job> Start_Resolve(const std::string& host, int port) {
  auto job = std::make_shared<Resolve_Job>();
  std::thread([job, host, port] {
    IPaddress address = {};
    bool resolved = Resolve(host, port, &address);
    std::lock_guard<std::mutex> hold(job->lock);
    job->resolved = resolved;
    job->address = address;
    job->done = true;
    job->finished.notify_all();
  }).detach();
  return job;
}

// True when the job resolved the name before the deadline.
bool Resolved_By(Resolve_Job& job, Clock::time_point deadline) {
  std::unique_lock<std::mutex> hold(job.lock);
  return job.finished.wait_until(hold, deadline, [&] { return job.done; }) && job.resolved;
}

Clock::time_point Connect_Deadline() { return Clock::now() + std::chrono::milliseconds(http_connect_limit_ms); }

// Connects on the calling thread, so that no connect is ever left running inside SDL_net
// (a helper that woke there while the program exits would call into unloaded libraries);
// a thread alarm ends the connect at the deadline instead.
TCPsocket Open_Connection() {
  Clock::time_point deadline = Connect_Deadline();
  auto job = Start_Resolve(Server_Host(), Server_Port());
  if (!Resolved_By(*job, deadline)) return nullptr;
  Thread_Alarm alarm(static_cast<long>(Ms_Until(deadline)));
  return alarm.armed() ? SDLNet_TCP_Open(&job->address) : nullptr;
}

int Send_Request(TCPsocket socket, const char* resource) {
  char request[1024];
  int length = std::snprintf(request, sizeof request, "GET /VantoRello/%s HTTP/1.1\nHost: %s\nUser-Agent: VantoRello\n\n",
                             resource, Server_Host());
  if (length < 0 || length >= static_cast<int>(sizeof request)) return 0;
  return SDLNet_TCP_Send(socket, request, length) == length;
}

// Waits for each block at most the receive limit, and for all of them together at most
// until the request's deadline.
struct Receiver {
  TCPsocket socket;
  SDLNet_SocketSet set;
  Clock::time_point deadline;

  // Bytes received (0 when the server closed), or -1 on an error or time-out.
  int Next(char* block) {
    auto left = Ms_Until(deadline);
    if (left <= 0) return -1;
    Uint32 wait = static_cast<Uint32>(left < http_receive_limit_ms ? left : http_receive_limit_ms);
    if (SDLNet_CheckSockets(set, wait) <= 0 || !SDLNet_SocketReady(socket)) return -1;
    int got = SDLNet_TCP_Recv(socket, block, kBlockSize);
    return got < 0 ? -1 : got;
  }
};

// Reads the header, then the body (kept only when `keep`) until the announced length has
// arrived, or until the server closes when it announced none. 1 when a complete 200 answer
// arrived.
int Read_Response(Receiver& in, bool keep, std::string* body) {
  std::string head_bytes;
  Http_Head head;
  char block[kBlockSize];
  for (;;) {
    int got = in.Next(block);
    if (got <= 0) return 0;
    head_bytes.append(block, got);
    if (Split_Http_Response(head_bytes.data(), head_bytes.size(), &head)) break;
    if (head_bytes.size() > kHeaderLimit) return 0;
  }
  if (head.status != 200 || head.chunked || head.content_length < -1) return 0;
  long long expected = head.content_length;
  if (expected > static_cast<long long>(kBodyLimit)) return 0;
  size_t received = head_bytes.size() - head.body_offset;
  if (keep) body->assign(head_bytes, head.body_offset, std::string::npos);
  while (expected < 0 || static_cast<long long>(received) < expected) {
    int got = in.Next(block);
    if (got < 0) return 0;
    if (got == 0) break;
    received += got;
    if (received > kBodyLimit) return 0;
    if (keep) body->append(block, got);
  }
  return expected < 0 || static_cast<long long>(received) == expected;
}

}  // namespace

std::string Request_Path(const std::string& name) {
  std::string path;
  for (unsigned char c : name) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
                 c == '_' || c == '~' || c == '/';
    char code[4];
    std::snprintf(code, sizeof code, "%%%02X", c);
    path += plain ? std::string(1, static_cast<char>(c)) : std::string(code);
  }
  return path;
}

const char* Server_Host() {
  if (server_host.empty()) Read_Server_Setting();
  return server_host.c_str();
}

int Server_Port() {
  if (server_host.empty()) Read_Server_Setting();
  return server_port;
}

int Init_Network() {
  Read_Server_Setting();
  if (SDLNet_Init() < 0) {
    std::printf("Error initializing network.\n");
    return 1;
  }
  auto job = Start_Resolve(Server_Host(), Server_Port());
  if (!Resolved_By(*job, Connect_Deadline())) {
    std::printf("Cannot connect to %s.\n", Server_Host());
    return 2;
  }
  return 0;
}

void Close_Network() { SDLNet_Quit(); }

int Http_Get(const char* resource, const char* out_path) {
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(http_transfer_limit_ms);
  TCPsocket socket = Open_Connection();
  http_last_connected = socket != nullptr;
  if (!socket) return 0;
  if (!Send_Request(socket, resource)) {
    SDLNet_TCP_Close(socket);
    return 0;
  }
  SDLNet_SocketSet set = SDLNet_AllocSocketSet(1);
  int ok = 0;
  std::string body;
  bool keep = out_path && *out_path;
  if (set) {
    SDLNet_TCP_AddSocket(set, socket);
    Receiver in = {socket, set, deadline};
    ok = Read_Response(in, keep, &body);
    SDLNet_FreeSocketSet(set);
  }
  SDLNet_TCP_Close(socket);
  if (ok && keep) ok = Write_File_Atomic(out_path, body.data(), body.size());
  return ok;
}
