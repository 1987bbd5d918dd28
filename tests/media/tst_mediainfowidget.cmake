vellumix_test(tst_mediainfowidget LABELS gui unit LIBS media)
