#pragma once
// Sample content for a fresh service: the track files of a game run directory and a few
// tournament results of made-up drivers.
#include <string>

class Service;

// Publishes every ".TRK" of `run_dir`/GFX (the tournament tracks), `run_dir`/SAMPLES (the
// sample user tracks) and `run_dir`/TRK and, when the database holds no tournament yet,
// adds sample results; 1 on success.
int Seed_Service(Service& service, const std::string& run_dir);
