# Tests: cartridge.
