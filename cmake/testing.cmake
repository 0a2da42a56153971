# GoogleTest: Debian's installed libraries natively, its source tree when cross-compiling.
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# The public BMP Suite, kept beside the repository; the tests find it through this path.
get_filename_component(ZELMORA_BMPSUITE_DIR ${CMAKE_SOURCE_DIR}/../shared/bmpsuite ABSOLUTE)
if(NOT EXISTS ${ZELMORA_BMPSUITE_DIR})
  set(ZELMORA_BMPSUITE_DIR ${CMAKE_SOURCE_DIR}/testdata/bmpsuite)
endif()

# zelmora_test(NAME SOURCES... LIBS ... [PROPERTIES ...]): one GoogleTest program, listed by
# CTest at test time so that the cross-built ones are asked for their tests under Wine, not at
# build time. PROPERTIES are further test properties for each of its tests.
function(zelmora_test name)
  if(ZELMORA_FUZZ)
    return()  # the fuzzing build makes only the fuzz targets
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} zelmora_test_main zelmora_test_support
                        GTest::gtest GTest::gmock)
  set(environment "")
  if(ZELMORA_SANITIZE)
    # Leaks count as failures, and so does any sanitizer report.
    set(environment ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:exitcode=23")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES
                       PROPERTIES TIMEOUT 120 ${environment} ${T_PROPERTIES})
endfunction()

# Tests that store desktop settings or write the wallpaper file share the one desktop and Windows
# folder of the Wine prefix, so under Wine they never run side by side. Natively each test
# process points the desktop at a temporary home of its own.
if(CMAKE_CROSSCOMPILING)
  set(ZELMORA_DESKTOP_LOCK RESOURCE_LOCK zelmora_desktop)
else()
  set(ZELMORA_DESKTOP_LOCK)
endif()
