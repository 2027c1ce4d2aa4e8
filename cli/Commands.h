#pragma once
// The declarations of vornix-cli's commands, one function per source. Each command's run
// returns the exit code: 0 done, 1 failed (message on standard error, files untouched),
// 2 usage error.
#include "cli/Command.h"

#include <vector>

namespace vornix::cli {

std::vector<Command> imageCommands();   // ImageCommands.cpp
Command showCommand();                  // ShowCommand.cpp
Command tapJoinCommand();               // TapCommands.cpp
std::vector<Command> pictureCommands(); // PictureCommands.cpp
std::vector<Command> diskCommands();    // DiskCommands.cpp
std::vector<Command> tapeCommands();    // TapeCommands.cpp

} // namespace vornix::cli
