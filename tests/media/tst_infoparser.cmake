# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_infoparser LABELS unit media threads HEADLESS LIBS media)
