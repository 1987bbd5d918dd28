# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_avplayer LABELS gui media AUDIO LIBS preview)
# Once more where OpenAL opens no output device: the preview must keep time all the same.
add_test(NAME tst_avplayer_nodevice COMMAND tst_avplayer)
get_test_property(tst_avplayer ENVIRONMENT avplayerEnvironment)
list(TRANSFORM avplayerEnvironment REPLACE "^ALSOFT_DRIVERS=.*" "ALSOFT_DRIVERS=nonexistent")
set_tests_properties(tst_avplayer_nodevice PROPERTIES LABELS "gui;media" RESOURCE_LOCK display
    ENVIRONMENT "${avplayerEnvironment}" TIMEOUT 300)
# And where the device takes the sound but never plays it: an ALSA sink that discards it.
add_test(NAME tst_avplayer_stalleddevice COMMAND tst_avplayer keepsTimeWhereTheDeviceDoesNot)
list(TRANSFORM avplayerEnvironment REPLACE "^ALSOFT_DRIVERS=.*" "ALSOFT_DRIVERS=alsa")
set_tests_properties(tst_avplayer_stalleddevice PROPERTIES LABELS "gui;media" RESOURCE_LOCK display
    ENVIRONMENT "${avplayerEnvironment};ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/nullsink.conf"
    TIMEOUT 300)
