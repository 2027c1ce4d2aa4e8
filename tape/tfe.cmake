target_sources(vornix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Tape64CommandLine.cpp
)
if(TARGET vornix_gui)
  target_sources(vornix_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TFE.cpp
  )
endif()
