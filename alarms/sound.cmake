# The default alarm sound rooster.wav, synthesised with sox and put beside
# tockmere.exe. Included by the program's build.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/rooster.wav
  COMMAND bash ${PROJECT_SOURCE_DIR}/alarms/make_rooster.sh ${CMAKE_BINARY_DIR}/rooster.wav
  DEPENDS ${PROJECT_SOURCE_DIR}/alarms/make_rooster.sh
  COMMENT "Synthesising the alarm sound rooster.wav"
  VERBATIM)
add_custom_target(rooster_sound ALL DEPENDS ${CMAKE_BINARY_DIR}/rooster.wav)

# A host test: sox measures the file, no Wine needed.
add_test(NAME rooster_sound_format
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/files/check_rooster.sh ${CMAKE_BINARY_DIR}/rooster.wav)
