vellumix_test(tst_avplayer LABELS gui media AUDIO LIBS audio storyboard)
# Once more where OpenAL opens no output device: the preview must keep time all the same.
add_test(NAME tst_avplayer_nodevice COMMAND tst_avplayer)
set_tests_properties(tst_avplayer_nodevice PROPERTIES LABELS "gui;media"
    ENVIRONMENT "VELLUMIX_APP_DIR=${VELLUMIX_APP_DIR};ALSOFT_DRIVERS=nonexistent" TIMEOUT 300)
