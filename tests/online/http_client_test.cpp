// The HTTP client against scripted servers on 127.0.0.1.
#include <SDL/SDL_net.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "online/network.h"
#include "support/files.h"
#include "support/script_server.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

bool Exists(const char* path) { return std::ifstream(path).good(); }

size_t Thread_Count() {
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) count += entry.exists();
  return count;
}

// True when within a second the process runs no more threads than `most` (a helper that
// has finished its work may still be on its way out).
bool Threads_Settle_To(size_t most) {
  for (int wait = 0; wait < 100 && Thread_Count() > most; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return Thread_Count() <= most;
}

// Points the client at a server and starts the network for one test.
class HttpClient : public ::testing::Test {
 protected:
  void Use(const Script_Server& server) {
    std::string where = "127.0.0.1:" + std::to_string(server.port());
    setenv("VANTORELLO_SERVER", where.c_str(), 1);
    ASSERT_EQ(Init_Network(), 0);
  }
  void TearDown() override {
    Close_Network();
    unsetenv("VANTORELLO_SERVER");
  }
  ScopedTempDir dir_;
};

Script_Server::Script Answer_With(const std::string& bytes) {
  return [bytes](Script_Server&, int fd, const std::string&) { Script_Server::Send_All(fd, bytes); };
}

double Seconds_Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

TEST_F(HttpClient, SendsExactlyThreeLinesAndABlankLine) {
  Script_Server server(Answer_With(Http_Answer(200, "")));
  Use(server);
  ASSERT_EQ(Http_Get("ots.php?player=3Ann&track=2&score=1234", ""), 1);
  EXPECT_EQ(server.Last_Request(),
            "GET /VantoRello/ots.php?player=3Ann&track=2&score=1234 HTTP/1.1\n"
            "Host: 127.0.0.1\n"
            "User-Agent: VantoRello\n"
            "\n");
}

TEST_F(HttpClient, FailedAnswersLeaveTheOldFileAlone) {
  struct Case {
    const char* what;
    std::string answer;
  };
  const Case cases[] = {
      {"404", Http_Answer(404, "<html>not found</html>")},
      {"500", Http_Answer(500, "<html>error</html>")},
      {"no status line", "<html>hello</html>\r\n\r\nbody"},
      {"cut short", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly this"},
      {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n"},
      {"header never ends", "HTTP/1.1 200 OK\r\nX: y\r\n"},
      {"nothing", ""},
  };
  for (const Case& c : cases) {
    Script_Server server(Answer_With(c.answer));
    Use(server);
    Write_File("HighScore.txt", "old contents");
    EXPECT_EQ(Http_Get("highscore.txt", "HighScore.txt"), 0) << c.what;
    EXPECT_EQ(Read_File("HighScore.txt"), "old contents") << c.what;
    EXPECT_EQ(Http_Get("ohs.php?player=3Ann&score=1", ""), 0) << c.what;
    Close_Network();
  }
  // No server at all: the connection is refused.
  setenv("VANTORELLO_SERVER", ("127.0.0.1:" + std::to_string(Closed_Port())).c_str(), 1);
  ASSERT_EQ(Init_Network(), 0);
  EXPECT_EQ(Http_Get("highscore.txt", "HighScore.txt"), 0);
  EXPECT_EQ(Read_File("HighScore.txt"), "old contents");
}

// The body is stored without the header, whole in every cut. A server that keeps the
// connection open is done when the announced length arrived, one without a length when it
// closes. Also an empty body makes a file, and an answer read for nothing makes none.
TEST_F(HttpClient, StoresTheBodyWithoutTheHeader) {
  std::string alphabet(5000, 'b');
  for (size_t i = 0; i < alphabet.size(); ++i) alphabet[i] = static_cast<char>('a' + i % 26);
  struct Case {
    const char* what;
    std::string body;
    size_t piece;  // bytes per send, the header included
    bool length;   // announced, the connection held open; else closed after the body
  };
  const Case cases[] = {
      {"one block", "#VantoRello\nline\n", 4096, true},
      {"many blocks in small pieces", std::string(3000, 'k'), 700, true},
      {"the header in pieces of seven", alphabet, 7, true},
      {"an empty body", "", 4096, true},
      {"no length, closed by the server", "#VantoRello\nline\n", 4096, false},
  };
  for (const Case& c : cases) {
    Script_Server server([c](Script_Server&, int fd, const std::string&) {
      std::string length = c.length ? "Content-Length: " + std::to_string(c.body.size()) + "\r\n" : "";
      std::string answer = "HTTP/1.1 200 OK\r\n" + length + "\r\n" + c.body;
      for (size_t at = 0; at < answer.size(); at += c.piece) {
        Script_Server::Send_All(fd, answer.substr(at, c.piece));
        if (at < 100 && c.piece < 100) std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      // Held open until the client closes its end (at most ten seconds).
      pollfd closed = {fd, POLLIN, 0};
      if (c.length) poll(&closed, 1, 10000);
    });
    Use(server);
    Clock::time_point start = Clock::now();
    EXPECT_EQ(Http_Get("highscore.txt", "out.txt"), 1) << c.what;
    EXPECT_TRUE(Exists("out.txt")) << c.what;
    EXPECT_EQ(Read_File("out.txt"), c.body) << c.what;
    std::remove("out.txt");
    EXPECT_EQ(Http_Get("highscore.txt", ""), 1) << c.what;  // the body is read and dropped
    EXPECT_FALSE(Exists("out.txt") || Exists("highscore.txt")) << c.what;
    EXPECT_LT(Seconds_Since(start), http_receive_limit_ms / 1000.0) << c.what;
    Close_Network();
  }
}

// A server that stalls fails the request after the limit for its kind of stall, not before,
// and leaves the old file.
TEST_F(HttpClient, StalledServersFailWithinTheirLimit) {
  Script_Server silent([](Script_Server& server, int, const std::string&) { server.Hold(); });
  Script_Server open([](Script_Server& server, int fd, const std::string&) {
    Script_Server::Send_All(fd, "HTTP/1.1 200 OK\r\n\r\nbody");
    server.Hold();
  });
  Script_Server trickle([](Script_Server& server, int fd, const std::string&) {
    Script_Server::Send_All(fd, "HTTP/1.1 200 OK\r\n\r\n");
    for (int i = 0; i < 200 && Script_Server::Send_All(fd, "x"); ++i) server.Hold(100);
  });
  Script_Server full(nullptr, true);
  const struct {
    const char* what;
    Script_Server* server;
    int limit_ms, least_ms;
  } cases[] = {
      {"silent", &silent, http_receive_limit_ms, http_receive_limit_ms},
      {"answers and stays open", &open, http_receive_limit_ms, http_receive_limit_ms},
      {"trickles", &trickle, http_transfer_limit_ms, http_transfer_limit_ms},
      {"never accepts", &full, http_connect_limit_ms, 0},
  };
  for (const auto& c : cases) {
    size_t threads = Thread_Count();
    Use(*c.server);
    Write_File("out.txt", "old");
    Clock::time_point start = Clock::now();
    EXPECT_EQ(Http_Get("highscore.txt", "out.txt"), 0) << c.what;
    double waited = Seconds_Since(start);
    EXPECT_GE(waited, c.least_ms / 1000.0 - 0.1) << c.what;
    EXPECT_LE(waited, c.limit_ms / 1000.0 + 1.5) << c.what;
    EXPECT_EQ(Read_File("out.txt"), "old") << c.what;
    // Nothing of the request goes on in the background: a connect left running inside
    // SDL_net could wake while the program exits and call into unloaded libraries.
    if (c.server == &full) {
      EXPECT_TRUE(Threads_Settle_To(threads)) << Thread_Count() << " threads, before " << threads;
    }
    Close_Network();
  }
}

TEST(ServerSetting, EnvironmentOverridesHostAndPort) {
  unsetenv("VANTORELLO_SERVER");
  Init_Network();
  EXPECT_STREQ(Server_Host(), kServerHost);
  EXPECT_EQ(Server_Port(), kServerPort);
  Close_Network();
  setenv("VANTORELLO_SERVER", "127.0.0.1", 1);
  EXPECT_EQ(Init_Network(), 0);
  EXPECT_STREQ(Server_Host(), "127.0.0.1");
  EXPECT_EQ(Server_Port(), kServerPort);
  Close_Network();
  setenv("VANTORELLO_SERVER", "localhost:9123", 1);
  EXPECT_EQ(Init_Network(), 0);
  EXPECT_STREQ(Server_Host(), "localhost");
  EXPECT_EQ(Server_Port(), 9123);
  Close_Network();
  unsetenv("VANTORELLO_SERVER");
}
