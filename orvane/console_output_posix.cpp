#include <stdio.h>

#include "console_output.h"

void WriteVerbatim(const char* bytes, size_t size) { fwrite(bytes, 1, size, stdout); }
