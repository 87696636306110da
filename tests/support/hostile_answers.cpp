#include "support/hostile_answers.h"

#include <random>

#include "online/network.h"

namespace {

Script_Server::Script Send_Then_Close(const std::string& bytes) {
  return [bytes](Script_Server&, int fd, const std::string&) { Script_Server::Send_All(fd, bytes); };
}

void Never_Answer(Script_Server& server, int, const std::string&) { server.Hold(); }

// No Content-Length: the body only ends when the server closes, which it never does.
void Never_Close(Script_Server& server, int fd, const std::string&) {
  Script_Server::Send_All(fd, "HTTP/1.1 200 OK\r\n\r\n#VantoRello\n3.99\n");
  server.Hold();
}

void Trickle(Script_Server& server, int fd, const std::string&) {
  std::string answer = Http_Answer(200, std::string(64, 'x'));
  for (char byte : answer) {
    if (!Script_Server::Send_All(fd, std::string(1, byte))) return;
    server.Hold(1000);
  }
}

void Huge_Body(Script_Server&, int fd, const std::string&) {
  if (!Script_Server::Send_All(fd, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n")) return;
  std::string block(1 << 20, 'z');
  for (int i = 0; i < 101; ++i)
    if (!Script_Server::Send_All(fd, block)) return;
}

std::string Garbage() {
  std::mt19937 random(12345);
  std::string bytes(4096, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

}  // namespace

std::vector<Hostile_Answer> Hostile_Answers() {
  return {
      {"never answers", Never_Answer},
      {"never closes", Never_Close},
      {"trickles a byte a second", Trickle},
      {"a megabyte without a line end", Send_Then_Close(std::string(1 << 20, 'A'))},
      {"a header without its body", Send_Then_Close("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n")},
      {"404", Send_Then_Close(Http_Answer(404, "<html><body>Not Found</body></html>"))},
      {"500", Send_Then_Close(Http_Answer(500, "<html><body>Internal Server Error</body></html>"))},
      {"a redirect", Send_Then_Close("HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:1/elsewhere\r\n"
                                     "Content-Length: 0\r\n\r\n")},
      {"garbage bytes", Send_Then_Close(Garbage())},
      {"a body beyond 100 MB", Huge_Body},
  };
}

Short_Http_Limits::Short_Http_Limits()
    : connect(http_connect_limit_ms), receive(http_receive_limit_ms), transfer(http_transfer_limit_ms) {
  http_connect_limit_ms = 800;
  http_receive_limit_ms = 800;
  http_transfer_limit_ms = 2500;
}

Short_Http_Limits::~Short_Http_Limits() {
  http_connect_limit_ms = connect;
  http_receive_limit_ms = receive;
  http_transfer_limit_ms = transfer;
}

double Hostile_Time_Limit() { return 2.5 + 3.0; }
