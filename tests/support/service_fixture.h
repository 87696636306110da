#pragma once
// The game's web service running on a free port of 127.0.0.1 with a fresh data directory,
// and the game's client pointed at it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "online/network.h"
#include "service.h"
#include "support/temp_dir.h"

class ServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data_dir_ = dir_.path() + "/data";
    ASSERT_EQ(service_.Open(data_dir_), 1);
    port_ = service_.Start("127.0.0.1", 0);
    ASSERT_GT(port_, 0);
    std::string where = "127.0.0.1:" + std::to_string(port_);
    setenv("VANTORELLO_SERVER", where.c_str(), 1);
    ASSERT_EQ(Init_Network(), 0);
  }
  void TearDown() override {
    Close_Network();
    service_.Stop();
    unsetenv("VANTORELLO_SERVER");
  }

  ScopedTempDir dir_;
  std::string data_dir_;
  Service service_;
  int port_ = 0;
};
