target_sources(vornix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TapFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TapPause.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TapJoin.cpp
)
if(TARGET vornix_gui)
  target_sources(vornix_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linker.qrc
  )
endif()
