#include "support/raw_http.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

int Connect_From(const std::string& source, int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in from = {}, to = {};
  from.sin_family = to.sin_family = AF_INET;
  inet_pton(AF_INET, source.c_str(), &from.sin_addr);
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  to.sin_port = htons(static_cast<uint16_t>(port));
  if (bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0 ||
      connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

void Send(int fd, const std::string& bytes) { send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL); }

std::string Answer_Of(int fd, int ms) {
  using Clock = std::chrono::steady_clock;
  std::string answer;
  char block[4096];
  Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
    pollfd wait = {fd, POLLIN, 0};
    if (left <= 0 || poll(&wait, 1, left) <= 0) return answer + "<still open>";
    ssize_t got = recv(fd, block, sizeof block, 0);
    if (got <= 0) return answer;
    answer.append(block, static_cast<size_t>(got));
  }
}

std::string Exchange_From(const std::string& source, int port, const std::string& request) {
  int fd = Connect_From(source, port);
  if (fd < 0) return "no connection";
  Send(fd, request);
  std::string answer = Answer_Of(fd);
  close(fd);
  return answer;
}

std::string Get_Request(const std::string& resource, const std::string& extra_header) {
  return "GET /VantoRello/" + resource + " HTTP/1.1\nHost: localhost\n" + extra_header + "\n";
}

int Status_Of(const std::string& answer) {
  return answer.compare(0, 9, "HTTP/1.1 ") == 0 ? std::atoi(answer.c_str() + 9) : 0;
}

std::string Body_Of(const std::string& answer) {
  size_t end = answer.find("\r\n\r\n");
  return end == std::string::npos ? "" : answer.substr(end + 4);
}
