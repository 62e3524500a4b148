#include "core/field_rules.h"

#include <QTest>

Q_DECLARE_METATYPE(ControlMode)

class TestFieldRules : public QObject {
    Q_OBJECT

private slots:
    void modes_data()
    {
        QTest::addColumn<QString>("opening");
        QTest::addColumn<ControlMode>("mode");
        QTest::newRow("star") << "*" << ControlMode::WideAngle;
        QTest::newRow("hash") << "#" << ControlMode::NarrowAngle;
        QTest::newRow("star with a blank") << " *" << ControlMode::Time;
        QTest::newRow("time") << "1,5" << ControlMode::Time;
        QTest::newRow("empty") << "" << ControlMode::Time;
    }
    void modes()
    {
        QFETCH(QString, opening);
        QFETCH(ControlMode, mode);
        QCOMPARE(controlMode(opening), mode);
    }

    // Single precision decides where it differs from double: a value that
    // rounds onto a bound is on it.
    void ranges_data()
    {
        QTest::addColumn<QString>("field"); // shift, opening, wide, narrow, time
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");

        QTest::newRow("shift 600") << "shift" << "600" << true;
        QTest::newRow("shift 18000") << "shift" << "18000" << true;
        QTest::newRow("shift 599") << "shift" << "599" << false;
        QTest::newRow("shift 18001") << "shift" << "18001" << false;
        QTest::newRow("shift single rounds onto 18000") << "shift" << "18000,0001" << true;
        QTest::newRow("shift single rounds onto 600") << "shift" << "599,99999" << true;
        QTest::newRow("shift 599,999 stays below") << "shift" << "599,999" << false;

        QTest::newRow("opening 0,2") << "opening" << "0,2" << true;
        QTest::newRow("opening 2") << "opening" << "2" << true;
        QTest::newRow("opening 0,19") << "opening" << "0,19" << false;
        QTest::newRow("opening 2,1") << "opening" << "2,1" << false;
        QTest::newRow("opening 0.2 with a point") << "opening" << "0.2" << false;
        QTest::newRow("opening single rounds onto 2") << "opening" << "2,00000001" << true;
        QTest::newRow("opening single rounds onto 0,2") << "opening" << "0,199999999" << true;

        QTest::newRow("wide 50") << "wide" << "50" << true;
        QTest::newRow("wide 510") << "wide" << "510" << true;
        QTest::newRow("wide 49") << "wide" << "49" << false;
        QTest::newRow("wide 511") << "wide" << "511" << false;
        QTest::newRow("narrow 160") << "narrow" << "160" << true;
        QTest::newRow("narrow 200") << "narrow" << "200" << true;
        QTest::newRow("narrow 159") << "narrow" << "159" << false;
        QTest::newRow("narrow 201") << "narrow" << "201" << false;
        QTest::newRow("time 0,5") << "time" << "0,5" << true;
        QTest::newRow("time 10") << "time" << "10" << true;
        QTest::newRow("time 10,5") << "time" << "10,5" << false;
        QTest::newRow("time empty") << "time" << "" << false;
        QTest::newRow("time single rounds onto 10") << "time" << "10,0000001" << true;
    }
    void ranges()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        if (field == "shift")
            QCOMPARE(isValidShiftRpm(text), valid);
        else if (field == "opening")
            QCOMPARE(isValidOpeningTime(text), valid);
        else
            QCOMPARE(isValidDwell(field == "wide" ? ControlMode::WideAngle
                                  : field == "narrow" ? ControlMode::NarrowAngle : ControlMode::Time,
                                  text),
                     valid);
    }

    void dwellOnOpeningExit_data()
    {
        QTest::addColumn<ControlMode>("mode");
        QTest::addColumn<QString>("dwell");
        QTest::addColumn<QString>("reset"); // null: the dwell stays
        QTest::newRow("wide 40") << ControlMode::WideAngle << "40" << "50";
        QTest::newRow("wide 600 stays") << ControlMode::WideAngle << "600" << QString();
        QTest::newRow("wide empty") << ControlMode::WideAngle << "" << "50";
        QTest::newRow("narrow 150") << ControlMode::NarrowAngle << "150" << "180";
        QTest::newRow("narrow 210") << ControlMode::NarrowAngle << "210" << "180";
        QTest::newRow("narrow 200") << ControlMode::NarrowAngle << "200" << QString();
        QTest::newRow("time 12") << ControlMode::Time << "12" << "0,5";
        QTest::newRow("time letters") << ControlMode::Time << "x" << "0,5";
        QTest::newRow("time 10") << ControlMode::Time << "10" << QString();
    }
    void dwellOnOpeningExit()
    {
        QFETCH(ControlMode, mode);
        QFETCH(QString, dwell);
        QFETCH(QString, reset);
        QCOMPARE(dwellResetOnOpeningExit(mode, dwell).value_or(QString()), reset);
    }

    void versions_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<bool>("dwellCorrection");

        QTest::newRow("8.3") << "8.3" << "1" << qint64(83000) << true << true;
        QTest::newRow("8,3") << "8,3" << "1" << qint64(83000) << true << true;
        QTest::newRow("9") << "9" << "1" << qint64(90000) << true << true;
        QTest::newRow("8,2999") << "8,2999" << "1" << qint64(82999) << false << false;
        QTest::newRow("8.2") << "8.2" << "1" << qint64(82000) << false << false;
        QTest::newRow("empty") << "" << "1" << qint64(0) << false << false;
        QTest::newRow("letters") << "abc" << "1" << qint64(0) << false << false;
        QTest::newRow("two points") << "8.3.1" << "1" << qint64(0) << false << false;
        QTest::newRow("8. while typing") << "8." << "1" << qint64(80000) << false << false;
        QTest::newRow("wide-angle mode") << "8,3" << "*" << qint64(83000) << true << false;
        QTest::newRow("narrow-angle mode") << "9" << "#" << qint64(90000) << true << false;
    }
    void versions()
    {
        QFETCH(QString, version);
        QFETCH(QString, opening);
        QFETCH(qint64, value);
        QFETCH(bool, flag);
        QFETCH(bool, dwellCorrection);
        const VersionOptions options = versionOptions(version, opening);
        QCOMPARE(options.value, value);
        QCOMPARE(options.flag, flag);
        QCOMPARE(options.transparentEnabled, flag);
        QCOMPARE(options.dwellCorrectionEnabled, dwellCorrection);
    }
};

QTEST_APPLESS_MAIN(TestFieldRules)
#include "tst_field_rules.moc"
