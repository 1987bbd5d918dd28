# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_mediaimport LABELS unit LIBS media Qt6::Gui
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/../storyboard/facefixture.cpp)
