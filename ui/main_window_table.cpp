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
#include "ui/curve_chart.h"
#include "ui/string_grid.h"
#include "ui/user_prompts.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Selectors take the item whose whole text matches, letter case ignored;
// no match leaves them without a selection.
void selectItem(QComboBox *list, const QString &text)
{
    list->setCurrentIndex(list->findText(text, Qt::MatchFixedString));
}

} // namespace

CurveTexts TForm1::curveTexts() const
{
    CurveTexts t;
    t.cylinders = ComboBox1->currentText();
    t.shiftRpm = Edit1->text();
    t.opening = Edit2->text();
    t.dwell = Edit3->text();
    t.inputPolarity = ComboBox3->currentText();
    t.outputPolarity = ComboBox4->currentText();
    t.version = EditVerzio->text();
    t.dwellCorrection = CBZaraskorrekcio->currentText();
    t.transparent = CBTransparencia->currentText();
    for (int r = 1; r <= kCurveRows; ++r)
        t.rows[r - 1] = {StringGrid1->cell(Col::Rpm, r), StringGrid1->cell(Col::Advance, r),
                         StringGrid1->cell(Col::Pattern, r)};
    return t;
}

// The old curve is labelled with the speeds.
QStringList TForm1::speedLabels() const
{
    QStringList labels;
    for (int r = 1; r <= kCurveRows; ++r)
        labels << StringGrid1->cell(Col::Rpm, r);
    return labels;
}

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
    for (int r = 1; r <= kCurveRows; ++r) {
        StringGrid1->setCell(Col::Number, r, QString::number(r));
        if (defaultSpeeds)
            StringGrid1->setCell(Col::Rpm, r, defaultRpmText(r));
        StringGrid1->setCell(Col::Advance, r, kDefaultAdvance);
        StringGrid1->setCell(Col::Pattern, r, kDefaultPattern);
    }
    writeHeaders();
    for (QComboBox *list : {ComboBox1, ComboBox3, ComboBox4})
        list->setCurrentIndex(-1);
    for (QLineEdit *field : {Edit1, Edit2, Edit3})
        field->clear();
    LetoltBtn->setEnabled(false);
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
    // The speeds return to their defaults only while they are editable.
    resetTable(StringGrid1->fixedCols() == 1);
    Chart1->setValues(CurveChart::New, QList<double>(kCurveRows, 1.0));
}

void TForm1::EditBtnClick()
{
    StringGrid1->setFixedCols(StringGrid1->fixedCols() == 2 ? 1 : 2);
}

bool TForm1::LoadCurveFile(const QString &path)
{
    selectCellByProgram(Col::Advance, 5);
    if (!QFileInfo(path).isFile()) {
        services_.prompts->message(slots_.MsgCannotOpen + path);
        return false;
    }
    std::optional<CurveFileContents> file;
    try {
        file = readCurveFile(readTextFile(path));
    } catch (const PlatformError &e) {
        // A file that cannot be read is no curve file either; the reason
        // (no access, not a file, far too large) follows on the next line.
        services_.prompts->message(slots_.MsgBadFile + QLatin1Char('\n') + e.message());
        return false;
    }
    if (!file) {
        services_.prompts->message(slots_.MsgBadFile);
        return false;
    }

    const CurveTexts &t = file->texts;
    selectItem(ComboBox1, t.cylinders);
    Edit1->setText(t.shiftRpm);
    Edit2->setText(t.opening);
    Edit3->setText(t.dwell);
    selectItem(ComboBox3, TranslatePolarityWord(t.inputPolarity, language_));
    selectItem(ComboBox4, TranslatePolarityWord(t.outputPolarity, language_));
    // The version goes first: its change rule decides which options exist.
    EditVerzio->setText(t.version);
    selectItem(CBZaraskorrekcio, TranslatePolarityWord(t.dwellCorrection, language_));
    selectItem(CBTransparencia, TranslatePolarityWord(t.transparent, language_));

    const int ranges = CBTransparencia->currentIndex();
    StringGrid1->setFixedRows(ranges > 0 ? ranges + 1 : 1);
    selectCellByProgram(Col::Advance, StringGrid1->fixedRows());
    for (int r = 1; r <= kCurveRows; ++r) {
        const RowTexts &row = t.rows[r - 1];
        StringGrid1->setCell(Col::Rpm, r, row.rpm);
        StringGrid1->setCell(Col::Advance, r, row.advance);
        StringGrid1->setCell(Col::Pattern, r, row.pattern);
    }

    curveFile_ = path;
    LetoltBtn->setEnabled(true);
    setWindowTitle(path);
    return true;
}

void TForm1::LoadBtnClick()
{
    const std::optional<QString> path = services_.prompts->openFileName();
    if (!path)
        return;
    LoadCurveFile(*path);
    refreshCurves();
}

// Both curves and the labels follow the table. An advance that is not a
// number stops the refresh there, with the conversion error.
void TForm1::refreshCurves()
{
    QList<double> values;
    const QStringList labels = speedLabels();
    const auto draw = [&] {
        Chart1->setValues(CurveChart::Old, values);
        Chart1->setValues(CurveChart::New, values);
        Chart1->setLabels(labels.mid(0, values.size()));
    };
    try {
        for (int r = 1; r <= kCurveRows; ++r)
            values << convertNumber(StringGrid1->cell(Col::Advance, r));
    } catch (const PlatformError &) {
        draw();
        throw;
    }
    draw();
}

void TForm1::exportCurveCard()
{
    const QFileInfo curve(curveFile_);
    const std::optional<QString> path = services_.prompts->exportFileName(
        curve.absoluteDir().filePath(curve.completeBaseName() + QStringLiteral(".pdf")),
        {QStringLiteral("PDF (*.pdf)"), QStringLiteral("PNG (*.png)")});
    if (!path)
        return;
    if (!cardFormat(*path)) {
        services_.prompts->error(appliedTexts(language_).card.badName.arg(*path));
        return;
    }
    if (QFileInfo::exists(*path) && !services_.prompts->confirm(slots_.MsgOverwrite))
        return;
    // A failed write raises here and is shown in the error box.
    writeCurveCard(*path, {curve.fileName(), QDateTime::currentDateTime(), curveTexts(), versionFlag_}, language_);
}

void TForm1::SaveBtnClick()
{
    const std::optional<QString> path = services_.prompts->saveFileName(curveFile_);
    if (!path)
        return;
    services_.prompts->message(*path);
    if (QFileInfo::exists(*path) && !services_.prompts->confirm(slots_.MsgOverwrite))
        return;
    // A failed write raises here, so nothing below claims a save that did
    // not happen.
    writeTextFile(*path, writeCurveFile(curveTexts()));
    services_.prompts->message(slots_.MsgSaved);
    LetoltBtn->setEnabled(true);
    curveFile_ = *path;
    settings().writeAll({*path, ComboBox2->currentText(), QString::number(language_),
                         versionText(versionValue_)});
    setWindowTitle(*path);
}
