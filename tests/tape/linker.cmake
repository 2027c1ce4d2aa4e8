# Tests: linker.
vornix_plain_test(tap_join_test ${CMAKE_CURRENT_LIST_DIR}/TapJoinTest.cpp)
vornix_plain_test(tap_join_cli_test ${CMAKE_CURRENT_LIST_DIR}/TapJoinCliTest.cpp)
vornix_gui_test(tap_linker_window_test ${CMAKE_CURRENT_LIST_DIR}/LinkerWindowTest.cpp)
