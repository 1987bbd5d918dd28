vellumix_test(tst_transitions LABELS unit LIBS storyboard HEADLESS)
