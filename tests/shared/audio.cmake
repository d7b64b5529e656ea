# Real sound: plays into the PulseAudio null sink "nullsink" that the test
# command starts, and records its monitor. Skipped when PULSE_SERVER is not
# set (a failure on CI). The sound lock keeps other tests that play or record
# sound from running at the same time.
piyo_add_test(tst_audioplayer
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_audioplayer.cpp
            ${CMAKE_CURRENT_LIST_DIR}/audiomonitor.h ${CMAKE_CURRENT_LIST_DIR}/audiomonitor.cpp
            ${CMAKE_CURRENT_LIST_DIR}/audiotestfiles.h ${CMAKE_CURRENT_LIST_DIR}/audiotestfiles.cpp
    LIBS piyo_screenkit piyo_sound PkgConfig::SNDFILE
    LABELS sound)
set_tests_properties(tst_audioplayer PROPERTIES RESOURCE_LOCK sound TIMEOUT 120)
