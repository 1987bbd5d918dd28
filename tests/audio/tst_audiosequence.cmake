# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_audiosequence LABELS media threads LIBS audio)
