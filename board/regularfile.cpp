// regularfile.cpp: opening level and list files only when they are plain files.
#include "board/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FILE* OpenRegularFile(const char* path) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
  const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    return nullptr;
  }
  struct stat status;
  FILE* file = nullptr;
  if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
    file = fdopen(descriptor, "rb");
  }
  if (!file) {
    close(descriptor);
  }
  return file;
}

bool ReadRegularFile(const char* path, long maxBytes, std::string* bytes, std::string* error) {
  FILE* file = OpenRegularFile(path);
  if (!file) {
    *error = "can't open file";
    return false;
  }
  bytes->clear();
  char buffer[65536];
  size_t count;
  while ((count = fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (static_cast<long>(bytes->size() + count) > maxBytes) {
      *error = "file is longer than " + std::to_string(maxBytes) + " bytes";
      fclose(file);
      return false;
    }
    bytes->append(buffer, count);
  }
  const bool failed = ferror(file);
  fclose(file);
  if (failed) {
    *error = "can't read file";
  }
  return !failed;
}
