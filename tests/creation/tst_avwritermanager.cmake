# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_avwritermanager LABELS gui LIBS creation AUDIO HEADLESS TIMEOUT 300)
