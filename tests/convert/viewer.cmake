# Tests: viewer.
vornix_plain_test(test_cpu6502 Cpu6502Test.cpp)
target_link_libraries(test_cpu6502 PRIVATE vornix_cpu6502)
vornix_plain_test(test_convert_viewer FliViewerTest.cpp KoalaStubTest.cpp)
target_link_libraries(test_convert_viewer PRIVATE vornix_cpu6502)
