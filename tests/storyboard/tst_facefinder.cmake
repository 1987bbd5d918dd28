# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_facefinder LABELS unit HEADLESS LIBS storyboard Qt6::Gui
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/facefixture.cpp)
