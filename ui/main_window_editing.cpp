// Editing on the main window: the current cell and its check, the
// correction dialog, the inhibit presets, the parameter fields and the
// options the firmware version allows.
#include "core/app_settings.h"
#include "core/cell_rules.h"
#include "core/field_rules.h"
#include "core/number_text.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"
#include "ui/undo_keys.h"
#include "ui/user_prompts.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

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
    ValidateCell(document_.curve().cell(currentCol_, currentRow_));
    makeCurrent(column, row);
}

void TForm1::StringGrid1Exit()
{
    ValidateCell(document_.curve().cell(currentCol_, currentRow_));
}

void TForm1::ValidateCell(const QString &text)
{
    const CurveDocument::Step step(document_);
    const int column = currentCol_;
    const int row = currentRow_;
    if (!isValidCell(column, text)) {
        // No cancel: the dialog comes back, with the rejected text, until
        // the user types a valid value.
        QString corrected;
        do {
            corrected = services_.prompts->correct(rangeMessage(slots_, column), text);
        } while (!isValidCell(column, corrected));
        document_.setCell(column, row, corrected);
    }

    if (column == Col::Rpm)
        document_.labelWithSpeeds();
    else if (column == Col::Advance)
        document_.drawAdvance(row);
}

// Typing not yet committed is checked first, as leaving the cell does, and
// is a step of its own; the command is the next one. A selection across
// columns acts on its advances.
void TForm1::StringGrid1RangeCommand(RangeCommand command)
{
    ValidateCell(document_.curve().cell(currentCol_, currentRow_));
    if (QLineEdit *editor = StringGrid1->cellEditor())
        forgetTyping(*editor);
    const QRect block = StringGrid1->selectedBlock();
    const std::optional<int> column = rangeColumn(command, block.left(), block.right());
    if (!column || StringGrid1->isFixed(*column, block.bottom()))
        return;
    const CurveDocument::Step step(document_);
    document_.applyRange(command, *column, block.top(), block.bottom());
}

// Presets write without a check: every pattern they write is valid.
void TForm1::choosePreset(const QString &pattern)
{
    const CurveDocument::Step step(document_);
    QStringList patterns;
    for (int r = 1; r <= kCurveRows; ++r)
        patterns << document_.curve().cell(currentCol_, r);
    patterns = applyInhibitPreset(patterns, currentRow_, pattern);
    document_.change([&](CurveState &s) {
        for (int r = 1; r <= kCurveRows; ++r)
            s.curve.setCell(currentCol_, r, patterns[r - 1]);
    });
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
    const CurveDocument::Step step(document_);
    if (isValidShiftRpm(document_.curve().text(Param::ShiftRpm)))
        return;
    services_.prompts->message(slots_.MsgBadShiftRpm);
    document_.setText(Param::ShiftRpm, QStringLiteral("3500"));
}

void TForm1::Edit2Exit()
{
    const CurveDocument::Step step(document_);
    const Curve &curve = document_.curve();
    const ControlMode mode = controlMode(curve.text(Param::Opening));
    document_.setEnabled(Param::InputPolarity, true);
    document_.setEnabled(Param::OutputPolarity, true);
    if (mode == ControlMode::Time && !isValidOpeningTime(curve.text(Param::Opening))) {
        services_.prompts->message(slots_.MsgBadOpeningTime);
        document_.setText(Param::Opening, QStringLiteral("2"));
    }
    if (const auto dwell = dwellResetOnOpeningExit(mode, curve.text(Param::Dwell)))
        document_.setText(Param::Dwell, *dwell);

    switch (mode) {
    case ControlMode::WideAngle:
        document_.setEnabled(Param::DwellCorrection, false);
        break;
    case ControlMode::NarrowAngle:
        // The narrow-angle module drives two cylinders on fixed edges.
        document_.setEnabled(Param::DwellCorrection, false);
        document_.setEnabled(Param::InputPolarity, false);
        document_.setEnabled(Param::OutputPolarity, false);
        document_.setText(Param::Cylinders, QStringLiteral("2"));
        break;
    case ControlMode::Time:
        if (versionHasOptions(versionValue()))
            document_.setEnabled(Param::DwellCorrection, true);
        break;
    }
}

void TForm1::Edit3Exit()
{
    const CurveDocument::Step step(document_);
    const Curve &curve = document_.curve();
    const ControlMode mode = controlMode(curve.text(Param::Opening));
    if (isValidDwell(mode, curve.text(Param::Dwell)))
        return;
    services_.prompts->message(dwellMessage(slots_, mode));
    document_.setText(Param::Dwell, QString::fromLatin1(dwellRule(mode).reset));
}

bool TForm1::versionFlag() const
{
    return versionHasOptions(versionValue());
}

void TForm1::EditVerzioChange()
{
    const Curve &curve = document_.curve();
    const VersionOptions options = versionOptions(curve.text(Param::Version), curve.text(Param::Opening));
    // A disabled list keeps its item, and the transparent ranges their rows.
    document_.setEnabled(Param::Transparent, options.transparentEnabled);
    document_.setEnabled(Param::DwellCorrection, options.dwellCorrectionEnabled);
}

// Leaving the version field keeps the port choice in the settings file, and
// the version too once the file has a line for it, so the next start shows
// the version the user typed.
void TForm1::EditVerzioExit()
{
    const CurveDocument::Step step(document_);
    const AppSettings file = settings();
    if (ComboBox2->currentIndex() >= 0)
        file.updateLine(SettingsLine::Port, ComboBox2->currentText(), true);
    file.updateLine(SettingsLine::Version, versionText(versionValue()), false);
}

void TForm1::CBTransparenciaChange()
{
    const CurveDocument::Step step(document_);
    const int ranges = static_cast<int>(document_.curve().reading(Param::Transparent));
    document_.setFrozenRows(ranges);
    selectCellByProgram(Col::Advance, ranges + 1);
    Panel2->setFocus();
    // The transparent rows are drawn at 0; an advance that is not a number
    // is drawn at 0 as well.
    document_.drawTransparentRanges(ranges);
}

// A choice in any other list is a change of its own.
void TForm1::listChosen()
{
    document_.commit();
}

void TForm1::undoChange()
{
    showChange(document_.undo());
}

void TForm1::redoChange()
{
    showChange(document_.redo());
}

// Undo and redo show where they acted: the first changed cell that can be
// selected becomes the current cell, in view; a current cell that the
// transparent ranges now fix gives way to the first free row. No check runs
// for this move and the keyboard focus stays where it is.
void TForm1::showChange(const CurveChange &change)
{
    int column = currentCol_;
    int row = currentRow_;
    const auto changed = std::find_if(change.cells.begin(), change.cells.end(), [this](const CellRef &cell) {
        return !StringGrid1->isFixed(cell.column, cell.row);
    });
    if (changed != change.cells.end()) {
        column = changed->column;
        row = changed->row;
    } else if (StringGrid1->isFixed(column, row)) {
        column = Col::Advance;
        row = StringGrid1->fixedRows();
    } else {
        return;
    }
    StringGrid1->showCell(column, row);
    makeCurrent(column, row);
}
