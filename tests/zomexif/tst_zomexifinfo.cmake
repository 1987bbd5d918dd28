# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_zomexifinfo LABELS unit HEADLESS LIBS zomexif Qt6::Gui
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/photofixture.cpp)
