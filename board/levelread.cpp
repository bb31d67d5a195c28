// levelread.cpp: reading a level file or a text level into a board, and
// writing files, quietly.
#include "board/levelread.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "board/levelfile.h"

bool ReadRegularFile(const std::string& path, size_t limit, std::string* bytes,
                     std::string* error) {
  // Non-blocking, so that opening a pipe with no writer returns at once; the
  // type check below then refuses it.
  const int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) {
    *error = std::string("can't open: ") + strerror(errno);
    return false;
  }
  struct stat status;
  if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
    *error = "can't open: not a regular file";
    close(file);
    return false;
  }
  bytes->clear();
  char buffer[4096];
  while (bytes->size() < limit) {
    const ssize_t count = read(file, buffer, std::min(sizeof buffer, limit - bytes->size()));
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0) {
      *error = std::string("can't read: ") + strerror(errno);
      close(file);
      return false;
    }
    if (count == 0) {
      break;
    }
    bytes->append(buffer, count);
  }
  close(file);
  return true;
}

bool WriteRegularFile(const std::string& path, const std::string& bytes, std::string* error) {
  struct stat status;
  if (stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
    *error = "can't write: not a regular file";
    return false;
  }
  // Non-blocking, so that a pipe made since the look above fails at once
  // instead of waiting for a reader.
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
  if (file < 0) {
    *error = std::string("can't write: ") + strerror(errno);
    return false;
  }
  for (size_t written = 0; written < bytes.size();) {
    const ssize_t count = write(file, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0) {
      *error = std::string("can't write: ") + strerror(errno);
      close(file);
      return false;
    }
    written += count;
  }
  if (close(file) != 0) {
    *error = std::string("can't write: ") + strerror(errno);
    return false;
  }
  return true;
}

bool IsLevelText(const std::string& contents) {
  return !contents.empty() && !StartsAsLevelFile(contents) &&
         contents.find('\0') == std::string::npos;
}

bool LevelContentsToBytes(const std::string& contents, std::string* bytes, std::string* error) {
  if (IsLevelText(contents)) {
    return LevelTextToBytes(contents, bytes, error);
  }
  *bytes = contents;
  return true;
}

bool LoadLevelBytes(const std::string& bytes, CLevel* level, std::string* error) {
  // A file cut inside its magic is told as cut, not as another kind of file.
  if (!StartsAsLevelFile(bytes)) {
    *error = "wrong magic: not a level file";
    return false;
  }
  if (!FillLevel(bytes, level)) {
    *error = "the file ends after " + std::to_string(bytes.size()) + " bytes, before its layers do";
    return false;
  }
  return true;
}

bool CheckLevelSize(const std::string& contents, std::string* error) {
  if (contents.size() >= LEVEL_CONTENTS_LIMIT) {
    *error = "too large for a level: " + std::to_string(LEVEL_CONTENTS_LIMIT) + " bytes or more";
    return false;
  }
  return true;
}

bool ReadLevelFileBytes(const std::string& path, std::string* bytes, std::string* error) {
  std::string contents;
  if (!ReadRegularFile(path, LEVEL_CONTENTS_LIMIT, &contents, error)) {
    return false;
  }
  return CheckLevelSize(contents, error) && LevelContentsToBytes(contents, bytes, error);
}

bool ReadLevelFile(const std::string& path, CLevel* level, std::string* error) {
  std::string bytes;
  return ReadLevelFileBytes(path, &bytes, error) && LoadLevelBytes(bytes, level, error);
}
