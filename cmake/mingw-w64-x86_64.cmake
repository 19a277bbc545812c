# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads variant, which
# std::thread and std::mutex need). Used by `make test-windows`:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_DLLTOOL ${MINGW_TRIPLET}-dlltool)

# Libraries and headers of the target come from the MinGW tree only; programs run on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime is linked statically, so that the programs and tests need no MinGW DLL
# beside them (under Wine or on a Windows machine).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# GCC 12 warns falsely of overlapping copies inside std::basic_string's concatenation once it
# inlines them (-O2 and above); the warning says nothing about this code.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
