#include "cli/Commands.h"

#include <iostream>

int cmdList(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
int cmdCreate(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
int cmdAdd(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
int cmdDelete(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
int cmdRename(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
int cmdMove(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
int cmdLabel(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
int cmdCapacity(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
int cmdExtract(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
