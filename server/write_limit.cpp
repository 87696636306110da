#include "write_limit.h"

#include <algorithm>
#include <cmath>

double Write_Limit::Refilled(const Budget& budget, double now) const {
  return std::min<double>(per_minute, budget.writes + (now - budget.updated) * per_minute / 60.0);
}

void Write_Limit::Forget_Full(double now) {
  for (auto it = budgets_.begin(); it != budgets_.end();)
    it = Refilled(it->second, now) >= per_minute ? budgets_.erase(it) : std::next(it);
  swept_ = now;
}

int Write_Limit::Allow(const std::string& address, double now, int* wait) {
  if (per_minute <= 0) return 1;
  std::lock_guard<std::mutex> hold(lock_);
  if (now - swept_ > 60 || budgets_.size() >= most_addresses) Forget_Full(now);
  auto found = budgets_.find(address);
  if (found == budgets_.end()) {
    if (budgets_.size() >= most_addresses) {
      if (wait) *wait = 60;
      return 0;
    }
    found = budgets_.emplace(address, Budget{static_cast<double>(per_minute), now}).first;
  }
  Budget& budget = found->second;
  budget.writes = Refilled(budget, now);
  budget.updated = now;
  if (budget.writes >= 1) {
    budget.writes -= 1;
    return 1;
  }
  if (wait) *wait = static_cast<int>(std::ceil((1 - budget.writes) * 60.0 / per_minute));
  return 0;
}
