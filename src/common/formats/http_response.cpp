#include "common/formats/http_response.h"

#include <cctype>
#include <cstdlib>
#include <strings.h>

#include <cstring>
#include <string>

namespace {

// Offset just past the blank line that ends the header, or 0 when there is none yet.
size_t Header_End(const char* data, size_t size) {
  for (size_t i = 0; i + 1 < size; ++i) {
    if (data[i] != '\n') continue;
    if (data[i + 1] == '\n') return i + 2;
    if (data[i + 1] == '\r' && i + 2 < size && data[i + 2] == '\n') return i + 3;
  }
  return 0;
}

int Parse_Status(const std::string& line) {
  if (line.compare(0, 5, "HTTP/") != 0) return 0;
  size_t space = line.find(' ');
  if (space == std::string::npos || space + 4 > line.size()) return 0;
  int code = 0;
  for (size_t i = space + 1; i < space + 4; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) return 0;
    code = code * 10 + (line[i] - '0');
  }
  if (space + 4 < line.size() && line[space + 4] != ' ' && line[space + 4] != '\r') return 0;
  return code;
}

bool Name_Is(const std::string& line, size_t colon, const char* name) {
  return colon == std::strlen(name) && strncasecmp(line.c_str(), name, colon) == 0;
}

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// A decimal length, or -2 when the value is not one (a refused response).
long long Parse_Length(const std::string& value) {
  if (value.empty() || value.size() > 18) return -2;
  for (char c : value)
    if (!std::isdigit(static_cast<unsigned char>(c))) return -2;
  return std::strtoll(value.c_str(), nullptr, 10);
}

void Read_Field(const std::string& line, Http_Head* head) {
  size_t colon = line.find(':');
  if (colon == std::string::npos) return;
  std::string value = Trimmed(line.substr(colon + 1));
  if (Name_Is(line, colon, "Content-Length")) {
    head->content_length = Parse_Length(value);
  } else if (Name_Is(line, colon, "Transfer-Encoding")) {
    if (strcasecmp(value.c_str(), "identity") != 0) head->chunked = 1;
  }
}

}  // namespace

int Split_Http_Response(const char* data, size_t size, Http_Head* head) {
  size_t end = Header_End(data, size);
  if (end == 0) return 0;
  *head = Http_Head();
  head->body_offset = end;
  std::string header(data, end);
  size_t start = 0;
  for (int line_no = 0; start < end; ++line_no) {
    size_t stop = header.find('\n', start);
    std::string line = header.substr(start, stop - start);
    if (line_no == 0) head->status = Parse_Status(line);
    else Read_Field(line, head);
    start = stop + 1;
  }
  return 1;
}
