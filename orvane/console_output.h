// Writing bytes to standard output exactly as they are. One implementation per platform:
// console_output_win32.cpp and console_output_posix.cpp.
#pragma once

#include <stddef.h>

// Writes the bytes to standard output unchanged. Text the update tool printed already has its
// own line ends; the Windows runtime's text mode would add a second carriage return to each.
void WriteVerbatim(const char* bytes, size_t size);
