#include "update_manager.h"

// The run's one manager: it exists before main begins and lasts until the process exits.
static CUpdateManager g_manager;

int main(int argc, char** argv) { return g_manager.Run(argc, argv); }
