# GoogleTest: the installed package natively, Debian's googletest sources for the
# cross build. Every test binary is one ctest entry, so the Windows build starts
# Wine once per binary rather than once per case.
enable_testing()
# Under Wine the Unix file system is drive Z:.
if(WIN32)
  set(HS_PATH_PREFIX "Z:")
else()
  set(HS_PATH_PREFIX "")
endif()
if(WIN32)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_library(hs_gtest INTERFACE)
  target_link_libraries(hs_gtest INTERFACE gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  find_package(Threads REQUIRED)
  add_library(hs_gtest INTERFACE)
  target_link_libraries(hs_gtest INTERFACE GTest::gtest GTest::gtest_main Threads::Threads)
endif()

# hs_add_test(NAME name SOURCES a.cpp ... LIBS lib ...)
function(hs_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} hs_gtest)
  hs_sees_everything(${T_NAME})
  target_compile_definitions(${T_NAME} PRIVATE HS_SOURCE_DIR="${HS_PATH_PREFIX}${CMAKE_SOURCE_DIR}"
                                               HS_FIXTURES_DIR="${HS_PATH_PREFIX}${CMAKE_SOURCE_DIR}/tests/fixtures")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300)
endfunction()

# hs_tell_tests_wine_arch(): every test of the build, in this folder and all below it,
# runs with HS_WINE_ARCH set to the Wine the build's binaries need (win32 for i686,
# win64 for x86-64; the toolchain file says which), so the Wine wrapper and the checks
# that drive the program pick prefixes of that architecture (scripts/wine-env.sh).
# ctest includes a file that sets it in its own environment, which the tests inherit,
# from each folder's test file, so a run from any folder of the build tree has it.
# Called once, after every folder has been added.
function(hs_tell_tests_wine_arch)
  set(script ${CMAKE_BINARY_DIR}/wine-arch.cmake)
  file(WRITE ${script}.new "set(ENV{HS_WINE_ARCH} ${HS_WINE_ARCH})\n")
  configure_file(${script}.new ${script} COPYONLY)
  set(folders ${CMAKE_CURRENT_SOURCE_DIR})
  while(folders)
    list(POP_FRONT folders folder)
    set_property(DIRECTORY ${folder} APPEND PROPERTY TEST_INCLUDE_FILES ${script})
    get_property(below DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${below})
  endwhile()
endfunction()
