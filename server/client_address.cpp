#include "client_address.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>

std::string Address_Text(const sockaddr* address) {
  char text[INET6_ADDRSTRLEN] = "";
  if (!address) return "";
  if (address->sa_family == AF_INET)
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
  else if (address->sa_family == AF_INET6)
    inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text, sizeof text);
  return text;
}

std::string Canonical_Address(const std::string& text) {
  unsigned char bytes[sizeof(in6_addr)];
  char canonical[INET6_ADDRSTRLEN] = "";
  if (inet_pton(AF_INET, text.c_str(), bytes) == 1) return inet_ntop(AF_INET, bytes, canonical, sizeof canonical);
  if (inet_pton(AF_INET6, text.c_str(), bytes) == 1) return inet_ntop(AF_INET6, bytes, canonical, sizeof canonical);
  return "";
}

std::string Client_Address(const std::string& peer, const std::string& forwarded_for,
                           const std::vector<std::string>& trusted_proxies) {
  auto trusted = [&](const std::string& address) {
    return std::find(trusted_proxies.begin(), trusted_proxies.end(), address) != trusted_proxies.end();
  };
  if (!trusted(peer)) return peer;
  size_t end = forwarded_for.size();
  while (end > 0) {
    size_t comma = forwarded_for.rfind(',', end - 1);
    size_t start = comma == std::string::npos ? 0 : comma + 1;
    std::string entry = forwarded_for.substr(start, end - start);
    size_t first = entry.find_first_not_of(" \t"), last = entry.find_last_not_of(" \t");
    std::string address = first == std::string::npos ? "" : Canonical_Address(entry.substr(first, last - first + 1));
    // What lies left of an entry that is not an address was written by the client itself.
    if (address.empty()) return peer;
    if (!trusted(address)) return address;
    if (comma == std::string::npos) break;
    end = comma;
  }
  return peer;
}
