#pragma once

#include <string>

// The command line this process was started with, as it was received.
std::string RawCommandLine(int argc, char** argv);
