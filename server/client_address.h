#pragma once
// The address a request comes from. Behind a reverse proxy every connection comes from the
// proxy; only for peers named as trusted proxies is the client taken from X-Forwarded-For:
// the nearest address in it (from the right) that is not itself a trusted proxy.
#include <string>
#include <vector>

struct sockaddr;

// The numeric text of an IPv4 or IPv6 socket address ("" for another family).
std::string Address_Text(const sockaddr* address);
// `forwarded_for` is every X-Forwarded-For value in order, joined by commas ("" when none).
std::string Client_Address(const std::string& peer, const std::string& forwarded_for,
                           const std::vector<std::string>& trusted_proxies);
// The canonical text of a numeric IPv4 or IPv6 address, "" when `text` is not one.
std::string Canonical_Address(const std::string& text);
