# vornix_embed_binary(INPUT OUTPUT SYMBOL SIZE): a build rule writing OUTPUT, a C++ source
# holding the bytes of INPUT as vornix::embedded::SYMBOL; a file of another SIZE fails it.
set(VORNIX_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedBinaryScript.cmake)
function(vornix_embed_binary input output symbol size)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol} -DSIZE=${size}
            -P ${VORNIX_EMBED_SCRIPT}
    DEPENDS ${input} ${VORNIX_EMBED_SCRIPT}
    COMMENT "Embedding ${symbol}"
    VERBATIM)
endfunction()
