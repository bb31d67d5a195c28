// files.cpp: SDL_RWFromFile for the browser. The browser's library answers
// it with a number that the RWops macros cannot use; this one reads the
// site's preloaded files through stdio, so the game keeps its own calls.
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

namespace {

FILE* File(SDL_RWops* context) {
  return static_cast<FILE*>(context->hidden.unknown.data1);
}

long Seek(SDL_RWops* context, long offset, int whence) {
  return fseek(File(context), offset, whence) == 0 ? ftell(File(context)) : -1;
}

size_t Read(SDL_RWops* context, void* bytes, size_t size, size_t count) {
  return fread(bytes, size, count, File(context));
}

int Close(SDL_RWops* context) {
  const int result = fclose(File(context)) == 0 ? 0 : -1;
  free(context);
  return result;
}

}  // namespace

extern "C" SDL_RWops* SDL_RWFromFile(const char* path, const char* mode) {
  FILE* file = fopen(path, mode);
  if (!file) {
    SDL_SetError("Couldn't open %s", path);
    return nullptr;
  }
  SDL_RWops* context = static_cast<SDL_RWops*>(calloc(1, sizeof(SDL_RWops)));
  if (!context) {
    fclose(file);
    SDL_SetError("Out of memory");
    return nullptr;
  }
  context->seek = Seek;
  // The game only reads files; nothing writes through this.
  context->read = Read;
  context->close = Close;
  context->hidden.unknown.data1 = file;
  return context;
}
