# Tests: cartridge.
vornix_plain_test(test_cartconv_command_line ${CMAKE_CURRENT_LIST_DIR}/CartconvCommandLineTest.cpp)
