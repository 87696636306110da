#include "support/script_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace {

int Listen_On_Loopback(int backlog, int* port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, backlog) != 0) return -1;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  *port = ntohs(address.sin_port);
  return fd;
}

int Connect_Without_Waiting(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  fcntl(fd, F_SETFL, O_NONBLOCK);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  return fd;
}

// Reads until the blank line that ends a request, a pause of two seconds, or 64 KB.
std::string Read_Request(int fd) {
  std::string request;
  char block[4096];
  while (request.find("\n\n") == std::string::npos && request.find("\r\n\r\n") == std::string::npos &&
         request.size() < 65536) {
    pollfd wait = {fd, POLLIN, 0};
    if (poll(&wait, 1, 2000) <= 0) break;
    ssize_t got = recv(fd, block, sizeof block, 0);
    if (got <= 0) break;
    request.append(block, static_cast<size_t>(got));
  }
  return request;
}

}  // namespace

Script_Server::Script_Server(Script script, bool backlog_only) : script_(std::move(script)) {
  listener_ = Listen_On_Loopback(backlog_only ? 0 : 16, &port_);
  if (backlog_only) {
    // Fill the accept queue so the next handshake is never answered.
    for (int& filler : fillers_) filler = Connect_Without_Waiting(port_);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return;
  }
  thread_ = std::thread([this] { Serve(); });
}

Script_Server::~Script_Server() {
  stopping_ = true;
  shutdown(listener_, SHUT_RDWR);
  if (thread_.joinable()) thread_.join();
  close(listener_);
  for (int filler : fillers_)
    if (filler >= 0) close(filler);
}

void Script_Server::Serve() {
  while (!stopping_) {
    pollfd wait = {listener_, POLLIN, 0};
    if (poll(&wait, 1, 50) <= 0) continue;
    int fd = accept(listener_, nullptr, nullptr);
    if (fd < 0) continue;
    std::string request = Read_Request(fd);
    {
      std::lock_guard<std::mutex> hold(lock_);
      last_request_ = request;
    }
    script_(*this, fd, request);
    close(fd);
  }
}

std::string Script_Server::Last_Request() {
  std::lock_guard<std::mutex> hold(lock_);
  return last_request_;
}

void Script_Server::Hold(int max_ms) {
  for (int waited = 0; !stopping_ && waited < max_ms; waited += 10)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

bool Script_Server::Send_All(int fd, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

std::string Http_Answer(int status, const std::string& body) {
  return "HTTP/1.1 " + std::to_string(status) + " Status\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

int Closed_Port() {
  Script_Server gone(nullptr);
  return gone.port();
}
