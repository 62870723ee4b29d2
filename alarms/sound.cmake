# The default alarm sound rooster.wav, synthesised with sox and put beside
# tockmere.exe. Included by the program's build.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/rooster.wav
  COMMAND bash ${PROJECT_SOURCE_DIR}/alarms/make_rooster.sh ${CMAKE_BINARY_DIR}/rooster.wav
  DEPENDS ${PROJECT_SOURCE_DIR}/alarms/make_rooster.sh
  COMMENT "Synthesising the alarm sound rooster.wav"
  VERBATIM)
add_custom_target(rooster_sound ALL DEPENDS ${CMAKE_BINARY_DIR}/rooster.wav)
