vellumix_test(tst_framecomposition LABELS unit LIBS storyboard HEADLESS)
