// The table's commands on the main window: reset, clear, speed editing, and
// loading and saving curve files.
#include "ui/main_window.h"

#include "core/app_settings.h"
#include "core/curve_file.h"
#include "core/number_text.h"
#include "core/platform_error.h"
#include "core/polarity.h"
#include "core/text_file.h"
#include "ui/curve_card.h"
#include "ui/string_grid.h"
#include "ui/user_prompts.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace {

// A list takes the item whose whole text matches, letter case ignored; no
// match leaves it without a selection.
QString itemMatching(const QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchFixedString);
    return index < 0 ? QString() : list->itemText(index);
}

} // namespace

void TForm1::selectCellByProgram(int column, int row)
{
    StringGrid1->selectCell(column, row);
    makeCurrent(column, row);
}

// The cell that validation and the presets act on; the preset menu opens
// only while it is in the pattern column.
void TForm1::makeCurrent(int column, int row)
{
    currentCol_ = column;
    currentRow_ = row;
    StringGrid1->setPopupEnabled(column == Col::Pattern);
}

void TForm1::resetTable(bool defaultSpeeds)
{
    for (int r = 1; r <= kCurveRows; ++r)
        StringGrid1->setCell(Col::Number, r, QString::number(r));
    document_.change([defaultSpeeds](CurveState &s) {
        s.curve.reset(defaultSpeeds);
        s.downloadReady = false;
    });
    writeHeaders();
}

// Row 0 holds the column titles of the current language.
void TForm1::writeHeaders()
{
    const QString headers[] = {slots_.MsgColNo, slots_.MsgColRpm, slots_.MsgColAdvance, slots_.MsgColInhibit};
    for (int c = 0; c < StringGrid::kColumns; ++c)
        StringGrid1->setCell(c, 0, headers[c]);
}

void TForm1::TorolBtnClick()
{
    if (!services_.prompts->confirm(slots_.MsgConfirmClear))
        return;
    const CurveDocument::Step step(document_);
    // The speeds return to their defaults only while they are editable.
    resetTable(StringGrid1->fixedCols() == 1);
    document_.drawClearedTable();
}

void TForm1::EditBtnClick()
{
    StringGrid1->setFixedCols(StringGrid1->fixedCols() == 2 ? 1 : 2);
}

std::optional<CurveFileContents> TForm1::readCurve(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        services_.prompts->message(slots_.MsgCannotOpen + path);
        return std::nullopt;
    }
    std::optional<CurveFileContents> file;
    try {
        file = readCurveFile(readTextFile(path));
    } catch (const PlatformError &e) {
        // A file that cannot be read is no curve file either; the reason
        // (no access, not a file, far too large) follows on the next line.
        services_.prompts->message(slots_.MsgBadFile + QLatin1Char('\n') + e.message());
        return std::nullopt;
    }
    if (!file)
        services_.prompts->message(slots_.MsgBadFile);
    return file;
}

bool TForm1::LoadCurveFile(const QString &path)
{
    selectCellByProgram(Col::Advance, 5);
    const std::optional<CurveFileContents> file = readCurve(path);
    if (!file)
        return false;

    const CurveTexts &t = file->texts;
    document_.setText(Param::Cylinders, itemMatching(ComboBox1, t.cylinders));
    document_.setText(Param::ShiftRpm, t.shiftRpm);
    document_.setText(Param::Opening, t.opening);
    document_.setText(Param::Dwell, t.dwell);
    document_.setText(Param::InputPolarity, itemMatching(ComboBox3, TranslatePolarityWord(t.inputPolarity, language_)));
    document_.setText(Param::OutputPolarity, itemMatching(ComboBox4, TranslatePolarityWord(t.outputPolarity, language_)));
    // The version goes first: its change rule decides which options exist.
    document_.setText(Param::Version, t.version);
    EditVerzioChange();
    document_.setText(Param::DwellCorrection,
                      itemMatching(CBZaraskorrekcio, TranslatePolarityWord(t.dwellCorrection, language_)));
    document_.setText(Param::Transparent, itemMatching(CBTransparencia, TranslatePolarityWord(t.transparent, language_)));

    // The transparent ranges fix their rows; with no item chosen, none.
    document_.setFrozenRows(static_cast<int>(document_.curve().number(Param::Transparent).value_or(0)));
    selectCellByProgram(Col::Advance, document_.state().frozenRows + 1);
    document_.change([&t](CurveState &s) {
        for (int r = 1; r <= kCurveRows; ++r) {
            const RowTexts &row = t.rows[r - 1];
            s.curve.setCell(Col::Rpm, r, row.rpm);
            s.curve.setCell(Col::Advance, r, row.advance);
            s.curve.setCell(Col::Pattern, r, row.pattern);
        }
    });

    curveFile_ = path;
    document_.setDownloadReady(true);
    setWindowTitle(path);
    return true;
}

void TForm1::LoadBtnClick()
{
    const std::optional<QString> path = services_.prompts->openFileName();
    if (!path)
        return;
    // Successful or not, the load begins a new history, also when its
    // refresh stops at an advance that is not a number.
    const auto newHistory = qScopeGuard([this] { document_.startHistory(); });
    LoadCurveFile(*path);
    refreshCurves();
}

// Both curves and the labels follow the table. An advance that is not a
// number stops the refresh there, with the conversion error.
void TForm1::refreshCurves()
{
    if (const std::optional<QString> notANumber = document_.refreshCurves())
        throw conversionError(*notANumber);
}

std::optional<QString> TForm1::exportPath(const QString &suffix, const QStringList &filters)
{
    const QFileInfo curve(curveFile_);
    return services_.prompts->exportFileName(curve.absoluteDir().filePath(curve.completeBaseName() + suffix), filters);
}

bool TForm1::mayOverwrite(const QString &path)
{
    return !QFileInfo::exists(path) || services_.prompts->confirm(slots_.MsgOverwrite);
}

void TForm1::exportCurveCard()
{
    const std::optional<QString> path =
        exportPath(QStringLiteral(".pdf"), {QStringLiteral("PDF (*.pdf)"), QStringLiteral("PNG (*.png)")});
    if (!path)
        return;
    if (!cardFormat(*path)) {
        services_.prompts->error(appliedTexts(language_).card.badName.arg(*path));
        return;
    }
    if (!mayOverwrite(*path))
        return;
    // A failed write raises here and is shown in the error box.
    writeCurveCard(*path, {QFileInfo(curveFile_).fileName(), QDateTime::currentDateTime(), curveTexts(), versionFlag()},
                   language_);
}

void TForm1::SaveBtnClick()
{
    const std::optional<QString> path = services_.prompts->saveFileName(curveFile_);
    if (!path)
        return;
    services_.prompts->message(*path);
    if (!mayOverwrite(*path))
        return;
    // A failed write raises here, so nothing below claims a save that did
    // not happen.
    writeTextFile(*path, writeCurveFile(curveTexts()));
    services_.prompts->message(slots_.MsgSaved);
    document_.allowDownload();
    curveFile_ = *path;
    settings().writeAll({*path, ComboBox2->currentText(), QString::number(language_),
                         versionText(versionValue())});
    setWindowTitle(*path);
}
