vellumix_test(tst_storyboardrender LABELS gui LIBS audio)
