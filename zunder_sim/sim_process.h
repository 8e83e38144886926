// What the simulator's fault modes need of the platform. One implementation per platform:
// sim_process_win32.cpp and sim_process_posix.cpp.
#pragma once

#include <string>

// Ends this process at once, as a kill from outside would: nothing is flushed, nothing runs.
void EndAtOnce();

// Leaves a process behind that holds this one's standard output open, sleeps the given seconds,
// then writes text to it and ends. Returns at once; 0 when no such process could be started.
int LeaveHolder(unsigned seconds, const std::string& text);

// Where the holder is this program started once more (Windows), does the holder's work and
// returns 1 in that process; returns 0 in every other run.
int ActAsHolder(int argc, char** argv);
