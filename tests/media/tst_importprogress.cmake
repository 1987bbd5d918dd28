# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_importprogress LABELS gui media threads LIBS media)
