# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix thread model, which
# std::thread and std::mutex need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORNIX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORNIX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORNIX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VORNIX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORNIX_MINGW_PREFIX})
# Build tools (acme) come from the host; libraries and headers only from the target tree.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -O2, not the -O3 of Release: GCC 12 at -O3 warns falsely (-Wrestrict, -Warray-bounds) inside
# libstdc++ string and vector copies.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of the Release build")

# One self-contained .exe: no libstdc++, libgcc or winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE "-s" CACHE STRING "Release programs without symbols")

# Test programs run under Wine (scripts/wine-run.sh picks the prefix and silences Wine).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
