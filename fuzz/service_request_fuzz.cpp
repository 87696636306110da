// Requests come from anyone: the service must answer every path and query without crashing,
// store only valid results and never serve a file outside what it published.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>

#include "service.h"

namespace {

std::string Decoded(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i] == '+' ? ' ' : text[i];
    }
  }
  return out;
}

Service& The_Service() {
  static Service* service = [] {
    Service* made = new Service;
    if (!made->Open("fuzz-service")) std::abort();
    return made;
  }();
  return *service;
}

}  // namespace

// The input is a request target below "/VantoRello/": path, "?", "&"-separated key=value.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string target(reinterpret_cast<const char*>(data), size);
  size_t question = target.find('?');
  std::string path = Decoded(target.substr(0, question));
  std::multimap<std::string, std::string> query;
  if (question != std::string::npos) {
    std::string rest = target.substr(question + 1);
    size_t start = 0;
    while (start <= rest.size()) {
      size_t end = rest.find('&', start);
      if (end == std::string::npos) end = rest.size();
      std::string pair = rest.substr(start, end - start);
      size_t equals = pair.find('=');
      query.emplace(Decoded(pair.substr(0, equals)), equals == std::string::npos ? "" : Decoded(pair.substr(equals + 1)));
      start = end + 1;
    }
  }
  Service_Answer answer = The_Service().Answer(path, query);
  if (answer.file >= 0) close(answer.file);
  if (answer.status != 200 && answer.status != 400 && answer.status != 404 && answer.status != 500) std::abort();
  if (answer.status == 200 && path.find("..") != std::string::npos) std::abort();
  if (answer.body.find("SQLite format") != std::string::npos) std::abort();
  return 0;
}
