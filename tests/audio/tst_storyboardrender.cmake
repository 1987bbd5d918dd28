# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_storyboardrender LABELS gui threads LIBS audio)
