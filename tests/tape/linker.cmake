# Tests: linker.
