#include "bench_listing.h"

#include <stdio.h>

namespace {

void AppendLine(std::string& listing, size_t index) {
  char line[96];
  unsigned n = static_cast<unsigned>(index);
  switch (index % 8) {
    case 3:
      snprintf(line, sizeof(line), "PID:ABCD COMP:%u EC:%04u SN:%08u\r\n", n % 4, n % 10000, n);
      break;
    case 7:
      snprintf(line, sizeof(line), "Scanning hub %u port %u: no monitor device\r\n", n % 16, n % 7);
      break;
    default:
      snprintf(line, sizeof(line), "PID:C7E3 COMP:%u EC:%04u SN:%08u\r\n", n % 5, n % 10000, n);
      break;
  }
  listing += line;
}

}  // namespace

std::string MakeListing(size_t lines) {
  std::string listing;
  listing.reserve(lines * 40);
  for (size_t i = 0; i < lines; ++i) AppendLine(listing, i);
  return listing;
}

std::string MakeListingOfSize(size_t bytes) {
  std::string listing;
  listing.reserve(bytes + 96);
  for (size_t i = 0; listing.size() < bytes; ++i) AppendLine(listing, i);
  listing.resize(bytes);
  return listing;
}

std::string MakeLongLine(size_t bytes) {
  const std::string fields = " PID:C7E3 COMP:1 EC:0105";
  std::string line;
  line.reserve(bytes);
  const char* const words[] = {"serial", "0123456789abcdef", "port", "status", "ok"};
  for (size_t i = 0; line.size() + fields.size() < bytes; ++i) {
    if (!line.empty()) line += ' ';
    line += words[i % 5];
  }
  line.resize(bytes - fields.size(), 'x');
  line += fields;
  return line;
}
