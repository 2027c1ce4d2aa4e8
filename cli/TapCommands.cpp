#include "cli/Commands.h"

#include <iostream>

int cmdTapJoin(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
