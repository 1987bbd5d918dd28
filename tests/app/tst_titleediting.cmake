# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_titleediting LABELS gui e2e LIBS app SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/windowtest.h)
