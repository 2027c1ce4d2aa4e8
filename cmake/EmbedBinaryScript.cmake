# Writes a C++ source that holds the bytes of a binary file.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name [-DSIZE=bytes] -P EmbedBinaryScript.cmake
# Defines vornix::embedded::SYMBOL (the bytes) and SYMBOL##Size. With SIZE, a file of any
# other length fails the build.
foreach(var INPUT OUTPUT SYMBOL)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "EmbedBinaryScript.cmake needs -D${var}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
if(DEFINED SIZE AND NOT size EQUAL SIZE)
  message(FATAL_ERROR "${INPUT} is ${size} bytes long, it must be ${SIZE}")
endif()
if(size EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty")
endif()

# Sixteen bytes a line.
set(bytes "")
set(offset 0)
while(offset LESS digits)
  string(SUBSTRING "${hex}" ${offset} 32 chunk)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " chunk "${chunk}")
  string(STRIP "${chunk}" chunk)
  string(APPEND bytes "    ${chunk}\n")
  math(EXPR offset "${offset} + 32")
endwhile()
get_filename_component(source_name "${INPUT}" NAME)

file(WRITE "${OUTPUT}.tmp"
"// Generated at build time from ${source_name}; do not edit.
#include <cstddef>
#include <cstdint>

namespace vornix::embedded {
extern const std::uint8_t ${SYMBOL}[];
extern const std::size_t ${SYMBOL}Size;

const std::uint8_t ${SYMBOL}[] = {
${bytes}};
const std::size_t ${SYMBOL}Size = sizeof(${SYMBOL});
} // namespace vornix::embedded
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
