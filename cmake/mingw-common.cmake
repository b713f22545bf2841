# Cross build of the Windows programs with Debian's MinGW-w64 (posix thread model, which the
# test framework needs), for the target triplet that the including toolchain file names in
# DETRON_MINGW_TRIPLET. Test programs run through Wine.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${DETRON_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DETRON_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${DETRON_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DETRON_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that needs no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The runner reads each program's header and picks the Wine that runs it.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh")
