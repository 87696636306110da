#pragma once
// A game object in the run directory with a plain straight road of a chosen lap length.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/state/game.h"
#include "road/road.h"

class RaceFixture : public ::testing::Test {
 protected:
  Game* game = nullptr;

  void SetUp() override {
    old_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(VR_TEST_RUN_DIR);
    customTrack = 0;
    theGame = game = new Game();
  }
  void TearDown() override {
    delete theGame;
    theGame = game = nullptr;
    customTrack = 0;
    std::filesystem::current_path(old_dir_);
  }

  // A flat straight of five lanes whose lap is `length` position units (a multiple of 100).
  road::Road* Straight_Road(int length) {
    delete game->road;
    road::Road* r = game->road = new road::Road(game->camera);
    r->setup(640, 480, 250, 100);
    r->add_sector(5, 0, 0, length / 100 + 121);
    r->add_sector(5, 0, 0, 0);
    r->lateral += 350;
    r->set_vehicles(&game->vehicles);
    return r;
  }

 private:
  std::filesystem::path old_dir_;
};
