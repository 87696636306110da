// Responses come from any server: the header split must never read past what arrived, at
// any cut of the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/formats/http_response.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly `size` bytes, so a read past the end is caught.
  std::vector<char> bytes(data, data + size);
  Http_Head head;
  int complete = Split_Http_Response(bytes.data(), size, &head);
  if (complete && (head.body_offset < 2 || head.body_offset > size)) std::abort();
  if (complete && (head.status < 0 || head.status > 999)) std::abort();
  // The header ends exactly where it was found: one byte less and it is incomplete.
  if (complete) {
    Http_Head again;
    if (!Split_Http_Response(bytes.data(), head.body_offset, &again) || again.body_offset != head.body_offset)
      std::abort();
    if (Split_Http_Response(bytes.data(), head.body_offset - 1, &again)) std::abort();
  }
  return 0;
}
