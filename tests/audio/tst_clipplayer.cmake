# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_clipplayer LABELS media AUDIO HEADLESS LIBS audio)
# Once more where OpenAL opens no output device: the clock must keep the same pace.
add_test(NAME tst_clipplayer_nodevice COMMAND tst_clipplayer)
get_test_property(tst_clipplayer ENVIRONMENT clipPlayerEnvironment)
list(TRANSFORM clipPlayerEnvironment REPLACE "^ALSOFT_DRIVERS=.*" "ALSOFT_DRIVERS=nonexistent")
set_tests_properties(tst_clipplayer_nodevice PROPERTIES LABELS "media"
    ENVIRONMENT "${clipPlayerEnvironment}" TIMEOUT 300)
