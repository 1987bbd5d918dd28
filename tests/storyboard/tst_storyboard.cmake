# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_storyboard LABELS unit LIBS storyboard)
