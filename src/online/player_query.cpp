#include "online/player_query.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool Is_Plain(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

}  // namespace

int Player_Query_Value(const char* name, const char* prefix, int replace_question, char* out, size_t out_size) {
  size_t length = std::strlen(name);
  if (length < 3 || length > 40) return 0;
  std::string value = prefix;
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c == ' ' || c == '&' || (c == '?' && replace_question)) {
      value += '_';
    } else if (Is_Plain(c)) {
      value += static_cast<char>(c);
    } else {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", c);
      value += code;
    }
  }
  if (value.size() >= out_size) return 0;
  std::memcpy(out, value.c_str(), value.size() + 1);
  return 1;
}
