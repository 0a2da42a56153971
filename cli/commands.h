#pragma once

// Each command takes the arguments after its name and gives the process's exit code:
// 0 done, 1 refused or failed (the reason on standard error), 2 usage error.
int RunInfoCommand(int argc, char** argv);
int RunMakeCommand(int argc, char** argv);

// Prints the usage lines on standard error and gives 2.
int UsageError(const char* problem);

// Prints the message of a refused operation on standard error, as the program would show it.
void PrintRefusal(const char* text);
