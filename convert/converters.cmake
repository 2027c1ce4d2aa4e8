if(TARGET vornix_gui)
  target_sources(vornix_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PictureCommands.cpp
  )
endif()
