#pragma once
// Answers a hostile or broken web server gives, each a script for Script_Server, and the
// run of a game screen against every one of them.
#include <functional>
#include <string>
#include <vector>

#include "support/script_server.h"

struct Hostile_Answer {
  const char* name;
  Script_Server::Script script;
};

// Never answering, never closing, trickling, a megabyte without a line end, a header without
// its body, 404, 500, a redirect, garbage, a body beyond 100 MB.
std::vector<Hostile_Answer> Hostile_Answers();

// Short time limits for the client so that the whole table runs in seconds; restores the
// old ones when it goes out of scope.
struct Short_Http_Limits {
  int connect, receive, transfer;
  Short_Http_Limits();
  ~Short_Http_Limits();
};

// The longest a screen may take to give up on a server under Short_Http_Limits, in seconds,
// with room for a loaded machine and the sanitizers.
double Hostile_Time_Limit();
