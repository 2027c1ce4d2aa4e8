# Tests: tfe.
vornix_plain_test(test_tape64_command_line ${CMAKE_CURRENT_LIST_DIR}/Tape64CommandLineTest.cpp)
vornix_gui_test(test_tape_conversion_window ${CMAKE_CURRENT_LIST_DIR}/TFETest.cpp)
