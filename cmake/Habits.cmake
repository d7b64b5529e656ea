# The habits CI enforces, as targets anyone can run:
#   format        rewrites the C++ sources with clang-format
#   format-check  fails on any source clang-format would change
#   tidy          runs clang-tidy (.clang-tidy) over src/, findings are errors
# Both tools come from Debian 12 (version 14), so every machine formats alike.

file(GLOB_RECURSE PIYO_CXX_SOURCES CONFIGURE_DEPENDS
     LIST_DIRECTORIES false RELATIVE ${CMAKE_SOURCE_DIR}
     ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h
     ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h
     ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.h
     ${CMAKE_SOURCE_DIR}/bench/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.h
     ${CMAKE_SOURCE_DIR}/fuzz/*.cpp ${CMAKE_SOURCE_DIR}/fuzz/*.h)

find_program(PIYO_CLANG_FORMAT NAMES clang-format-14 clang-format)
if(PIYO_CLANG_FORMAT)
  add_custom_target(format-check
    COMMAND ${PIYO_CLANG_FORMAT} --dry-run -Werror ${PIYO_CXX_SOURCES}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Checking that the C++ sources are formatted as .clang-format says"
    VERBATIM)
  add_custom_target(format
    COMMAND ${PIYO_CLANG_FORMAT} -i ${PIYO_CXX_SOURCES}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    VERBATIM)
endif()

find_program(PIYO_RUN_CLANG_TIDY NAMES run-clang-tidy-14 run-clang-tidy)
find_program(PIYO_CLANG_TIDY NAMES clang-tidy-14 clang-tidy)
if(PIYO_RUN_CLANG_TIDY AND PIYO_CLANG_TIDY)
  cmake_host_system_information(RESULT PIYO_CORES QUERY NUMBER_OF_LOGICAL_CORES)
  # Only the program's own sources; the generated moc files are Qt's.
  # scripts/tidy.sh prints the findings alone, not the per-file noise of a clean run.
  add_custom_target(tidy
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/tidy.sh ${PIYO_RUN_CLANG_TIDY} ${PIYO_CLANG_TIDY}
            ${CMAKE_BINARY_DIR} ${PIYO_CORES} "^${CMAKE_SOURCE_DIR}/src/.*\\.cpp$"
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Running clang-tidy over src/"
    VERBATIM)
endif()
