# The GoogleTest programs of the Windows build, run under Wine (the toolchain's emulator). Test
# folders are built as on Linux, without the files that need what only POSIX hosts have there:
# the in-process web servers (cpp-httplib), fork and exec, signals, file modes and links.
# test_windows holds the tests of the Windows platform layer itself.
# GoogleTest from Debian's source package (googletest), built for Windows with the rest.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(VELMORA_TIMEOUT_SCALE 1 CACHE STRING "Factor applied to every test's time limit")
set(windows_test_dirs app assembly build markup model nav platform res sitewide windows)
set(posix_only_tests
  # web servers in the test process
  assembly/content_loader_test.cpp build/remote_content_test.cpp build/resource_copy_test.cpp
  nav/reference_correction_test.cpp sitewide/page_check_test.cpp
  # Linux host paths, file times, modes and links, resource limits, processes
  platform/drive_map_test.cpp platform/disk_write_test.cpp assembly/templates_test.cpp
  app/conversion_test.cpp sitewide/check_program_test.cpp)
# Cases of the shared programs about Linux host paths, the XDG folders and links.
set(posix_only_cases
  SettingsStoreTest.SaveWritesThroughALinkAndKeepsThePermissions
  SettingsStoreTest.DrivesAreMappedAndTheEnvironmentWins
  SettingsStoreTest.FileLocationFollowsTheEnvironment
  Interpretation.HostPathsNameCatalogsOnTheirDrive)
list(JOIN posix_only_cases ":" posix_only_filter)

file(GLOB support_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp)
list(FILTER support_sources EXCLUDE REGEX "/(raw_http_server|unprivileged|velmora_process)\\.cpp$")
add_library(velmora_test_support STATIC ${support_sources})
target_include_directories(velmora_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(velmora_test_support PUBLIC velmora_model)
# setenv, unsetenv and mkdtemp, which the tests use, for mingw.
target_compile_options(velmora_test_support PUBLIC
  -include ${CMAKE_CURRENT_SOURCE_DIR}/windows/posix_shim.h)

foreach(dir IN LISTS windows_test_dirs)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  foreach(excluded IN LISTS posix_only_tests)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  set(target test_${dir})
  add_executable(${target} ${sources} ${CMAKE_CURRENT_SOURCE_DIR}/support/gtest/fresh_context.cpp)
  velmora_test_layer(${dir} layer)
  target_link_libraries(${target} PRIVATE velmora_test_support velmora_${layer} gtest gmock
                                          gtest_main)
  target_compile_definitions(${target} PRIVATE
    VELMORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}" VELMORA_BINARY_DIR="${CMAKE_BINARY_DIR}")
  # One ctest test per program, each a single Wine process: starting fewer of them is quicker,
  # and leaves fewer chances for the rare Wine process that hangs as it starts or ends.
  add_test(NAME windows.${dir} COMMAND ${target} --gtest_filter=-${posix_only_filter})
  # Each program takes seconds; two minutes is a hang.
  math(EXPR timeout "120 * ${VELMORA_TIMEOUT_SCALE}")
  set_tests_properties(windows.${dir} PROPERTIES TIMEOUT ${timeout})
endforeach()
