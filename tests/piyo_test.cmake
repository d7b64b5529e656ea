# The program looks for the user's own media under $XDG_DATA_HOME/piyo. Tests
# never read the real home: they get an empty data home of their own, and each
# test a settings folder of its own.
set(PIYO_TEST_DATA_HOME "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data-home")

# piyo_add_test(NAME SOURCES... LIBS libs... [LABELS labels...])
# A Qt Test executable run offscreen by CTest.
function(piyo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  # Each test runs from a directory of its own: the program finds its media
  # beside its executable, and a test writes the media it needs there.
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  # Settings and history go to a home of the test's own, never the user's.
  # Tests run away from the program's folder: they name the sound back end.
  add_dependencies(${name} piyo-sound)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PIYO_SOUND_MODULE=$<TARGET_FILE:piyo-sound>;${PIYO_TEST_DATA_HOME};XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/${name}-home/config"
      LABELS "${ARG_LABELS}")
endfunction()
