#pragma once
// Raw HTTP exchanges with a server on loopback, from any 127.x.y.z source address, for tests
// that need to see exactly what is sent and when the connection ends.
#include <string>

// A connection to 127.0.0.1:`port` from the loopback address `source`; -1 on failure.
int Connect_From(const std::string& source, int port);
void Send(int fd, const std::string& bytes);
// Everything received until the peer closes, or that with "<still open>" after `ms`.
std::string Answer_Of(int fd, int ms = 3000);
// Connects, sends `request`, returns Answer_Of and closes ("no connection" on failure).
std::string Exchange_From(const std::string& source, int port, const std::string& request);
// A GET of "/VantoRello/`resource`" as the game sends it, with extra header lines.
std::string Get_Request(const std::string& resource, const std::string& extra_header = "");
// The status code of an answer (0 when it is not HTTP/1.1) and its body.
int Status_Of(const std::string& answer);
std::string Body_Of(const std::string& answer);
