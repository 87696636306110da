// A scripted attacker against the web service on loopback, bounded in count and time: slow
// headers and bodies, other methods, many connections from one address while another is
// served, write floods, a proxy's forwarded addresses and slow readers of a big file.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "client_address.h"
#include "write_limit.h"
#include "service.h"
#include "shelves.h"
#include "support/raw_http.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

class AttackTest : public ::testing::Test {
 protected:
  void Start() {
    ASSERT_EQ(service_.Open(dir_.path() + "/data"), 1);
    port_ = service_.Start("127.0.0.1", 0);
    ASSERT_GT(port_, 0);
  }
  void TearDown() override { service_.Stop(); }

  ScopedTempDir dir_;
  Service service_;
  int port_ = 0;
};

long Resident_Kib() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, 6, "VmRSS:") == 0) return std::atol(line.c_str() + 6);
  return -1;
}

}  // namespace

TEST_F(AttackTest, OnlyGetAndHeadWithoutABodyAreServedAndNothingElseIsRead) {
  Start();
  struct Case {
    std::string request;
    int status;
  } cases[] = {
      {"POST /VantoRello/ohs.php HTTP/1.1\nHost: x\nContent-Length: 100000000\n\nx", 405},
      {"PUT /VantoRello/highscore.txt HTTP/1.1\nHost: x\nContent-Length: 5\n\n", 405},
      {"DELETE /VantoRello/highscore.txt HTTP/1.1\nHost: x\n\n", 405},
      {"OPTIONS * HTTP/1.1\nHost: x\n\n", 405},
      {Get_Request("highscore.txt", "Content-Length: 100000000\n") + "x", 400},
      {Get_Request("highscore.txt", "Transfer-Encoding: chunked\n") + "5\r\n", 400},
      {Get_Request("highscore.txt", "X-Padding: " + std::string(20000, 'p') + "\n"), 431},
      {"HEAD /VantoRello/highscore.txt HTTP/1.1\nHost: x\n\n", 200},
      {Get_Request("highscore.txt", "User-Agent: VantoRello\n"), 200},  // the game's request
  };
  for (const Case& c : cases) {
    // The answer comes at once and the connection closes although the body never arrives.
    std::string answer = Exchange_From("127.0.0.2", port_, c.request);
    EXPECT_EQ(Status_Of(answer), c.status) << c.request.substr(0, 40);
    EXPECT_EQ(answer.find("<still open>"), std::string::npos) << c.request.substr(0, 40);
    bool get = c.request.compare(0, 4, "GET ") == 0 && c.status == 200;
    EXPECT_EQ(answer.find("\r\n\r\n#VantoRello") != std::string::npos, get) << "only a GET carries the leaderboard";
    if (c.status == 405) {
      EXPECT_NE(answer.find("Allow: GET, HEAD"), std::string::npos);
    }
  }
}

