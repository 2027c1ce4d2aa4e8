#include "cli/Commands.h"

#include <iostream>

int cmdKoala(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
int cmdFli(const Args&) { std::cerr << "vornix-cli: not available yet\n"; return 1; }
