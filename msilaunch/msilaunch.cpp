#include <stdio.h>

int main(int argc, char** argv) {
  (void)argc;
  printf("\nUsage: %s FileName.msi command\n\n", argv[0]);
  return 0;
}