// One address trickles headers over many connections; the service keeps a few of them until
// the deadline cuts them, and serves another address all the while.
TEST_F(AttackTest, OneAddressTricklingHeadersShutsOutNobody) {
  service_.limits.connections_per_address = 8;
  service_.limits.request_deadline_ms = 2000;
  Start();
  const int kAttackers = 60;
  std::vector<int> attack;
  for (int i = 0; i < kAttackers; ++i) {
    int fd = Connect_From("127.0.0.2", port_);
    if (fd >= 0) Send(fd, "GET /VantoRello/highscore.txt HTTP/1.1\nHo");
    attack.push_back(fd);
  }
  // Connections over the limit are closed as the service's threads accept them, which under
  // load can lag behind the connects; let them settle (well within the deadline) before counting.
  auto still_open = [&attack] {
    std::vector<int> open;
    for (int fd : attack) {
      pollfd wait = {fd, POLLIN, 0};
      if (fd >= 0 && poll(&wait, 1, 0) == 0) open.push_back(fd);
    }
    return open;
  };
  Clock::time_point settle = Clock::now();
  while (still_open().size() > 8 && Clock::now() - settle < std::chrono::milliseconds(1000))
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  int served = 0;
  for (int i = 0; i < 20; ++i) served += Status_Of(Exchange_From("127.0.0.3", port_, Get_Request("highscore.txt"))) == 200;
  EXPECT_EQ(served, 20);
  std::vector<int> held = still_open();
  EXPECT_LE(held.size(), 8u);
  EXPECT_GE(held.size(), 1u);
  // The held ones trickle on, one byte each 200 ms, until the deadline cuts them.
  Clock::time_point start = Clock::now();
  size_t cut = 0;
  while (cut < held.size() && Clock::now() - start < std::chrono::seconds(6)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    cut = 0;
    for (int fd : held) {
      Send(fd, "s");
      char byte;
      pollfd wait = {fd, POLLIN, 0};
      cut += poll(&wait, 1, 0) > 0 && recv(fd, &byte, 1, MSG_PEEK) <= 0;
    }
  }
  EXPECT_EQ(cut, held.size());
  EXPECT_EQ(service_.guard.cut_count(), static_cast<long>(held.size()));
  for (int fd : attack)
    if (fd >= 0) close(fd);
}

TEST_F(AttackTest, WritesAreLimitedPerClientAddressAlsoBehindAProxy) {
  service_.write_limit.per_minute = 30;
  service_.limits.trusted_proxies = {"127.0.0.6"};
  Start();
  const std::string write = Get_Request("updatelog.php?player=Anna&os=3");
  Clock::time_point start = Clock::now();
  int accepted = 0, limited = 0;
  for (int i = 0; i < 40; ++i) {
    std::string answer = Exchange_From("127.0.0.4", port_, write);
    accepted += Status_Of(answer) == 200;
    limited += Status_Of(answer) == 429 && answer.find("Retry-After: ") != std::string::npos;
  }
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("Write limit: 40 writes from one address in %.3f s: %d stored, %d answered 429\n", seconds, accepted,
              limited);
  EXPECT_EQ(accepted, 30);
  EXPECT_EQ(limited, 10);
  EXPECT_EQ(Status_Of(Exchange_From("127.0.0.5", port_, write)), 200);
  EXPECT_EQ(Status_Of(Exchange_From("127.0.0.4", port_, Get_Request("highscore.txt"))), 200);  // reads go on

  // Behind the trusted proxy each forwarded client has its own budget; an untrusted peer's
  // forwarded address is its own invention and counts against the peer.
  auto forwarded_write = [this](const char* peer, const char* forwarded) {
    std::string header = std::string("X-Forwarded-For: ") + forwarded + "\n";
    return Status_Of(Exchange_From(peer, port_, Get_Request("updatelog.php?player=Anna&os=3", header)));
  };
  for (int i = 0; i < 30; ++i) ASSERT_EQ(forwarded_write("127.0.0.6", "198.51.100.1, 203.0.113.7"), 200);
  EXPECT_EQ(forwarded_write("127.0.0.6", "203.0.113.7"), 429);
  EXPECT_EQ(forwarded_write("127.0.0.6", "203.0.113.8"), 200);
  EXPECT_EQ(forwarded_write("127.0.0.4", "203.0.113.9"), 429);
}

