# Cross toolchain for 64-bit Windows executables (MinGW-w64, x86_64). The product
# ships as 32-bit; this build exists so the Windows-side tests can run under
# 64-bit Wine on machines whose kernel cannot run Wine's 32-bit loader.
#
#   cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake

set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SCRAPVAULT_MINGW_TRIPLET x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
