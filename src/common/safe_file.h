#pragma once
#include <cstddef>
#include <cstdio>

// Writes a whole file through a temporary file in the same directory that is then
// renamed over the target, so a crash or full disk never leaves a half-written file.
// Returns 1 on success, 0 on failure (the target is then untouched).
int Write_File_Atomic(const char* path, const void* data, size_t size);

// Opens a regular file for reading ("rb"). Anything else (a directory, a FIFO, a device) is
// refused without waiting for a writer. Returns null on failure.
FILE* Open_Regular_File(const char* path);