TEST(ClientAddress, TakesForwardedAddressesOnlyFromTrustedProxies) {
  const std::vector<std::string> proxies = {"10.0.0.1", "10.0.0.2"};
  struct Case {
    const char* peer;
    const char* forwarded;
    const char* client;
  } cases[] = {
      {"192.0.2.5", "203.0.113.7", "192.0.2.5"},                    // not a proxy: header ignored
      {"10.0.0.1", "", "10.0.0.1"},                                  // proxy without header
      {"10.0.0.1", "203.0.113.7", "203.0.113.7"},
      {"10.0.0.1", "1.1.1.1, 203.0.113.7", "203.0.113.7"},          // left entries are the client's own
      {"10.0.0.1", "203.0.113.7, 10.0.0.2", "203.0.113.7"},         // a chain of trusted proxies
      {"10.0.0.1", "203.0.113.7,garbage", "10.0.0.1"},              // nothing usable
      {"10.0.0.1", " 2001:DB8::1 ", "2001:db8::1"},
      {"10.0.0.1", "10.0.0.2", "10.0.0.1"},
      {"10.0.0.1", "203.0.113.7, ", "10.0.0.1"},                    // an empty entry
      {"10.0.0.1", "10.0.0.1,10.0.0.2", "10.0.0.1"},                // proxies only
  };
  for (const Case& c : cases)
    EXPECT_EQ(Client_Address(c.peer, c.forwarded, proxies), c.client) << c.peer << " / " << c.forwarded;

  sockaddr_in6 v6 = {};
  v6.sin6_family = AF_INET6;
  v6.sin6_addr = in6addr_loopback;
  sockaddr other = {};
  other.sa_family = AF_UNIX;
  EXPECT_EQ(Address_Text(reinterpret_cast<sockaddr*>(&v6)), "::1");
  EXPECT_EQ(Address_Text(&other), "");
  EXPECT_EQ(Address_Text(nullptr), "");
  EXPECT_EQ(Canonical_Address("2001:DB8:0:0::1"), "2001:db8::1");
}

// A budget of writes per address refills evenly; while the table is full of addresses that
// owe writes, a new address waits a minute.
TEST(WriteLimit, SpendsAndRefillsEachAddressBudget) {
  Write_Limit limit;
  limit.per_minute = 2;  // one write every 30 s
  limit.most_addresses = 2;
  const struct {
    const char* address;
    double now;
    int allowed, wait;
  } steps[] = {
      {"a", 0, 1, -1},  {"a", 0, 1, -1},  {"a", 1.5, 0, 29}, {"a", 40, 1, -1},
      {"b", 40, 1, -1}, {"c", 40, 0, 60}, {"c", 200, 1, -1},  // a and b are full again and forgotten
  };
  for (const auto& step : steps) {
    int wait = -1;
    EXPECT_EQ(limit.Allow(step.address, step.now, &wait), step.allowed) << step.address << " at " << step.now;
    EXPECT_EQ(wait, step.wait) << step.address << " at " << step.now;
  }
  limit.per_minute = 0;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(limit.Allow("a", 200), 1);
}

// Files are sent from their descriptor: readers that stall do not each cost a copy.
TEST_F(AttackTest, SlowReadersOfABigFileDoNotGrowMemory) {
  service_.limits.connections_per_address = 64;
  std::string source = dir_.path() + "/release-src";
  std::filesystem::create_directories(source + "/SFX");
  std::ofstream(source + "/SFX/big.ogg", std::ios::binary) << std::string(8 << 20, 'o');
  ASSERT_EQ(Publish_Release(dir_.path() + "/data", source, "3.99"), 1);
  Start();
  long before = Resident_Kib();
  std::vector<int> readers;
  for (int i = 0; i < 24; ++i) {
    int fd = Connect_From("127.0.0.2", port_);
    ASSERT_GE(fd, 0);
    Send(fd, Get_Request("SFX/big.ogg"));
    char block[16384];
    pollfd wait = {fd, POLLIN, 0};
    ASSERT_GT(poll(&wait, 1, 3000), 0);
    EXPECT_GT(recv(fd, block, sizeof block, 0), 0);
    readers.push_back(fd);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  long grown = Resident_Kib() - before;
  std::printf("24 stalled readers of an 8 MB file: resident memory grew by %ld KiB\n", grown);
  EXPECT_LT(grown, 24 * 1024);  // a copy each would be 192 MiB
  for (int fd : readers) close(fd);
}
