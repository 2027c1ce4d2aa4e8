# Tests: converters.
