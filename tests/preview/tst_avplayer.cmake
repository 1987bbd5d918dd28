vellumix_test(tst_avplayer LABELS gui media AUDIO LIBS preview)
# Once more where OpenAL opens no output device: the preview must keep time all the same.
add_test(NAME tst_avplayer_nodevice COMMAND tst_avplayer)
get_test_property(tst_avplayer ENVIRONMENT avplayerEnvironment)
list(TRANSFORM avplayerEnvironment REPLACE "^ALSOFT_DRIVERS=.*" "ALSOFT_DRIVERS=nonexistent")
set_tests_properties(tst_avplayer_nodevice PROPERTIES LABELS "gui;media"
    ENVIRONMENT "${avplayerEnvironment}" TIMEOUT 300)
