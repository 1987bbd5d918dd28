# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_zoutils LABELS unit HEADLESS LIBS zofc)
