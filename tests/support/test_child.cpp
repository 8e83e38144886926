// A child program for the process runner tests. Each argument is one action, done in order:
//   --write N     writes N bytes (a letter pattern) to standard output in one call
//   --stderr T    writes T to standard error
//   --zeros       writes "ab", a zero byte, "cd", a zero byte, "ef"
//   --stdin       writes "stdin-empty" when standard input gives no byte, else "stdin-open"
//   --args        writes every argument after it in brackets: [first][second]...
// Nothing is written with a newline, so the text is the same in text and binary mode.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string action = argv[i];
    if (action == "--write" && i + 1 < argc) {
      long count = atol(argv[++i]);
      std::string text;
      for (long n = 0; n < count; ++n) text += static_cast<char>('a' + n % 26);
      fwrite(text.data(), 1, text.size(), stdout);
    } else if (action == "--stderr" && i + 1 < argc) {
      fflush(stdout);
      fputs(argv[++i], stderr);
      fflush(stderr);
    } else if (action == "--zeros") {
      fwrite("ab\0cd\0ef", 1, 8, stdout);
    } else if (action == "--stdin") {
      // A closed or absent input, or the null device, gives no byte.
      int c = stdin ? fgetc(stdin) : EOF;
      fputs(c == EOF ? "stdin-empty" : "stdin-open", stdout);
    } else if (action == "--args") {
      for (++i; i < argc; ++i) printf("[%s]", argv[i]);
    }
  }
  fflush(stdout);
  return 0;
}
