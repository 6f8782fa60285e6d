set(CMAKE_C_COMPILER ${KELPA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELPA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KELPA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KELPA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Link the C and C++ runtimes and winpthread statically, so that the program,
# the stand-in runtime and the tests run on a Windows with no MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
