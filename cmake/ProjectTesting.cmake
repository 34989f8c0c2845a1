# Test programs run through the project's Wine runner when cross-compiled, natively otherwise.

# Each Windows build has its own Wine prefix, of its own bitness, in build*/wine.
set(WINE_STATE ${CMAKE_BINARY_DIR}/wine)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(WINE_BITS 64)
else()
  set(WINE_BITS 32)
endif()
set(WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
if(WIN32)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_RUN} --state ${WINE_STATE} --bits ${WINE_BITS})
endif()

macro(project_add_googletest)
  set(GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(WIN32)
    # One wine server and one virtual display for the whole run.
    add_test(NAME wine_start COMMAND ${WINE_RUN} --state ${WINE_STATE} --bits ${WINE_BITS} --start)
    add_test(NAME wine_stop COMMAND ${WINE_RUN} --state ${WINE_STATE} --bits ${WINE_BITS} --stop)
    set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
    set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
  endif()
endmacro()

# add_program_test(<name> <target> [SERIAL <pairs>] [TIMEOUT <s>] [ARGS ...] [RESOURCE_LOCK ...]
#                  [BACKGROUND])
# SERIAL gives the program that many pseudo-terminal pairs mapped as COM ports (see wine-run.sh).
# Windows programs share one display, and focus and activation are the display's: they run one
# at a time unless BACKGROUND says the program never depends on focus.
function(add_program_test name target)
  cmake_parse_arguments(T "BACKGROUND" "SERIAL;TIMEOUT" "ARGS;RESOURCE_LOCK" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  if(WIN32)
    set(cmd ${WINE_RUN} --state ${WINE_STATE} --bits ${WINE_BITS})
    if(T_SERIAL)
      list(APPEND cmd --serial ${T_SERIAL})
      list(APPEND T_RESOURCE_LOCK serial_ports)
    endif()
    if(NOT T_BACKGROUND)
      list(APPEND T_RESOURCE_LOCK desktop)
    endif()
    add_test(NAME ${name} COMMAND ${cmd} $<TARGET_FILE:${target}> ${T_ARGS})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
  else()
    add_test(NAME ${name} COMMAND $<TARGET_FILE:${target}> ${T_ARGS})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_RESOURCE_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_RESOURCE_LOCK}")
  endif()
endfunction()

# A GoogleTest program: sources plus the libraries under test.
# The fuzz build builds fuzz targets only.
function(add_gtest_program name)
  cmake_parse_arguments(T "BACKGROUND" "SERIAL;TIMEOUT" "SOURCES;LIBS;ARGS;RESOURCE_LOCK" ${ARGN})
  if(FUZZING)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
  set(extra)
  if(T_SERIAL)
    list(APPEND extra SERIAL ${T_SERIAL})
  endif()
  if(T_TIMEOUT)
    list(APPEND extra TIMEOUT ${T_TIMEOUT})
  endif()
  if(T_RESOURCE_LOCK)
    list(APPEND extra RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  if(T_BACKGROUND)
    list(APPEND extra BACKGROUND)
  endif()
  add_program_test(${name} ${name} ${extra} ARGS ${T_ARGS})
endfunction()

# add_fuzz_target(<name> SOURCES ... LIBS ... [SEEDS <dir>] [SECONDS <s>])
# A source defining LLVMFuzzerTestOneInput over pure logic. In the fuzz build (FUZZING, clang)
# it becomes a libFuzzer program that ctest runs for SECONDS (default 20) from the SEEDS folder;
# in the ordinary native build it is linked with a replay driver that runs the seeds and a fixed
# series of generated inputs under the sanitizers. The Windows builds leave it out.
function(add_fuzz_target name)
  cmake_parse_arguments(T "" "SEEDS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(WIN32)
    return()
  endif()
  if(NOT T_SECONDS)
    set(T_SECONDS 20)
  endif()
  set(seed_args)
  if(T_SEEDS)
    set(seed_args ${T_SEEDS})
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  if(FUZZING)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # libFuzzer writes what it finds into the first folder and only reads the seeds.
    set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}.corpus)
    file(MAKE_DIRECTORY ${work})
    add_test(NAME ${name}
      COMMAND ${name} -max_total_time=${T_SECONDS} -rss_limit_mb=2048 -timeout=10
              -print_final_stats=1 -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/${name}- ${work} ${seed_args})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_SECONDS}0)
  else()
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/FuzzReplay.cpp)
    add_test(NAME ${name} COMMAND ${name} ${seed_args})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# ship_stripped(<target>): a shipped program or DLL carries neither debug information nor symbol
# table; both go to symbols/<file>.debug in the build folder, which the stripped file names (gdb
# loads it with symbol-file).
function(ship_stripped target)
  set(symbols ${CMAKE_BINARY_DIR}/symbols)
  file(MAKE_DIRECTORY ${symbols})
  set(debug ${symbols}/$<TARGET_FILE_NAME:${target}>.debug)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${MINGW_PREFIX}-objcopy --only-keep-debug $<TARGET_FILE:${target}> ${debug}
    COMMAND ${MINGW_PREFIX}-objcopy --strip-all --add-gnu-debuglink=${debug} $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
