// The version banner and the help screen.
#pragma once

#include <string>

// The invocation name with every '.' and '/' removed, cut after 30 kept characters.
std::string ShortProgramName(const char* invocationName);

// The whole help screen for the given invocation name, as PrintHelp prints it.
std::string HelpText(const char* invocationName);

void PrintVersion();
void PrintHelp(int argc, char** argv);
