# The Wine harness: one Xvfb and one throwaway prefix per ctest run, shared by
# every test that requires the "wine" fixture.
set(harness ${PROJECT_SOURCE_DIR}/tests/harness)

add_test(NAME wine_env_start COMMAND ${harness}/wine-env.sh start ${TOCKMERE_WINE_ENV} ${CMAKE_SYSTEM_PROCESSOR})
set_tests_properties(wine_env_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
add_test(NAME wine_env_stop COMMAND ${harness}/wine-env.sh stop ${TOCKMERE_WINE_ENV})
set_tests_properties(wine_env_stop PROPERTIES FIXTURES_CLEANUP wine)

# The tests' clock shifter is a Linux library of the Wine loader's
# architecture (i386 for the 32-bit tree), built by the host's gcc.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(timeshift_abi -m32)
else()
  set(timeshift_abi -m64)
endif()
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/libtimeshift.so
  COMMAND gcc ${timeshift_abi} -shared -fPIC -O2 -Wall -o ${CMAKE_BINARY_DIR}/libtimeshift.so
          ${harness}/timeshift.c -ldl
  DEPENDS ${harness}/timeshift.c
  COMMENT "Building the tests' clock shifter")
add_custom_target(timeshift ALL DEPENDS ${CMAKE_BINARY_DIR}/libtimeshift.so)
