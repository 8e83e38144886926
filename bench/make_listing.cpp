// Writes a made-up "-L" listing of exactly BYTES bytes to FILE: device lines, or with "line" one
// single line of that length.
//   make_listing FILE BYTES [line]
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "bench_listing.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4 || (argc == 4 && strcmp(argv[3], "line") != 0)) {
    fprintf(stderr, "usage: make_listing FILE BYTES [line]\n");
    return 2;
  }
  size_t bytes = strtoull(argv[2], nullptr, 10);
  std::string listing = argc == 4 ? MakeLongLine(bytes) : MakeListingOfSize(bytes);
  FILE* file = fopen(argv[1], "wb");
  if (!file) return 1;
  size_t written = fwrite(listing.data(), 1, listing.size(), file);
  return fclose(file) == 0 && written == listing.size() ? 0 : 1;
}
