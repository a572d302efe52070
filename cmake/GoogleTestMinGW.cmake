# Builds GoogleTest (gtest, gtest_main) from the sources of Debian's `googletest`
# package inside the cross build; MinGW has no prebuilt GoogleTest to link against.
#
#   include(${repo}/cmake/GoogleTestMinGW.cmake)
#   target_link_libraries(my_test PRIVATE gtest_main)

include_guard(GLOBAL)

set(SCRAPVAULT_GOOGLETEST_SOURCE_DIR "/usr/src/googletest"
    CACHE PATH "GoogleTest sources (Debian package googletest)")

if(NOT EXISTS "${SCRAPVAULT_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR
    "GoogleTest sources not found in ${SCRAPVAULT_GOOGLETEST_SOURCE_DIR}; "
    "run scripts/install-deps.sh (package googletest).")
endif()

# googletest declares these with option() under an old policy level, so only a
# cache entry overrides them.
set(BUILD_GMOCK OFF CACHE BOOL "Build GoogleMock" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "Install GoogleTest" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)

add_subdirectory("${SCRAPVAULT_GOOGLETEST_SOURCE_DIR}"
                 "${CMAKE_BINARY_DIR}/third_party/googletest" EXCLUDE_FROM_ALL)

# The project's -Werror is for the project's code; GoogleTest's own sources warn
# under MinGW's headers and are not ours to fix.
foreach(_gtest_target IN ITEMS gtest gtest_main)
  target_compile_options(${_gtest_target} PRIVATE -Wno-error)
endforeach()
unset(_gtest_target)
