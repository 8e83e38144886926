// The least a program can do to read the header of every firmware file of a folder: list the
// folder once, then open, read and close each file.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

// Reads the first size bytes (at most 64) of every named file of the current folder; returns
// the number of bytes read in all.
size_t ReadHeadersDirectly(const std::vector<std::string>& names, size_t size);

// The same for every "*.dat" and "*.cfg" file of the current folder, found by one reading of it.
size_t ReadFolderHeadersDirectly(size_t size);
