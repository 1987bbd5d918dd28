vellumix_test(tst_showfile LABELS unit LIBS storyboard)
