# Tests: cartridge.
vornix_plain_test(test_cartconv_command_line ${CMAKE_CURRENT_LIST_DIR}/CartconvCommandLineTest.cpp)
vornix_gui_test(test_cartridge_window ${CMAKE_CURRENT_LIST_DIR}/CartridgeWindowTest.cpp)
