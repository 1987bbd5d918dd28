# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_avc LABELS media LIBS Qt6::Core HEADLESS TIMEOUT 300)
