# Every test runs with a home and XDG folders of its own, made empty for each
# run under <test>-home/ in the build tree (tests/with-own-home.sh): it never
# reads the user's settings (a stored window scale moves every click) or media,
# and never writes into the user's home.
set(PIYO_WITH_OWN_HOME ${CMAKE_CURRENT_LIST_DIR}/with-own-home.sh)
# An empty data home, for a test added without piyo_add_command_test.
set(PIYO_TEST_DATA_HOME "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data-home")

# piyo_add_command_test(NAME COMMAND command args...)
# add_test with the home of the test's own; a target's executable is named
# with $<TARGET_FILE:target>.
function(piyo_add_command_test name)
  cmake_parse_arguments(ARG "" "" "COMMAND" ${ARGN})
  add_test(NAME ${name} COMMAND ${PIYO_WITH_OWN_HOME} ${CMAKE_CURRENT_BINARY_DIR}/${name}-home ${ARG_COMMAND})
endfunction()

# piyo_add_test(NAME SOURCES... LIBS libs... [LABELS labels...])
# A Qt Test executable run offscreen by CTest.
function(piyo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  # Each test runs from a directory of its own: the program finds its media
  # beside its executable, and a test writes the media it needs there.
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  # Tests run away from the program's folder: they name the sound back end.
  add_dependencies(${name} piyo-sound)
  piyo_add_command_test(${name} COMMAND $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PIYO_SOUND_MODULE=$<TARGET_FILE:piyo-sound>"
      LABELS "${ARG_LABELS}")
endfunction()
