#include "core/curve_file.h"

#include "core/win1250.h"

#include <QByteArrayView>
#include <QStringList>
#include <algorithm>

namespace {

const QString kMagicIgc = QStringLiteral("igc");
const QString kMagicIgc1 = QStringLiteral("igc1");

// Hands out the lines of a file one at a time, and empty texts once the file
// has ended. Lines are found as they are asked for: only the 190 lines of a
// curve are ever looked at, however long the file.
class LineReader {
public:
    explicit LineReader(const QByteArray &bytes) : bytes_(bytes) {}

    QString next()
    {
        if (pos_ > bytes_.size())
            return {};
        qsizetype end = bytes_.indexOf('\n', pos_);
        if (end < 0)
            end = bytes_.size();
        QByteArrayView line(bytes_.constData() + pos_, end - pos_);
        pos_ = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        return decodeWin1250(line.first(std::min(line.size(), kCurveFieldChars)).toByteArray());
    }

private:
    const QByteArray &bytes_;
    qsizetype pos_ = 0;
};

} // namespace

QByteArray writeCurveFile(const CurveTexts &t)
{
    QStringList lines = {kMagicIgc1,         t.cylinders,      t.shiftRpm,
                         t.opening,          t.dwell,          t.inputPolarity,
                         t.outputPolarity,   t.version,        t.dwellCorrection,
                         t.transparent};
    for (const RowTexts &row : t.rows)
        lines << row.rpm << row.advance << row.pattern;
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += encodeWin1250(line) + "\r\n";
    return bytes;
}

std::optional<CurveFileContents> readCurveFile(const QByteArray &bytes)
{
    LineReader reader(bytes);
    const QString magic = reader.next();
    if (magic != kMagicIgc && magic != kMagicIgc1)
        return std::nullopt;

    CurveFileContents file{magic == kMagicIgc1 ? CurveVariant::Igc1 : CurveVariant::Igc, {}};
    CurveTexts &t = file.texts;
    t.cylinders = reader.next();
    t.shiftRpm = reader.next();
    t.opening = reader.next();
    t.dwell = reader.next();
    t.inputPolarity = reader.next();
    t.outputPolarity = reader.next();
    if (file.variant == CurveVariant::Igc1) {
        t.version = reader.next();
        t.dwellCorrection = reader.next();
        t.transparent = reader.next();
    } else {
        t.version = t.dwellCorrection = t.transparent = QStringLiteral("0");
    }
    for (RowTexts &row : t.rows) {
        row.rpm = reader.next();
        row.advance = reader.next();
        row.pattern = reader.next();
    }
    return file;
}
