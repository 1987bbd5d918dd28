vellumix_test(tst_translations LABELS gui i18n LIBS app)
