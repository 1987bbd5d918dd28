# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_gldrawer LABELS gui LIBS storyboard)
# The same program once more without any display: the drawer's off-screen path must not need X.
add_test(NAME tst_gldrawer_headless COMMAND tst_gldrawer)
set_tests_properties(tst_gldrawer_headless PROPERTIES LABELS gui
    ENVIRONMENT "VELLUMIX_APP_DIR=${VELLUMIX_APP_DIR};QT_QPA_PLATFORM=offscreen"
    ENVIRONMENT_MODIFICATION "DISPLAY=unset:;WAYLAND_DISPLAY=unset:" TIMEOUT 300)
