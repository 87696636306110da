// The floors of the code: the source tree keeps them, and the checker finds each way to break them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/temp_dir.h"

namespace {

struct CheckRun {
  int status;
  std::string output;
};

CheckRun Check_Layers(const std::string& root) {
  const std::string command = "python3 " VR_TEST_SOURCE_DIR "/tools/check_layers.py '" + root + "' 2>&1";
  CheckRun run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) run.output += buffer;
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(Layers, TheSourceTreeIncludesOnlyDownwards) {
  const CheckRun run = Check_Layers(VR_TEST_SOURCE_DIR);
  EXPECT_EQ(run.status, 0) << run.output;
}

TEST(Layers, EveryWayUpIsNamedWithFileAndLine) {
  struct Case {
    const char* path;
    const char* text;
    const char* fault;  // empty: the tree stays clean
  };
  const std::vector<Case> cases = {
      {"src/high/h.cpp", "#include \"high/h.h\"\n#include \"mid/m.h\"\n#include \"low/l.h\"\n#include <vector>\n", ""},
      {"src/low/x.cpp", "// x\n#include \"low/l.h\"\n#include \"high/h.h\"\n",
       "src/low/x.cpp:3: src/low includes src/high/h.h, which is above it"},
      {"src/mid/x.cpp", "#include \"side/s.h\"\n", "src/mid/x.cpp:1: src/mid includes src/side/s.h, which is on its own floor"},
      {"src/mid/deep/x.cpp", "#include \"../m.h\"\n#include \"../../high/h.h\"\n",
       "src/mid/deep/x.cpp:2: src/mid includes src/high/h.h, which is above it"},
      {"server/x.cpp", "#include \"low/l.h\"\n#include \"mid/m.h\"\n",
       "server/x.cpp:2: server includes src/mid/m.h, which is above it"},
      {"tools/t/x.cpp", "#include \"high/h.h\"\n#include \"server.h\"\n", ""},
      {"src/high/x.cpp", "extern \"C\" int Entry() { return 0; }\nextern int Lap_Count(int track);\n",
       "src/high/x.cpp:2: local extern declaration"},
      {"src/high/x.h", "extern int laps;\nextern void (*hook)(int);\nextern void Draw_Laps(int x);\n",
       "src/high/x.h:3: extern function declaration"},
      {"src/stray/x.cpp", "int x;\n", "src/stray/x.cpp: its folder is on no floor"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ScopedTempDir dir;
    Write_File("src/layers.txt", "# floors\nsrc/low\nserver\nsrc/mid src/side  # one floor\n\nsrc/high\nsrc tools\n");
    for (const char* header : {"src/low/l.h", "src/mid/m.h", "src/side/s.h", "src/high/h.h", "server/server.h"})
      Write_File(header, "#pragma once\n");
    Write_File(c.path, c.text);
    const CheckRun run = Check_Layers(dir.path());
    EXPECT_EQ(run.status, *c.fault ? 1 : 0) << run.output;
    if (*c.fault) {
      EXPECT_NE(run.output.find(c.fault), std::string::npos) << run.output;
    }
  }
}

}  // namespace
