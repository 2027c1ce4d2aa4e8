target_sources(vornix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EmbeddedResources.cpp
)
