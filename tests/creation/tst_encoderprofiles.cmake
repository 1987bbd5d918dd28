# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_encoderprofiles LABELS media LIBS creation HEADLESS TIMEOUT 900)
