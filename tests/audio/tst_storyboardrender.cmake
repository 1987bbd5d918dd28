vellumix_test(tst_storyboardrender LABELS gui threads LIBS audio)
