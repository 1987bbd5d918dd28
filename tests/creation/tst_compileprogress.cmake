# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_compileprogress LABELS e2e gui LIBS creation AUDIO TIMEOUT 900)
