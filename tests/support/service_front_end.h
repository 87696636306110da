#pragma once
// A front-end test with the game's web service on a free port of 127.0.0.1 and the game's
// client pointed at it.
#include <cstdlib>
#include <string>

#include "frontend/graphics/player_name.h"
#include "service.h"
#include "support/front_end.h"

// Points the game's client at 127.0.0.1:`port`.
inline void Point_At(int port) { setenv("VANTORELLO_SERVER", ("127.0.0.1:" + std::to_string(port)).c_str(), 1); }

class ServiceFrontEndTest : public FrontEndTest {
 public:
  void SetUp() override {
    FrontEndTest::SetUp();
    ASSERT_EQ(service.Open("service-data"), 1);
    port = service.Start("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    Point_At(port);
  }
  void TearDown() override {
    service.Stop();
    unsetenv("VANTORELLO_SERVER");
    Reload_Player_Name();
    FrontEndTest::TearDown();
  }

  Service service;
  int port = 0;
};
