# Koala and FLI converters (plain) and their menu commands with the compression step (Qt).
target_sources(vornix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SafeFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PictureConverters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InPlaceCompression.cpp
)
if(TARGET vornix_gui)
  target_sources(vornix_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PictureCommands.cpp
  )
endif()
