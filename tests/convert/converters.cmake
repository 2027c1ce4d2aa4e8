# Tests: converters.
vornix_plain_test(test_converters converters_test.cpp)
