// Listings as the update tool prints them for "-L", made up for the benchmarks.
#pragma once

#include <stddef.h>

#include <string>

// lines lines, each ended by CR LF: mostly device lines of the product, with lines of another
// product and the tool's own remarks between them, about 40 bytes a line.
std::string MakeListing(size_t lines);

// The same lines, cut to exactly bytes bytes.
std::string MakeListingOfSize(size_t bytes);

// One line of bytes bytes without a line end: blank-separated words with the device fields at
// the end, so that every keyword search runs over the whole line.
std::string MakeLongLine(size_t bytes);
