# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_batchcreate LABELS e2e TIMEOUT 900 LIBS zofc)
