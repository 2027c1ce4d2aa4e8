# The two kinds of test the suite holds.

# A test of plain code (GoogleTest); label "plain" so the sanitizer run can pick them.
#   vornix_plain_test(NAME SOURCES...)
function(vornix_plain_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE vornix_core vornix_tools vornix_convert vornix_tape
                        vornix_test_support_plain GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VORNIX_TEST_DATA="${VORNIX_TEST_DATA}"
    VORNIX_FAKE_TOOL="${VORNIX_TEST_ROOT}$<TARGET_FILE:fake_tool>"
    VORNIX_CLI="${VORNIX_TEST_ROOT}$<TARGET_FILE:vornix-cli>")
  add_dependencies(${name} fake_tool vornix-cli)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS plain TIMEOUT 600)
endfunction()

# A window test (Qt Test) under the offscreen platform; label "gui". Skipped without the GUI.
#   vornix_gui_test(NAME SOURCES...)
function(vornix_gui_test name)
  if(NOT VORNIX_GUI)
    return()
  endif()
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE vornix_app vornix_test_support Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    VORNIX_TEST_DATA="${VORNIX_TEST_DATA}"
    VORNIX_FAKE_TOOL="$<TARGET_FILE:fake_tool>")
  add_dependencies(${name} fake_tool)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS gui TIMEOUT 600
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false")
endfunction()
