#pragma once
#include <cstdint>

// Number of blocks the global operator new has handed out so far (for allocation counts).
uint64_t Allocation_Count();
