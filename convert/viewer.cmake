# The FLI viewer: 6502 assembly, assembled at build time by ACME into a 769-byte PRG and
# compiled into the core as the resource "FLIVIEW".
set(VORNIX_FLIVIEW_ASM ${CMAKE_CURRENT_LIST_DIR}/fliview.asm)
set(VORNIX_FLIVIEW_PRG ${CMAKE_CURRENT_BINARY_DIR}/fliview.prg)
set(VORNIX_FLIVIEW_CPP ${CMAKE_CURRENT_BINARY_DIR}/FliViewerBytes.cpp)

# ACME stops with an error when the code does not fit below $0B00.
add_custom_command(
  OUTPUT ${VORNIX_FLIVIEW_PRG}
  COMMAND ${ACME_EXECUTABLE} --format cbm --outfile ${VORNIX_FLIVIEW_PRG} ${VORNIX_FLIVIEW_ASM}
  DEPENDS ${VORNIX_FLIVIEW_ASM}
  COMMENT "Assembling the FLI viewer"
  VERBATIM)

add_custom_command(
  OUTPUT ${VORNIX_FLIVIEW_CPP}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${VORNIX_FLIVIEW_PRG} -DOUTPUT=${VORNIX_FLIVIEW_CPP}
          -DSYMBOL=kFliViewer -DSIZE=769 -P ${CMAKE_CURRENT_LIST_DIR}/EmbedBinary.cmake
  DEPENDS ${VORNIX_FLIVIEW_PRG} ${CMAKE_CURRENT_LIST_DIR}/EmbedBinary.cmake
  COMMENT "Embedding the FLI viewer"
  VERBATIM)

# The core target lives in the top directory; a target here carries the rules above.
add_custom_target(vornix_fliview DEPENDS ${VORNIX_FLIVIEW_CPP})
add_dependencies(vornix_core vornix_fliview)
target_sources(vornix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EmbeddedResources.cpp
  ${VORNIX_FLIVIEW_CPP}
)
