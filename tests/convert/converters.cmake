# Tests: converters.
vornix_plain_test(test_converters converters_test.cpp)
vornix_gui_test(test_picture_commands picture_commands_test.cpp)
