# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_audiodecoder LABELS media LIBS audio TIMEOUT 600)
