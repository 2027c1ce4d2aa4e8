# Tests: runner.
vornix_plain_test(line_cutter_test line_cutter_test.cpp)
vornix_gui_test(dos_command_test dos_command_test.cpp)
