// SPDX-License-Identifier: GPL-3.0-or-later
// The duration spin box, typed into as a user does: values past either end are corrected to
// the end once confirmed, and everything else behaves as in a plain spin box.
#include "controls/durationspinbox.h"

#include <QSignalSpy>
#include <QTest>

class TestDurationSpinBox : public QObject
{
    Q_OBJECT
private slots:
    void typedValuesEndInTheRange_data();
    void typedValuesEndInTheRange();
};

void TestDurationSpinBox::typedValuesEndInTheRange_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::newRow("inside") << "5040" << 5040;
    QTest::newRow("one digit too many") << "999999" << 999000;
    QTest::newRow("far too many") << "12345678901" << 999000;
    QTest::newRow("below") << "400" << 1000;
    QTest::newRow("letters refused") << "12x34" << 1234;
    QTest::newRow("nothing typed") << "" << 5000;
}

void TestDurationSpinBox::typedValuesEndInTheRange()
{
    QFETCH(QString, typed);
    QFETCH(int, value);
    DurationSpinBox box;
    box.setRange(1000, 999000);
    box.setValue(5000);
    box.setKeyboardTracking(false);
    box.show();
    QSignalSpy changed(&box, &QSpinBox::valueChanged);
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, typed);
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.value(), value);
    QCOMPARE(box.text(), QString::number(value));
    QCOMPARE(changed.size(), value == 5000 ? 0 : 1);
}

QTEST_MAIN(TestDurationSpinBox)
#include "tst_durationspinbox.moc"
