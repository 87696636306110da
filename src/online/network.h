#pragma once
#include <string>
// The HTTP client of the online functions: one GET request below "/VantoRello/" on the
// game's web server, over SDL_net.

// Where the web server is. The environment variable VANTORELLO_SERVER ("host" or
// "host:port") overrides the built-in host and port.
extern const char* const kServerHost;
extern const int kServerPort;
const char* Server_Host();
int Server_Port();

// Time limits, in milliseconds, that keep a silent or slow server from holding a screen:
// name resolution and connecting, each wait for received bytes, and a whole request.
extern int http_connect_limit_ms;
extern int http_receive_limit_ms;
extern int http_transfer_limit_ms;
// 1 when the last Http_Get opened its connection (whatever the answer was).
extern int http_last_connected;

// Starts SDL_net and resolves the server. 0 ready; 1 SDL_net did not start ("Error
// initializing network."); 2 the server's name did not resolve ("Cannot connect to <host>.").
int Init_Network();
void Close_Network();

// Sends "GET /VantoRello/<resource>" and reads the answer: as many body bytes as its
// Content-Length announces, or without one until the server closes. With an empty out_path the body is dropped; otherwise it replaces out_path, which is
// written only when the whole body of a 200 answer arrived. 1 on success, 0 on failure.
int Http_Get(const char* resource, const char* out_path);

// A file name as a request path: letters, digits, "-._~/" as they are, every other byte as %XX.
std::string Request_Path(const std::string& name);
