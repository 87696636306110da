#include "common/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

int Write_File_Atomic(const char* path, const void* data, size_t size) {
  std::string temp = std::string(path) + ".tmp" + std::to_string(static_cast<long>(getpid()));
  FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return 0;
  bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
  ok = std::fflush(file) == 0 && ok;
  ok = fsync(fileno(file)) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (ok && std::rename(temp.c_str(), path) == 0) return 1;
  std::remove(temp.c_str());
  return 0;
}

FILE* Open_Regular_File(const char* path) {
  // Without O_NONBLOCK opening a FIFO waits for a writer, forever if none comes.
  int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return nullptr;
  }
  FILE* file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}
