# The help file Tockmere.chm, compiled on the build machine with chmcmd and
# put beside tockmere.exe. Included by the program's build.
set(help_dir ${PROJECT_SOURCE_DIR}/help)
file(GLOB help_pages CONFIGURE_DEPENDS ${help_dir}/html/*)
set(help_sources ${help_dir}/tockmere.hhp ${help_dir}/tockmere.hhc ${help_dir}/tockmere.hhk ${help_pages})

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/Tockmere.chm
  COMMAND bash ${help_dir}/compile_help.sh ${help_dir}
          ${CMAKE_BINARY_DIR}/help-staging ${CMAKE_BINARY_DIR}/Tockmere.chm
  DEPENDS ${help_sources} ${help_dir}/compile_help.sh
  COMMENT "Compiling the help file Tockmere.chm"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS ${CMAKE_BINARY_DIR}/Tockmere.chm)

# A host test: no Wine needed to look inside the file.
add_test(NAME help_file_contents
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/files/check_help_file.sh ${CMAKE_BINARY_DIR}/Tockmere.chm)
