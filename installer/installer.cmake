# The setup program, made with Debian's NSIS (makensis) from the files the
# build puts beside tockmere.exe: tockmere-setup.exe for the 32-bit clock,
# tockmere-x64-setup.exe for the 64-bit one. Included by the program's build.
find_program(TOCKMERE_MAKENSIS makensis)
if(NOT TOCKMERE_MAKENSIS)
  message(FATAL_ERROR "makensis not found: run tools/setup.sh (Debian package nsis)")
endif()

set(setup_staging ${CMAKE_BINARY_DIR}/setup-staging)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(setup_program ${CMAKE_BINARY_DIR}/tockmere-x64-setup.exe)
  set(setup_target -DX64)
else()
  set(setup_program ${CMAKE_BINARY_DIR}/tockmere-setup.exe)
  set(setup_target)
endif()
set(setup_script ${PROJECT_SOURCE_DIR}/installer/tockmere.nsi)
set(setup_font_dir ${CMAKE_BINARY_DIR}/fonts)

# The shipped tockmere.exe is the built one without its symbols (the static
# runtime brings debugging sections of its own).
add_custom_command(
  OUTPUT ${setup_program} ${setup_staging}/tockmere.exe
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${setup_staging}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${setup_staging}/fonts
  COMMAND ${CMAKE_STRIP} -o ${setup_staging}/tockmere.exe $<TARGET_FILE:tockmere>
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/Tockmere.chm ${CMAKE_BINARY_DIR}/rooster.wav
          ${setup_staging}
  COMMAND ${CMAKE_COMMAND} -E copy ${setup_font_dir}/SegmoraMono.ttf ${setup_font_dir}/OFL.txt
          ${setup_staging}/fonts
  COMMAND ${TOCKMERE_MAKENSIS} -V2 -WX -DSTAGING=${setup_staging} -DOUTFILE=${setup_program}
          -DICON=${PROJECT_SOURCE_DIR}/res/tockmere.ico ${setup_target} ${setup_script}
  DEPENDS ${setup_script} tockmere $<TARGET_FILE:tockmere> ${PROJECT_SOURCE_DIR}/res/tockmere.ico
          ${CMAKE_BINARY_DIR}/Tockmere.chm ${CMAKE_BINARY_DIR}/rooster.wav
          ${setup_font_dir}/SegmoraMono.ttf ${setup_font_dir}/OFL.txt
  COMMENT "Making the setup program"
  VERBATIM)
add_custom_target(setup_program ALL DEPENDS ${setup_program})

# A host test: the release files' headers, imports and resources.
add_test(NAME release_files
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/files/check_release.sh ${CMAKE_SYSTEM_PROCESSOR}
          $<TARGET_FILE:tockmere> ${setup_staging}/tockmere.exe ${setup_program})
