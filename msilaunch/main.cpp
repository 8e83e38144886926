#include "msilaunch.h"

int main(int argc, char** argv) { return LaunchMain(argc, argv, SystemLauncherShell()); }
