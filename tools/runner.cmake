# Plain helpers of the runner and the compression window (no Qt).
target_sources(vornix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LineCutter.h
  ${CMAKE_CURRENT_LIST_DIR}/CompressorCommand.cpp
)

if(TARGET vornix_gui)
  target_sources(vornix_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ToolLocator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DosCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LogView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CompressionWindow.cpp
  )
endif()
