#include <windows.h>

#include "raw_command_line.h"

std::string RawCommandLine(int, char**) { return GetCommandLineA(); }
