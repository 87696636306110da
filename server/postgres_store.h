#pragma once
// The service's database when one machine is not enough: PostgreSQL through libpq, shared by
// any number of service instances. A lost connection is retried with back-off; meanwhile
// every call fails at once and the backend reports itself unavailable.
#include <memory>
#include <string>

#include "store_backend.h"

// Connects with a libpq connection string and brings the schema up to date; null (after
// printing why) when the database cannot be reached or upgraded.
std::unique_ptr<Store_Backend> Open_Postgres_Store(const std::string& conninfo);

// Copies the results, round results and update log of an SQLite store into an empty
// PostgreSQL database in one transaction; 1 on success, else prints why.
int Import_Sqlite_Store(const std::string& sqlite_path, const std::string& conninfo);
