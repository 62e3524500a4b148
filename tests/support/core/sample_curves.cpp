#include "sample_curves.h"

#include <QRegularExpression>

CurveTexts sampleCurve(const QString &advance)
{
    CurveTexts t;
    t.cylinders = "4";
    t.shiftRpm = "6500";
    t.opening = "1";
    t.dwell = "3";
    t.inputPolarity = QStringLiteral("Felfutó");
    t.outputPolarity = QStringLiteral("Lefutó");
    t.version = "8,3";
    t.dwellCorrection = "2";
    t.transparent = "3";
    for (int r = 1; r <= kCurveRows; ++r)
        t.rows[r - 1] = {QString::number(600 + 100 * r), advance.isNull() ? QString::number(r) + ",5" : advance,
                         r % 2 ? "00000000" : "10100000"};
    return t;
}

CurveTexts exampleDownloadCurve()
{
    CurveTexts t = sampleCurve(QStringLiteral("10"));
    t.shiftRpm = "6000";
    t.version = "0";
    t.transparent = "5";
    for (int r = 1; r <= kCurveRows; ++r) {
        t.rows[r - 1].rpm = defaultRpmText(r);
        t.rows[r - 1].pattern = kDefaultPattern;
    }
    return t;
}

CurveTexts exampleCurveWith(const QStringList &changes)
{
    CurveTexts t = exampleDownloadCurve();
    for (const QString &change : changes) {
        const QString field = change.section('=', 0, 0);
        const QString text = change.section('=', 1);
        QString *fields[] = {&t.cylinders, &t.shiftRpm, &t.opening, &t.dwell, &t.inputPolarity,
                             &t.outputPolarity, &t.version, &t.dwellCorrection, &t.transparent};
        const QStringList names = {"cylinders", "shift", "opening", "dwell", "in", "out", "version", "corr", "transp"};
        if (names.contains(field)) {
            *fields[names.indexOf(field)] = text;
            continue;
        }
        static const QRegularExpression column(QStringLiteral("^(rpm|advance|pattern)(\\d*)$"));
        const QRegularExpressionMatch m = column.match(field);
        if (!m.hasMatch())
            qFatal("no such field in a change: %s", qPrintable(change));
        for (int r = 1; r <= kCurveRows; ++r) {
            if (!m.captured(2).isEmpty() && m.captured(2).toInt() != r)
                continue;
            RowTexts &row = t.rows[r - 1];
            (m.captured(1) == "rpm" ? row.rpm : m.captured(1) == "advance" ? row.advance : row.pattern) = text;
        }
    }
    return t;
}

QByteArray exampleDownloadFrame(bool versionFlag)
{
    QByteArray frame("\x83");              // 131: control byte
    if (versionFlag)
        frame += '\x25';                   // 37: options 2 x 16 + 5
    frame += "\x27\x35";                   // 39: opening, 53: P low byte
    frame += QByteArray(60, '\x14');       // 20: advances
    frame += "\x0c\x07\x0c";               // 12, 7: dwell, 12: P high byte
    frame += QByteArray(60, '\0');         // patterns
    frame += '\x4f';                       // 79: cylinders
    return frame;
}

QByteArray exampleDownloadLine(bool versionFlag)
{
    QByteArray line;
    for (const char value : exampleDownloadFrame(versionFlag))
        line += QByteArray(1, value) + "\xff\xff";
    return line;
}
