# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (posix thread model).
# The programs are linked statically, so that they run alone; the tests run under Wine:
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PELORIN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PELORIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELORIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PELORIN_MINGW_PREFIX}-windres)

# The find commands look only under these roots; a prefix given with CMAKE_PREFIX_PATH (the
# libraries that scripts/windows-libs builds) is one of them.
set(CMAKE_FIND_ROOT_PATH /usr/${PELORIN_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libstdc++, libgcc or winpthread DLLs beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all wine)
