// Editing on the main window: the current cell and its check, the
// correction dialog, the inhibit presets, the parameter fields and the
// options the firmware version allows.
#include "core/app_settings.h"
#include "core/cell_rules.h"
#include "core/field_rules.h"
#include "core/number_text.h"
#include "ui/curve_chart.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"
#include "ui/user_prompts.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

// The correction dialog's message for a column.
const QString &rangeMessage(const TextSlots &texts, int column)
{
    switch (column) {
    case Col::Rpm:
        return texts.MsgRangeRpm;
    case Col::Advance:
        return texts.MsgRangeAdvance;
    default:
        return texts.MsgRangeInhibit;
    }
}

// The message when leaving the dwell field finds it outside the mode's range.
const QString &dwellMessage(const TextSlots &texts, ControlMode mode)
{
    switch (mode) {
    case ControlMode::WideAngle:
        return texts.MsgBadDwellAngleWide;
    case ControlMode::NarrowAngle:
        return texts.MsgBadDwellAngleNarrow;
    case ControlMode::Time:
        break;
    }
    return texts.MsgBadDwellTime;
}

} // namespace

void TForm1::StringGrid1SelectCell(int column, int row)
{
    ValidateCell(StringGrid1->cell(currentCol_, currentRow_));
    makeCurrent(column, row);
}

void TForm1::StringGrid1Exit()
{
    ValidateCell(StringGrid1->cell(currentCol_, currentRow_));
}

void TForm1::ValidateCell(const QString &text)
{
    const int column = currentCol_;
    const int row = currentRow_;
    if (!isValidCell(column, text)) {
        // No cancel: the dialog comes back, with the rejected text, until
        // the user types a valid value.
        QString corrected;
        do {
            corrected = services_.prompts->correct(rangeMessage(slots_, column), text);
        } while (!isValidCell(column, corrected));
        StringGrid1->setCell(column, row, corrected);
    }

    if (column == Col::Rpm)
        Chart1->setLabels(speedLabels());
    else if (column == Col::Advance)
        Chart1->setValue(CurveChart::New, row - 1, readNumber(StringGrid1->cell(Col::Advance, row)));
}

// Presets write without a check: every pattern they write is valid.
void TForm1::choosePreset(const QString &pattern)
{
    QStringList patterns;
    for (int r = 1; r <= kCurveRows; ++r)
        patterns << StringGrid1->cell(currentCol_, r);
    patterns = applyInhibitPreset(patterns, currentRow_, pattern);
    for (int r = 1; r <= kCurveRows; ++r)
        StringGrid1->setCell(currentCol_, r, patterns[r - 1]);
}

void TForm1::N000000001Click() { choosePreset(QStringLiteral("00000000")); }
void TForm1::N100000001Click() { choosePreset(QStringLiteral("10000000")); }
void TForm1::N101000001Click() { choosePreset(QStringLiteral("10100000")); }
void TForm1::N010100001Click() { choosePreset(QStringLiteral("01010000")); }
void TForm1::N101001011Click() { choosePreset(QStringLiteral("10100101")); }
void TForm1::N010111111Click() { choosePreset(QStringLiteral("01011111")); }
void TForm1::N101011111Click() { choosePreset(QStringLiteral("10101111")); }
void TForm1::N111111111Click() { choosePreset(QStringLiteral("11111111")); }

void TForm1::Edit1Exit()
{
    if (isValidShiftRpm(Edit1->text()))
        return;
    services_.prompts->message(slots_.MsgBadShiftRpm);
    Edit1->setText(QStringLiteral("3500"));
}

void TForm1::Edit2Exit()
{
    const ControlMode mode = controlMode(Edit2->text());
    ComboBox3->setEnabled(true);
    ComboBox4->setEnabled(true);
    if (mode == ControlMode::Time && !isValidOpeningTime(Edit2->text())) {
        services_.prompts->message(slots_.MsgBadOpeningTime);
        Edit2->setText(QStringLiteral("2"));
    }
    if (const auto dwell = dwellResetOnOpeningExit(mode, Edit3->text()))
        Edit3->setText(*dwell);

    switch (mode) {
    case ControlMode::WideAngle:
        CBZaraskorrekcio->setEnabled(false);
        break;
    case ControlMode::NarrowAngle:
        // The narrow-angle module drives two cylinders on fixed edges.
        CBZaraskorrekcio->setEnabled(false);
        ComboBox3->setEnabled(false);
        ComboBox4->setEnabled(false);
        ComboBox1->setCurrentIndex(ComboBox1->findText(QStringLiteral("2")));
        break;
    case ControlMode::Time:
        if (versionHasOptions(versionValue_))
            CBZaraskorrekcio->setEnabled(true);
        break;
    }
}

void TForm1::Edit3Exit()
{
    const ControlMode mode = controlMode(Edit2->text());
    if (isValidDwell(mode, Edit3->text()))
        return;
    services_.prompts->message(dwellMessage(slots_, mode));
    Edit3->setText(QString::fromLatin1(dwellRule(mode).reset));
}

void TForm1::EditVerzioChange()
{
    const VersionOptions options = versionOptions(EditVerzio->text(), Edit2->text());
    versionValue_ = options.value;
    versionFlag_ = options.flag;
    // A disabled list keeps its item, and the transparent ranges their rows.
    CBTransparencia->setEnabled(options.transparentEnabled);
    CBZaraskorrekcio->setEnabled(options.dwellCorrectionEnabled);
}

// Leaving the version field keeps the port choice in the settings file, and
// the version too once the file has a line for it, so the next start shows
// the version the user typed.
void TForm1::EditVerzioExit()
{
    const AppSettings file = settings();
    if (ComboBox2->currentIndex() >= 0)
        file.updateLine(SettingsLine::Port, ComboBox2->currentText(), true);
    file.updateLine(SettingsLine::Version, versionText(versionValue_), false);
}

void TForm1::CBTransparenciaChange()
{
    const int ranges = CBTransparencia->currentIndex();
    StringGrid1->setFixedRows(ranges + 1);
    selectCellByProgram(Col::Advance, ranges + 1);
    Panel2->setFocus();
    // The transparent rows are drawn at 0; an advance that is not a number
    // is drawn at 0 as well.
    for (int p = 0; p < 16; ++p) {
        const double advance = p < ranges ? 0 : parseNumber(StringGrid1->cell(Col::Advance, p + 1)).value_or(0);
        Chart1->setValue(CurveChart::New, p, advance);
    }
}
