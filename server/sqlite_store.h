#pragma once
// The service's default database: one SQLite file in the data folder, one connection shared
// by the worker threads under a lock, every statement prepared once.
#include <memory>
#include <string>

#include "store_backend.h"

// Opens or creates the database and brings its schema up to date (a file written by an older
// service keeps its results: only each player's best survives). Null when it cannot.
std::unique_ptr<Store_Backend> Open_Sqlite_Store(const std::string& path);
