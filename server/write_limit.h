#pragma once
// How often one client address may write (submit a result, log an update): a budget of
// `per_minute` writes that refills evenly over a minute. Addresses whose budget is full
// again are forgotten, so the table holds only recent writers.
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

class Write_Limit {
 public:
  // 1 when `address` may write at `now` (seconds on a steady clock) and spends one write;
  // else 0 and, when `wait` is given, the whole seconds until it may write again.
  int Allow(const std::string& address, double now, int* wait = nullptr);

  int per_minute = 30;  // 0: no limit
  size_t most_addresses = 100000;  // when this many are owed writes, new addresses wait too

 private:
  struct Budget {
    double writes;
    double updated;
  };
  double Refilled(const Budget& budget, double now) const;
  void Forget_Full(double now);

  std::mutex lock_;
  std::unordered_map<std::string, Budget> budgets_;
  double swept_ = 0;
};
