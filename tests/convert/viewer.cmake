# Tests: viewer.
