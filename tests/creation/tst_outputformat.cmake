# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_outputformat LABELS unit LIBS creation HEADLESS)
