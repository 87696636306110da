// The service program's command line: every command and option, good and bad, and a serving
// run stopped by SIGTERM.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/script_server.h"
#include "support/temp_dir.h"

namespace {

struct Run_Result {
  int exit_code;
  std::string output;  // stdout and stderr together
};

Run_Result Run_Shell(const std::string& command) {
  Run_Result result = {-1, ""};
  FILE* pipe = popen(("(" + command + ") 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
  int status = pclose(pipe);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

const std::string kService = VR_TEST_SERVICE_EXE;

TEST(ServiceProgram, EveryCommandAndOptionIsCheckedBeforeAnythingIsServed) {
  ScopedTempDir dir;
  Script_Server taken(nullptr);
  const std::string data = dir.path() + "/data", port = " --port " + std::to_string(taken.port());
  const std::string nowhere = "'postgres:///none?host=/proc/no-such'";  // a socket folder that cannot exist
  const struct {
    std::string args;
    int exit_code;
    const char* says;
  } cases[] = {
      {"--help", 0, "usage: vantorello-service DATA_DIR"},
      {"", 2, "usage:"},
      {"-x", 2, "usage:"},
      {data + " --port 0", 2, "Bad value for --port: 0"},
      {data + " --port 65536", 2, "Bad value for --port: 65536"},
      {data + " --port 80a", 2, "Bad value for --port: 80a"},
      {data + " --port 1234567890", 2, "Bad value for --port"},
      {data + " --host 127.0.0.1 --port", 2, "Bad value for --port: (missing)"},
      {data + " --listen 80", 2, "Unknown option --listen"},
      {data + " --trusted-proxy example.org", 2, "Bad value for --trusted-proxy"},
      {data + " --trusted-proxy", 2, "Bad value for --trusted-proxy: (missing)"},
      {data + " --connections-per-address 0", 2, "Bad value for --connections-per-address"},
      {data + " --writes-per-minute -1", 2, "Bad value for --writes-per-minute"},
      {data + " --keep-round-days 0", 2, "Bad value for --keep-round-days"},
      {data + " --keep-update-log x", 2, "Bad value for --keep-update-log"},
      {data + " --import-sqlite", 2, ""},
      {data + " --import-sqlite old.db --port 99999", 2, "Bad value for --port"},
      {data + " --import-sqlite old.db", 2, "--import-sqlite needs --database postgresql://"},
      {data + " --import-sqlite old.db --database sqlite:x.db", 2, "needs --database postgresql://"},
      {data + " --import-sqlite missing.db --database postgresql:///none", 1, "Cannot open missing.db"},
      {data + " --publish-release only-a-folder", 2, "usage:"},
      {data + " --publish-track", 2, "usage:"},
      {data + " --publish-track missing.TRK", 1, ""},
      {data + " --seed " VR_TEST_RUN_DIR, 0, "Published"},
      {data + " --import-sqlite " + data + "/service.db --database " + nowhere, 1, "Cannot use the database"},
      {data + " --database " + nowhere, 1, "Cannot use the database"},
      {data + " --database mysql://example.org/x", 1, "Cannot open the data directory"},
      {"/proc/no-such/data --seed " VR_TEST_RUN_DIR, 1, "Cannot open the data directory /proc/no-such/data"},
      {data + " --database sqlite:/proc/no-such/x.db", 1, "Cannot open the data directory"},
      {data + " --host 127.0.0.1" + port, 1, "Cannot listen on 127.0.0.1:"},
  };
  for (const auto& c : cases) {
    Run_Result run = Run_Shell("timeout 10 " + kService + " " + c.args);  // 124 if it wrongly serves
    EXPECT_EQ(run.exit_code, c.exit_code) << c.args << "\n" << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << c.args << "\n" << run.output;
  }
}

// Serves with every option set until SIGTERM, then ends with 0.
TEST(ServiceProgram, ServesUntilTerminated) {
  ScopedTempDir dir;
  int port = Closed_Port();
  Run_Result run = Run_Shell(
      kService + " data --database sqlite:results.db --host 127.0.0.1 --port " + std::to_string(port) +
      " --connections-per-address 4 --trusted-proxy 127.0.0.2 --writes-per-minute 0 --keep-round-days 3"
      " --keep-update-log 100 >out.txt & pid=$!;"
      " for i in $(seq 100); do grep -q Serving out.txt && break; sleep 0.1; done;"
      " kill -TERM $pid; wait $pid; echo \"exit $?\"; cat out.txt");
  EXPECT_NE(run.output.find("exit 0\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Warning: 0 of 12 tournament tracks are published"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Serving data on http://127.0.0.1:" + std::to_string(port) + "/VantoRello/"),
            std::string::npos)
      << run.output;
}

}  // namespace
