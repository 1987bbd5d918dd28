# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_captionvideo LABELS e2e TIMEOUT 600 LIBS storyboard)
