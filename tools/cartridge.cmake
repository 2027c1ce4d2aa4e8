target_sources(vornix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CommandLineQuoting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CartconvCommandLine.cpp
)
if(TARGET vornix_gui)
  target_sources(vornix_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CartridgeWindow.cpp
  )
endif()
