# GoogleTest for both builds: Debian's libgtest-dev natively, Debian's
# googletest sources compiled by the cross compiler for Windows. Windows
# tests run under Wine through the cross-compiling emulator.
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Not our code: its warnings stay warnings.
  set_target_properties(gtest gtest_main PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
  set(SKYVAULT_GTEST_MAIN gtest_main)
  set(SKYVAULT_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh)
else()
  find_package(GTest REQUIRED)
  set(SKYVAULT_GTEST_MAIN GTest::gtest_main)
endif()

# skyvault_add_test(NAME n SOURCES a.cpp... LIBS lib... [LABELS l...] [TIMEOUT s])
# One GoogleTest executable, its cases registered one by one with CTest.
function(skyvault_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ${SKYVAULT_GTEST_MAIN})
  set(labels ${T_LABELS})
  if(CMAKE_CROSSCOMPILING)
    list(APPEND labels windows)
  else()
    list(APPEND labels native)
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS "${labels}" TIMEOUT ${T_TIMEOUT})
endfunction()
