#include "core/curve_document.h"

#include "core/polarity.h"

namespace {

constexpr int kTransparentPoints = 16; // the transparent ranges reach at most this far

std::size_t at(Param param)
{
    return static_cast<std::size_t>(param);
}

// `state`, with every part that differs between `from` and `to` as `to` has
// it. Undo and redo carry a step this way, so that what happened outside the
// history (a save enabling the download) stays.
CurveState carried(CurveState state, const CurveState &from, const CurveState &to)
{
    const auto take = [](auto &target, const auto &before, const auto &after) {
        if (before != after)
            target = after;
    };
    for (const Param param : kAllParams) {
        if (from.curve.text(param) != to.curve.text(param))
            state.curve.setText(param, to.curve.text(param));
        take(state.enabled[at(param)], from.enabled[at(param)], to.enabled[at(param)]);
    }
    for (int row = 1; row <= kCurveRows; ++row) {
        for (int column = Col::Rpm; column <= Col::Pattern; ++column) {
            if (from.curve.cell(column, row) != to.curve.cell(column, row))
                state.curve.setCell(column, row, to.curve.cell(column, row));
        }
    }
    for (int p = 0; p < kCurveRows; ++p) {
        take(state.oldCurve[p], from.oldCurve[p], to.oldCurve[p]);
        take(state.newCurve[p], from.newCurve[p], to.newCurve[p]);
        take(state.labels[p], from.labels[p], to.labels[p]);
    }
    take(state.frozenRows, from.frozenRows, to.frozenRows);
    take(state.downloadReady, from.downloadReady, to.downloadReady);
    return state;
}

void drawAdvanceOf(CurveState &s, int row)
{
    s.newCurve[row - 1] = s.curve.cellReading(Col::Advance, row);
}

void labelWithSpeedsOf(CurveState &s)
{
    for (int p = 0; p < kCurveRows; ++p)
        s.labels[p] = s.curve.cell(Col::Rpm, p + 1);
}

} // namespace

bool CurveChange::isEmpty() const
{
    return cells.isEmpty() && params.isEmpty() && enabled.isEmpty() && !oldCurve && !newCurve && !labels
           && !frozenRows && !downloadReady;
}

CurveChange curveChange(const CurveState &from, const CurveState &to)
{
    CurveChange change;
    for (int row = 1; row <= kCurveRows; ++row) {
        for (int column = Col::Rpm; column <= Col::Pattern; ++column) {
            if (from.curve.cell(column, row) != to.curve.cell(column, row))
                change.cells.append({column, row});
        }
    }
    for (const Param param : kAllParams) {
        if (from.curve.text(param) != to.curve.text(param))
            change.params.append(param);
        if (from.enabled[at(param)] != to.enabled[at(param)])
            change.enabled.append(param);
    }
    change.oldCurve = from.oldCurve != to.oldCurve;
    change.newCurve = from.newCurve != to.newCurve;
    change.labels = from.labels != to.labels;
    change.frozenRows = from.frozenRows != to.frozenRows;
    change.downloadReady = from.downloadReady != to.downloadReady;
    return change;
}

CurveDocument::CurveDocument(QObject *parent) : QObject(parent) {}

CurveChange CurveDocument::apply(const CurveState &next)
{
    CurveChange change = curveChange(state_, next);
    if (change.isEmpty())
        return change;
    state_ = next;
    emit changed(change);
    return change;
}

void CurveDocument::change(const std::function<void(CurveState &)> &edit)
{
    CurveState next = state_;
    edit(next);
    apply(next);
}

void CurveDocument::setCell(int column, int row, const QString &text)
{
    // Typing reaches here at every keystroke, and the views echo what they
    // are given: a text that is already there is no change.
    if (curve().cell(column, row) != text)
        change([&](CurveState &s) { s.curve.setCell(column, row, text); });
}

