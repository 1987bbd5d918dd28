# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_zomessagefilter LABELS unit HEADLESS LIBS zofc)
