# Cross-builds for 64-bit Windows with Debian's MinGW-w64 GCC:
#
#   cmake -S . -B build-windows --toolchain scripts/toolchains/mingw-w64-x86_64.cmake
#
# The posix thread model, not win32: GCC 12's win32 model has no std::thread
# (it arrived with GCC 13), and the fault record is kept per thread and
# tested from a second one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and winpthreads linked in, so an executable runs
# on its own: no libstdc++-6.dll, libgcc_s_seh-1.dll or libwinpthread-1.dll
# has to be found beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# ctest runs the executables under Wine when it is installed (Debian puts
# wine64 outside PATH).
find_program(VINTREL_WINE64 NAMES wine64 PATHS /usr/lib/wine)
if(VINTREL_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VINTREL_WINE64})
endif()
