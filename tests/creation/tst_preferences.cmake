# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_preferences LABELS gui LIBS creation)
