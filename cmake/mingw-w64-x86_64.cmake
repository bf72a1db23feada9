# Cross build for 64-bit Windows with Debian's mingw-w64 compilers; the test
# programs run under wine. The -posix compilers are needed: the win32 thread
# model has no std::mutex, which GoogleTest uses. Everything is linked
# statically so that the programs need no MinGW runtime DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(VELLUMAR_WINE NAMES wine wine64)
if(VELLUMAR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELLUMAR_WINE})
endif()

# The whole program (preset windows-full): pkg-config finds the static
# libsodium of tools/windows-deps.sh, never the host's.
if(VELLUMAR_MINGW_DEPS)
  set(ENV{PKG_CONFIG_LIBDIR} "${VELLUMAR_MINGW_DEPS}/sodium/lib/pkgconfig")
endif()
