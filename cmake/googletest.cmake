# GoogleTest from Debian's source package, built with the cross compiler.
set(GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(googletest_source ${GOOGLETEST_SOURCE})
if(NOT EXISTS ${googletest_source}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${googletest_source}: run scripts/install-deps.sh")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${googletest_source} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# velquin_add_test(name SOURCES ... LIBS ... [WINDOW]): one test program, run by ctest
# through Wine. WINDOW tests make real windows, so they run one at a time on the display.
function(velquin_add_test name)
  cmake_parse_arguments(arg "WINDOW" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(arg_WINDOW)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
  endif()
endfunction()
