# Helpers that declare the project's libraries, so each folder's list names only its sources
# and the layers it uses. Every library has the repository root on its include path (includes
# read "core/T64Image.h"), so the compiler would accept an include from any folder:
# scripts/check-layers.sh holds them to the layers.

# A library of plain C++. It sees no Qt: a Qt include in it fails the build.
#   vornix_plain_library(NAME SOURCES... [LINKS target...])
function(vornix_plain_library name)
  cmake_parse_arguments(arg "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(arg_LINKS)
    target_link_libraries(${name} PUBLIC ${arg_LINKS})
  endif()
endfunction()

# A library of Qt widgets, with moc and resources.
#   vornix_qt_library(NAME SOURCES... [LINKS target...])
function(vornix_qt_library name)
  cmake_parse_arguments(arg "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${arg_LINKS} Qt6::Widgets)
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
endfunction()
