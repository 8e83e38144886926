#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include "console_output.h"

void WriteVerbatim(const char* bytes, size_t size) {
  fflush(stdout);
  int previousMode = _setmode(_fileno(stdout), _O_BINARY);
  fwrite(bytes, 1, size, stdout);
  fflush(stdout);
  if (previousMode != -1) _setmode(_fileno(stdout), previousMode);
}
