# Settings shared by the MinGW-w64 toolchain files; they set
# SCRAPVAULT_MINGW_TRIPLET and CMAKE_SYSTEM_PROCESSOR before including this.

set(CMAKE_SYSTEM_NAME Windows)

# The -posix variants: the win32-thread runtime has no std::mutex or std::thread,
# which GoogleTest and the test helpers need.
set(CMAKE_C_COMPILER ${SCRAPVAULT_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCRAPVAULT_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SCRAPVAULT_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCRAPVAULT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the executables need no MinGW DLLs beside them, so Wine runs
# them from the build folder as they are.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs the .exe tests through Wine, in the session that scripts/wine-session.sh
# sets up. The path is taken from this file's place, not CMAKE_SOURCE_DIR, because
# try_compile projects read the toolchain file too.
get_filename_component(_scrapvault_repo_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_scrapvault_repo_root}/scripts/wine-exec.sh")
unset(_scrapvault_repo_root)
