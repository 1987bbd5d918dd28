vellumix_test(tst_filetypes LABELS gui unit LIBS media HEADLESS)
