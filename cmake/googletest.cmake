# GoogleTest from Debian's source package when present, else from GitHub
# (a Windows developer's machine).
set(RAVO_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
if(EXISTS "${RAVO_GTEST_SOURCE}/CMakeLists.txt")
  add_subdirectory("${RAVO_GTEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
else()
  include(FetchContent)
  FetchContent_Declare(googletest
    URL https://github.com/google/googletest/archive/refs/tags/release-1.12.1.tar.gz)
  FetchContent_MakeAvailable(googletest)
endif()
