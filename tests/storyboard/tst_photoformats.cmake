# SPDX-License-Identifier: GPL-3.0-or-later
find_package(JPEG REQUIRED)
vellumix_test(tst_photoformats LABELS media HEADLESS LIBS storyboard Qt6::Gui JPEG::JPEG
    PkgConfig::HEIF SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/../zomexif/photofixture.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/heicfixture.cpp TIMEOUT 600)
