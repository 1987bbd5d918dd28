vellumix_test(tst_showwindow LABELS gui e2e LIBS app AUDIO TIMEOUT 600)
