// "version.ver" comes from the web server: any bytes are refused or give one line of text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/formats/update_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string version = "unchanged";
  int ok = Read_Version_File(reinterpret_cast<const char*>(data), size, &version);
  if (!ok) {
    if (version != "unchanged") std::abort();
    return 0;
  }
  if (version.find_first_of("\r\n") != std::string::npos) std::abort();
  if (version.find('\0') != std::string::npos) return 0;
  // What was read is written back and read again unchanged.
  std::string again = Write_Version_File(version.c_str()), second;
  if (!Read_Version_File(again.data(), again.size(), &second) || second != version) std::abort();
  return 0;
}
