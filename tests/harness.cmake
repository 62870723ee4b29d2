# The Wine harness: one Xvfb and one throwaway prefix per ctest run, shared by
# every test that requires the "wine" fixture.
set(harness ${PROJECT_SOURCE_DIR}/tests/harness)

add_test(NAME wine_env_start COMMAND ${harness}/wine-env.sh start ${TOCKMERE_WINE_ENV} ${CMAKE_SYSTEM_PROCESSOR})
set_tests_properties(wine_env_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300 LABELS wine)
add_test(NAME wine_env_stop COMMAND ${harness}/wine-env.sh stop ${TOCKMERE_WINE_ENV})
set_tests_properties(wine_env_stop PROPERTIES FIXTURES_CLEANUP wine LABELS wine)

# The tests' clock shifter, a Linux library built by the host's gcc for both
# of the Wine loader's architectures (i386 and x86_64): wine-run.sh preloads
# it by name over a search path of both folders, so the dynamic loader gives
# each process, Wine's or a helper's, the library of its own ABI.
set(timeshift_libraries)
foreach(bits 32 64)
  set(library ${CMAKE_BINARY_DIR}/timeshift/${bits}/libtimeshift.so)
  add_custom_command(
    OUTPUT ${library}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/timeshift/${bits}
    COMMAND gcc -m${bits} -shared -fPIC -O2 -Wall -Werror -o ${library} ${harness}/timeshift.c -ldl
    DEPENDS ${harness}/timeshift.c
    COMMENT "Building the tests' clock shifter (${bits}-bit)")
  list(APPEND timeshift_libraries ${library})
endforeach()
add_custom_target(timeshift ALL DEPENDS ${timeshift_libraries})
