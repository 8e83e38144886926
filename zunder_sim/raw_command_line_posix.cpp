#include "../orvane/command_line_text.h"
#include "raw_command_line.h"

// A POSIX process receives its arguments already split; joined by the same quoting rules that
// orvane uses, they give back the text orvane sent.
std::string RawCommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) line += ' ';
    line += QuoteArgument(argv[i]);
  }
  return line;
}
