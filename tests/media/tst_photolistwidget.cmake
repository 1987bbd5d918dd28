# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_photolistwidget LABELS gui media LIBS media PkgConfig::EXIF
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/../zomexif/photofixture.cpp)
