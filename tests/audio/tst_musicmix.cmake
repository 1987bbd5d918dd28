# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_musicmix LABELS unit media LIBS audio)
