// SPDX-License-Identifier: GPL-3.0-or-later
// The rectangles of a photo's motion dragged on the preview: moved, resized by a corner with the
// shape held, kept inside the frame's area, and handed out when the drag ends.
#include "controls/motionrecteditor.h"

#include <QDebug>
#include <QSignalSpy>
#include <QTest>

class TestMotionRectEditor : public QObject
{
    Q_OBJECT
private slots:
    void drags_data();
    void drags();
};

void TestMotionRectEditor::drags_data()
{
    QTest::addColumn<QPoint>("from"); // widget pixels: half the photo's
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRectF>("start");
    QTest::addColumn<QRectF>("end");

    const QRectF start(100, 100, 400, 300);
    const QRectF end(200, 150, 200, 150);
    QTest::newRow("end moved") << QPoint(150, 112) << QPoint(200, 137) << start
                               << QRectF(300, 200, 200, 150);
    QTest::newRow("start moved past the edge stops there")
        << QPoint(60, 60) << QPoint(-140, -140) << QRectF(0, 0, 400, 300) << end;
    QTest::newRow("corner keeps the shape")
        << QPoint(200, 150) << QPoint(260, 150) << start << QRectF(200, 150, 320, 240);
    QTest::newRow("corner stops at the frame's edge")
        << QPoint(250, 200) << QPoint(390, 290) << QRectF(100, 100, 2000.0 / 3.0, 500) << end;
    QTest::newRow("top-left corner, the other corner stays")
        << QPoint(50, 50) << QPoint(100, 80) << QRectF(200, 175, 300, 225) << end;
}

void TestMotionRectEditor::drags()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRectF, start);
    QFETCH(QRectF, end);

    MotionRectEditor editor;
    editor.resize(400, 300);
    editor.setBounds(QRectF(0, 0, 800, 600), QRect(0, 0, 400, 300));
    editor.setRects(QRectF(100, 100, 400, 300), QRectF(200, 150, 200, 150));
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QCOMPARE(editor.toWidget(QRectF(200, 150, 200, 150)), QRectF(100, 75, 100, 75));
    QSignalSpy edited(&editor, &MotionRectEditor::rectsEdited);

    QTest::mousePress(&editor, Qt::LeftButton, {}, from);
    QTest::mouseMove(&editor, (from + to) / 2);
    QTest::mouseMove(&editor, to);
    QCOMPARE(edited.size(), 0);
    QTest::mouseRelease(&editor, Qt::LeftButton, {}, to);
    QCOMPARE(edited.size(), 1);
    const auto near = [](const QRectF &a, const QRectF &b) {
        return std::abs(a.left() - b.left()) < 0.01 && std::abs(a.top() - b.top()) < 0.01
            && std::abs(a.width() - b.width()) < 0.01 && std::abs(a.height() - b.height()) < 0.01;
    };
    const QRectF gotStart = edited.at(0).at(0).toRectF();
    const QRectF gotEnd = edited.at(0).at(1).toRectF();
    QVERIFY2(near(gotStart, start), qPrintable(QDebug::toString(gotStart)));
    QVERIFY2(near(gotEnd, end), qPrintable(QDebug::toString(gotEnd)));

    // A press beside both rectangles drags nothing.
    QTest::mousePress(&editor, Qt::LeftButton, {}, QPoint(395, 295));
    QTest::mouseRelease(&editor, Qt::LeftButton, {}, QPoint(300, 200));
    QCOMPARE(edited.size(), 1);
}

QTEST_MAIN(TestMotionRectEditor)
#include "tst_motionrecteditor.moc"
