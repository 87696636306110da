#pragma once
// Splitting an HTTP response into its header and body, without SDL.
#include <cstddef>

struct Http_Head {
  int status = 0;               // status code of the status line, 0 when it has none
  long long content_length = -1;  // -1 when the header names none, -2 when it is no number
  int chunked = 0;              // 1 for any transfer coding but "identity"
  size_t body_offset = 0;       // first byte of the body in the received data
};

// Finds the end of the header in the first `size` bytes of a response: the blank line,
// normally line feed, carriage return, line feed, or two line feeds from servers that end
// lines with a bare line feed. Returns 1 and fills `head` when the header is complete,
// 0 when more bytes are needed. Never reads past `size`.
int Split_Http_Response(const char* data, size_t size, Http_Head* head);
