# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_videocolour LABELS media LIBS creation AUDIO HEADLESS TIMEOUT 600)
