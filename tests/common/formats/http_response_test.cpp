#include "common/formats/http_response.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int Split(const std::string& bytes, Http_Head* head) { return Split_Http_Response(bytes.data(), bytes.size(), head); }

}  // namespace

TEST(HttpResponse, BodyStartsAfterTheBlankLine) {
  Http_Head head;
  std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";
  ASSERT_EQ(Split(reply, &head), 1);
  EXPECT_EQ(head.status, 200);
  EXPECT_EQ(head.content_length, 5);
  EXPECT_EQ(reply.substr(head.body_offset), "hello");

  std::string bare = "HTTP/1.0 404 Not Found\nServer: x\n\nmissing";
  ASSERT_EQ(Split(bare, &head), 1);
  EXPECT_EQ(head.status, 404);
  EXPECT_EQ(head.content_length, -1);
  EXPECT_EQ(bare.substr(head.body_offset), "missing");
}

TEST(HttpResponse, IncompleteHeaderNeedsMoreAtEveryCut) {
  std::string reply = "HTTP/1.1 200 OK\r\nX: y\r\n\r\n";
  Http_Head head;
  for (size_t cut = 0; cut < reply.size(); ++cut) {
    // Copied so that reading past `cut` would be caught by the sanitizers.
    std::string part = reply.substr(0, cut);
    EXPECT_EQ(Split_Http_Response(part.empty() ? nullptr : &part[0], cut, &head), 0) << cut;
  }
  EXPECT_EQ(Split(reply, &head), 1);
  EXPECT_EQ(head.body_offset, reply.size());
}

TEST(HttpResponse, StatusAndFieldsAreReadStrictly) {
  const struct {
    const char* head;
    long long status, content_length, chunked;
  } heads[] = {
      {"garbage\r\n\r\n", 0, -1, 0},
      {"HTTP/1.1 2000 OK\r\n\r\n", 0, -1, 0},
      {"HTTP/1.1 20x OK\r\n\r\n", 0, -1, 0},
      {"HTTP/1.1 500\r\n\r\n", 500, -1, 0},
      {"HTTP/1.1 200 OK\r\ncontent-length:  12 \r\ntransfer-encoding: chunked\r\n\r\n", 200, 12, 1},
      {"HTTP/1.1 200 OK\r\nContent-Length: -3\r\n\r\n", 200, -2, 0},
      {"HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n", 200, -2, 0},
  };
  for (const auto& h : heads) {
    Http_Head head;
    ASSERT_EQ(Split(h.head, &head), 1) << h.head;
    EXPECT_EQ(std::vector<long long>({head.status, head.content_length, head.chunked}),
              std::vector<long long>({h.status, h.content_length, h.chunked}))
        << h.head;
  }
}
