# The face font "Segmora Mono", made at build time from Debian's DSEG fonts
# (fonts-dseg) with fontTools (python3-fonttools), and its licence, both in
# ${CMAKE_BINARY_DIR}/fonts. The Wine test harness installs it from there.
set(TOCKMERE_FONT_PYTHON /usr/bin/python3 CACHE FILEPATH
    "Python 3 that has fontTools (Debian's python3-fonttools)")
set(dseg_dir /usr/share/fonts/truetype/dseg)
set(face_font_dir ${CMAKE_BINARY_DIR}/fonts)

add_custom_command(
  OUTPUT ${face_font_dir}/SegmoraMono.ttf ${face_font_dir}/OFL.txt
  COMMAND ${TOCKMERE_FONT_PYTHON} ${PROJECT_SOURCE_DIR}/face/make_font.py
          --dseg-dir ${dseg_dir}
          --copyright /usr/share/doc/fonts-dseg/copyright
          --out-dir ${face_font_dir}
  DEPENDS ${PROJECT_SOURCE_DIR}/face/make_font.py
          ${dseg_dir}/DSEG7Classic-Regular.ttf ${dseg_dir}/DSEG14Classic-Regular.ttf
  COMMENT "Making the face font Segmora Mono"
  VERBATIM)
add_custom_target(face_font ALL
  DEPENDS ${face_font_dir}/SegmoraMono.ttf ${face_font_dir}/OFL.txt)

# A host test: each glyph against the DSEG face it comes from.
add_test(NAME face_font_glyphs
  COMMAND ${TOCKMERE_FONT_PYTHON} ${PROJECT_SOURCE_DIR}/tests/files/check_face_font.py
          ${face_font_dir}/SegmoraMono.ttf ${dseg_dir})
