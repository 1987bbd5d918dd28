# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_commandline LABELS unit LIBS creation HEADLESS)
