# tockmere.exe and the Win32 glue around the portable core.
enable_language(RC)

# The glue: every *_win.cpp except the entry point, as a library the Wine
# tests link against too.
file(GLOB glue_sources CONFIGURE_DEPENDS
  app/*_win.cpp face/*_win.cpp settings/*_win.cpp alarms/*_win.cpp help/*_win.cpp)
list(FILTER glue_sources EXCLUDE REGEX "winmain_win\\.cpp$")

set(win32_libraries comctl32 comdlg32 gdiplus winmm shell32 advapi32 gdi32 user32 kernel32 ole32 uuid)
# Windows 7 and later: the oldest Windows the program is built and tested for
# (it imports GetTickCount64, which came with Vista).
set(win32_definitions WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600 NOMINMAX)

add_library(tockmere_win STATIC ${glue_sources})
target_link_libraries(tockmere_win PUBLIC tockmere_core ${win32_libraries})
target_compile_definitions(tockmere_win PUBLIC ${win32_definitions})
target_compile_options(tockmere_win PRIVATE -Wall -Wextra)

# The manifest names the processor architecture of the build.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TOCKMERE_MANIFEST_ARCH amd64)
else()
  set(TOCKMERE_MANIFEST_ARCH x86)
endif()
set(TOCKMERE_RESOURCE_DIRS ${PROJECT_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/res)
configure_file(res/tockmere.manifest.in ${CMAKE_BINARY_DIR}/res/tockmere.manifest @ONLY)
# windres does not report the files the script pulls in: a changed manifest
# or picture must still rebuild the resources.
file(GLOB resource_files CONFIGURE_DEPENDS res/*.ico res/*.bmp)
set_source_files_properties(res/tockmere.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/res/tockmere.manifest;${resource_files}")

add_executable(tockmere WIN32 app/winmain_win.cpp res/tockmere.rc)
target_link_libraries(tockmere PRIVATE tockmere_win)
target_include_directories(tockmere PRIVATE ${TOCKMERE_RESOURCE_DIRS})
set_target_properties(tockmere PROPERTIES OUTPUT_NAME tockmere)

# Files the program ships beside tockmere.exe (help file, default sound, face
# font), each made by a build step of its own subsystem.
include(${PROJECT_SOURCE_DIR}/face/font.cmake)
include(${PROJECT_SOURCE_DIR}/help/help.cmake)
include(${PROJECT_SOURCE_DIR}/alarms/sound.cmake)
include(${PROJECT_SOURCE_DIR}/installer/installer.cmake)

# Benchmarks of the clock face: built with the tree, run by
# tools/benchmark-face.sh, never by ctest.
add_subdirectory(${PROJECT_SOURCE_DIR}/bench ${CMAKE_BINARY_DIR}/bench)
