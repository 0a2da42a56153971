#pragma once

// Each command takes the arguments after its name and gives the process's exit code:
// 0 done, 1 refused or failed (the reason on standard error), 2 usage error.
int RunInfoCommand(int argc, char** argv);
int RunMakeCommand(int argc, char** argv);
int RunWallpaperCommand(int argc, char** argv);

// "tile" or "centre" into the wallpaper operations' tile flag; false when it is neither.
bool ReadTileWord(const char* word, bool& tile);

// Prints the usage lines on standard error and gives 2.
int UsageError(const char* problem);

// Prints the message of a refused operation on standard error, as the program would show it.
void PrintRefusal(const char* text);

// True once a warning of the core (the writer's, for one) has been printed.
bool WarningWasPrinted();
