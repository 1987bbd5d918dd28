vellumix_test(tst_storyboard LABELS unit LIBS storyboard)
