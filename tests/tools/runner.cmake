# Tests: runner.
