#pragma once
// The player's name as a query value of the web service's scripts.
#include <cstddef>

// Accepts a name of 3 to 40 bytes (returns 0 otherwise: nothing is to be sent). Writes
// `prefix` (the platform digit, or "") and the name with each space and "&" as "_", also
// "?" when `replace_question` is set, and percent-encodes every other byte that is not a
// letter, digit, "-", ".", "_" or "~", so the name can never change the request.
int Player_Query_Value(const char* name, const char* prefix, int replace_question, char* out, size_t out_size);
