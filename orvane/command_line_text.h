// Command-line text as Windows programs read it.
//
// The update tool receives one command-line text on every platform. Its runtime splits that text
// into arguments by the Windows rules, so orvane quotes an argument only where those rules would
// otherwise split or change it, and the POSIX process runner splits the text by the same rules
// before it starts the program. No shell is involved anywhere.
#pragma once

#include <string>
#include <vector>

// Returns the argument as it must stand on a command line so that the Windows runtime gives it
// back unchanged: an argument without blanks, tabs and double quotes stays as it is; one with a
// blank or a tab, or an empty one, is put in double quotes; double quotes inside are escaped.
std::string QuoteArgument(const std::string& argument);

// Splits a command line into its arguments by the rules of the Windows runtime. The first word,
// the program name, follows the simpler rules of CreateProcess: it ends at the first blank or
// tab outside double quotes, and double quotes only group.
void SplitCommandLine(const std::string& commandLine, std::vector<std::string>& arguments);