void CurveDocument::setText(Param param, const QString &text)
{
    if (curve().text(param) != text)
        change([&](CurveState &s) { s.curve.setText(param, text); });
}

void CurveDocument::setEnabled(Param param, bool enabled)
{
    change([&](CurveState &s) { s.enabled[at(param)] = enabled; });
}

void CurveDocument::setFrozenRows(int rows)
{
    change([&](CurveState &s) { s.frozenRows = rows; });
}

void CurveDocument::setDownloadReady(bool ready)
{
    change([&](CurveState &s) { s.downloadReady = ready; });
}

std::optional<QString> CurveDocument::fillCurves()
{
    std::optional<QString> notANumber;
    change([&](CurveState &s) {
        for (int p = 0; p < kCurveRows; ++p) {
            const std::optional<double> advance = s.curve.cellNumber(Col::Advance, p + 1);
            if (!advance && !notANumber)
                notANumber = s.curve.cell(Col::Advance, p + 1);
            s.oldCurve[p] = s.newCurve[p] = advance.value_or(0);
            s.labels[p] = s.curve.cell(Col::Rpm, p + 1);
        }
    });
    return notANumber;
}

std::optional<QString> CurveDocument::refreshCurves()
{
    std::optional<QString> notANumber;
    change([&](CurveState &s) {
        for (int p = 0; p < kCurveRows; ++p) {
            const std::optional<double> advance = s.curve.cellNumber(Col::Advance, p + 1);
            if (!advance) {
                notANumber = s.curve.cell(Col::Advance, p + 1);
                return;
            }
            s.oldCurve[p] = s.newCurve[p] = *advance;
            s.labels[p] = s.curve.cell(Col::Rpm, p + 1);
        }
    });
    return notANumber;
}

void CurveDocument::drawAdvance(int row)
{
    change([&](CurveState &s) { drawAdvanceOf(s, row); });
}

void CurveDocument::labelWithSpeeds()
{
    change(labelWithSpeedsOf);
}

void CurveDocument::applyRange(RangeCommand command, int column, int first, int last)
{
    change([&](CurveState &s) {
        const QList<int> rows = applyRangeCommand(s.curve, command, column, first, last, s.frozenRows);
        if (column == Col::Rpm) {
            labelWithSpeedsOf(s);
            return;
        }
        for (const int row : rows)
            drawAdvanceOf(s, row);
    });
}

void CurveDocument::drawClearedTable()
{
    change([](CurveState &s) { s.newCurve.fill(1.0); });
}

void CurveDocument::drawTransparentRanges(int ranges)
{
    change([&](CurveState &s) {
        for (int p = 0; p < kTransparentPoints; ++p)
            s.newCurve[p] = p < ranges ? 0 : s.curve.cellNumber(Col::Advance, p + 1).value_or(0);
    });
}

void CurveDocument::commit()
{
    if (openSteps_ > 0 || state_ == committed_)
        return;
    history_.push(committed_, state_);
    committed_ = state_;
}

CurveChange CurveDocument::undo()
{
    commit();
    if (!history_.canUndo())
        return {};
    const auto &step = history_.undo();
    committed_ = carried(state_, *step.after, *step.before);
    return apply(committed_);
}

CurveChange CurveDocument::redo()
{
    commit();
    if (!history_.canRedo())
        return {};
    const auto &step = history_.redo();
    committed_ = carried(state_, *step.before, *step.after);
    return apply(committed_);
}

void CurveDocument::startHistory()
{
    history_.clear();
    committed_ = state_;
}

void CurveDocument::allowDownload()
{
    committed_.downloadReady = true;
    setDownloadReady(true);
}

void CurveDocument::translatePolarityWords(int language)
{
    const auto translate = [language](CurveState &s) {
        for (const Param param : {Param::InputPolarity, Param::OutputPolarity})
            s.curve.setText(param, TranslatePolarityWord(s.curve.text(param), language));
    };
    translate(committed_);
    history_.rewrite(translate);
    change(translate);
}
