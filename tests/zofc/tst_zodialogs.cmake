# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_zodialogs LABELS gui HEADLESS LIBS zofc TIMEOUT 120)
