// Every generated picture and sound keeps the bytes its digest table records, so that any
// change to the art or sound generators shows here.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include "support/files.h"

namespace {

const std::string kRenew =
    "after a deliberate change to the pictures or sounds, renew the table: "
    "tools/asset-digests.sh build/release/run > tests/tools/asset_digests.txt";

// Path -> digest of `sha256sum` lines.
std::map<std::string, std::string> Digests(const std::string& lines) {
  std::map<std::string, std::string> by_path;
  std::istringstream in(lines);
  std::string digest, path;
  while (in >> digest >> path) by_path[path] = digest;
  return by_path;
}

std::string Command_Output(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return out;
}

TEST(GeneratedAssets, MatchTheirDigestTable) {
  const std::string source = VR_TEST_SOURCE_DIR;
  auto want = Digests(Read_File(source + "/tests/tools/asset_digests.txt"));
  auto got = Digests(Command_Output(source + "/tools/asset-digests.sh " + VR_TEST_RUN_DIR));
  SCOPED_TRACE(kRenew);
  ASSERT_GT(want.size(), 500u);
  for (const auto& [path, digest] : want) EXPECT_EQ(got[path], digest) << path;
  for (const auto& [path, digest] : got) EXPECT_EQ(want.count(path), 1u) << path << " is not in the table";
}

}  // namespace
