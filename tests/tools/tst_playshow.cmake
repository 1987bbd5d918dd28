# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_playshow LABELS e2e AUDIO LIBS Qt6::Core TIMEOUT 120)
target_compile_definitions(tst_playshow PRIVATE PLAYSHOW_PROGRAM="$<TARGET_FILE:playshow>")
add_dependencies(tst_playshow playshow)
