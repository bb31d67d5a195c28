// levelread.h: reading a level from a file that holds a level file or a text
// level, and writing files, quietly, with errors returned as text for the
// tools to print.
#pragma once

#include <cstddef>
#include <string>

#include "board/level.h"

// Reads up to `limit` bytes of a regular file. Anything else (a directory, a
// pipe, a device) is refused without waiting on it. False with `error`
// saying why when the file cannot be read.
bool ReadRegularFile(const std::string& path, size_t limit, std::string* bytes, std::string* error);

// Writes `bytes` as the whole of a regular file, made if need be. Anything
// else at `path` (a directory, a pipe, a device) is refused without waiting on
// it. False with `error` saying why when the file cannot be written.
bool WriteRegularFile(const std::string& path, const std::string& bytes, std::string* error);

// True when `contents` are meant as a text level: they are not empty, do not
// start with the level magic or a piece of it (a level file cut short) and
// hold no zero byte, which every level file has in its layers, so a level
// file with a damaged magic is still taken for a level file.
bool IsLevelText(const std::string& contents);

// The level file bytes of file contents: text levels are built, level files
// are taken as they are. False with `error` when a text is not a level.
bool LevelContentsToBytes(const std::string& contents, std::string* bytes, std::string* error);

// Loads the bytes of a level file into `level` as CLevel::Load does, printing
// nothing. False, with `level` unchanged and `error` saying why, for a wrong
// magic or bytes that end before the ground layer does.
bool LoadLevelBytes(const std::string& bytes, CLevel* level, std::string* error);

// Files this large or larger hold no level; readers stop here.
const size_t LEVEL_CONTENTS_LIMIT = 1 << 16;

// False with `error` when contents read up to LEVEL_CONTENTS_LIMIT reached it.
bool CheckLevelSize(const std::string& contents, std::string* error);

// Reads a level file or a text level from `path` as level file bytes. False
// with `error` saying why when the file cannot be read, is too large or is a
// text that is no level.
bool ReadLevelFileBytes(const std::string& path, std::string* bytes, std::string* error);

// Reads a level file or a text level from `path` into `level`, printing
// nothing. False, with `level` unchanged and `error` saying why, when the file
// cannot be read or holds no level.
bool ReadLevelFile(const std::string& path, CLevel* level, std::string* error);
