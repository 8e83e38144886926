#include "command_line_text.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string QuoteArgument(const std::string& argument) {
  bool needsQuotes = argument.empty();
  bool hasQuote = false;
  for (char c : argument) {
    if (IsBlank(c)) needsQuotes = true;
    if (c == '"') hasQuote = true;
  }
  if (!needsQuotes && !hasQuote) return argument;

  std::string quoted;
  if (needsQuotes) quoted += '"';
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      // Backslashes before a quote are halved by the reader, and the quote itself needs one.
      quoted.append(backslashes * 2 + 1, '\\');
    } else {
      quoted.append(backslashes, '\\');
    }
    backslashes = 0;
    quoted += c;
  }
  // Backslashes before the closing quote would escape it unless doubled.
  quoted.append(needsQuotes ? backslashes * 2 : backslashes, '\\');
  if (needsQuotes) quoted += '"';
  return quoted;
}

void SplitCommandLine(const std::string& commandLine, std::vector<std::string>& arguments) {
  arguments.clear();
  const size_t end = commandLine.size();
  size_t i = 0;
  while (i < end && IsBlank(commandLine[i])) ++i;
  if (i == end) return;

  // Program name: quotes group, backslashes are plain characters.
  std::string word;
  bool inQuotes = false;
  for (; i < end; ++i) {
    char c = commandLine[i];
    if (c == '"') {
      inQuotes = !inQuotes;
    } else if (IsBlank(c) && !inQuotes) {
      break;
    } else {
      word += c;
    }
  }
  arguments.push_back(word);

  for (;;) {
    while (i < end && IsBlank(commandLine[i])) ++i;
    if (i == end) return;
    word.clear();
    inQuotes = false;
    while (i < end) {
      char c = commandLine[i];
      if (c == '\\') {
        size_t backslashes = 0;
        while (i < end && commandLine[i] == '\\') {
          ++backslashes;
          ++i;
        }
        if (i < end && commandLine[i] == '"') {
          word.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            word += '"';
            ++i;
          }
          // An even count leaves the quote to the code below, as a delimiter.
        } else {
          word.append(backslashes, '\\');
        }
        continue;
      }
      if (c == '"') {
        if (inQuotes && i + 1 < end && commandLine[i + 1] == '"') {
          word += '"';  // "" inside quotes is one literal quote
          i += 2;
          continue;
        }
        inQuotes = !inQuotes;
        ++i;
        continue;
      }
      if (IsBlank(c) && !inQuotes) break;
      word += c;
      ++i;
    }
    arguments.push_back(word);
  }
}
