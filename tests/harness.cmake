# The Wine harness: one Xvfb and one throwaway prefix per ctest run, shared by
# every test that requires the "wine" fixture.
set(harness ${PROJECT_SOURCE_DIR}/tests/harness)

add_test(NAME wine_env_start COMMAND ${harness}/wine-env.sh start ${TOCKMERE_WINE_ENV})
set_tests_properties(wine_env_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
add_test(NAME wine_env_stop COMMAND ${harness}/wine-env.sh stop ${TOCKMERE_WINE_ENV})
set_tests_properties(wine_env_stop PROPERTIES FIXTURES_CLEANUP wine)

# The tests' clock shifter is a Linux i386 library, built by the host's gcc.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/libtimeshift.so
  COMMAND gcc -m32 -shared -fPIC -O2 -Wall -o ${CMAKE_BINARY_DIR}/libtimeshift.so
          ${harness}/timeshift.c -ldl
  DEPENDS ${harness}/timeshift.c
  COMMENT "Building the tests' clock shifter")
add_custom_target(timeshift ALL DEPENDS ${CMAKE_BINARY_DIR}/libtimeshift.so)
