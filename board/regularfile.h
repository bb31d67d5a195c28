// regularfile.h: opening level and list files only when they are plain files.
//
// A path may name a directory, a FIFO that nobody writes to, or a device such
// as /dev/zero that never ends; reading any of them as a level or a list would
// fail late, hang or fill memory. These refuse them before the first read.
#pragma once

#include <cstdio>
#include <string>

// Opens a regular file for reading in binary mode; null for anything else
// (missing, unreadable, a directory, FIFO or device).
FILE* OpenRegularFile(const char* path);

// Reads a whole regular file of at most `maxBytes` bytes. False when it cannot
// be opened or read, is no regular file or is longer; `error` then says which,
// beginning "can't open file" where it could not be opened as a plain file.
bool ReadRegularFile(const char* path, long maxBytes, std::string* bytes, std::string* error);
