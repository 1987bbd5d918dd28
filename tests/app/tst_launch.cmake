# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_launch LABELS e2e TIMEOUT 180 LIBS zofc)
