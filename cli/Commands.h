#pragma once
// Subcommands of vornix-cli. Each takes the arguments after its own name and returns the
// exit code: 0 done, 1 failed (message on standard error, files untouched), 2 usage error.
#include <string>
#include <vector>

using Args = std::vector<std::string>;

int cmdList(const Args& args);
int cmdCreate(const Args& args);
int cmdAdd(const Args& args);
int cmdDelete(const Args& args);
int cmdRename(const Args& args);
int cmdMove(const Args& args);
int cmdLabel(const Args& args);
int cmdCapacity(const Args& args);
int cmdExtract(const Args& args);
int cmdTapJoin(const Args& args); // TapCommands.cpp
int cmdKoala(const Args& args);   // PictureCommands.cpp
int cmdFli(const Args& args);     // PictureCommands.cpp
int cmdShow(const Args& args);    // ShowCommand.cpp

// DiskCommands.cpp
int cmdD64Export(const Args& args);
int cmdD64List(const Args& args);
int cmdD64Import(const Args& args);

// TapeCommands.cpp
int cmdTapList(const Args& args);
int cmdTapExtract(const Args& args);
int cmdTapToT64(const Args& args);
int cmdTapV1(const Args& args);
int cmdT64ToTap(const Args& args);
int cmdTapToWav(const Args& args);
