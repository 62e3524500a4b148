#pragma once

#include "core/curve.h"
#include "core/range_edits.h"
#include "core/undo_history.h"

#include <QList>
#include <QObject>
#include <functional>
#include <optional>

// Point p of either chart curve belongs to table row p + 1.
using CurvePoints = std::array<double, kCurveRows>;

// Which parameters can be changed: the version decides on the two options,
// the opening field's mode on the polarities.
constexpr std::array<bool, kParams> kInitiallyEnabled = {true, true, true, true, true, true, true, false, false};

// Everything the window shows of one curve. A step of the history takes
// back or brings again whatever of it the step changed.
struct CurveState {
    Curve curve;            // the table and the parameters, as the window shows them
    CurvePoints oldCurve{}; // the advances at start-up or at the last load
    CurvePoints newCurve{}; // the advances as committed; transparent rows at 0
    std::array<QString, kCurveRows> labels; // the speeds under the chart, as last committed
    int frozenRows = 0;     // rows 1 to frozenRows are fixed by the transparent ranges
    std::array<bool, kParams> enabled = kInitiallyEnabled;
    bool downloadReady = false; // the download button
    bool operator==(const CurveState &) const = default;
};

struct CellRef {
    int column; // Col::Rpm, Col::Advance or Col::Pattern
    int row;    // 1 to 60
    bool operator==(const CellRef &) const = default;
};

// What a change touched, so that the views redraw only that and undo can
// show where it acted.
struct CurveChange {
    QList<CellRef> cells; // table cells whose text changed, row by row, each row's columns in order
    QList<Param> params;  // parameters whose text changed
    QList<Param> enabled; // parameters enabled or disabled
    bool oldCurve = false;
    bool newCurve = false;
    bool labels = false;
    bool frozenRows = false;
    bool downloadReady = false;
    bool isEmpty() const;
};
CurveChange curveChange(const CurveState &from, const CurveState &to);

// The curve under the window: the old curve as loaded, the current one as
// edited, and the history of its committed changes. The grid, the fields and
// the chart show it and write what the user types into it; the handlers act
// on it and commit.
//
// Every change takes effect at once and is announced by changed(). The
// changes made until the next commit() form one step of the history: typing
// and the check that ends it, a range of rows, a point dragged across the
// chart and let go. A commit that finds nothing changed adds no step.
class CurveDocument : public QObject {
    Q_OBJECT

public:
    explicit CurveDocument(QObject *parent = nullptr);

    const CurveState &state() const { return state_; }
    const Curve &curve() const { return state_.curve; }
    // Whether the transparent ranges fix table row `row`.
    bool isFrozen(int row) const { return row >= 1 && row <= state_.frozenRows; }
    // The exit question: whether any point of the new curve differs from the
    // same point of the old one.
    bool curvesDiffer() const { return state_.oldCurve != state_.newCurve; }

    // Any change at all, in one go.
    void change(const std::function<void(CurveState &)> &edit);
    void setCell(int column, int row, const QString &text);
    void setText(Param param, const QString &text);
    void setEnabled(Param param, bool enabled);
    void setFrozenRows(int rows);
    void setDownloadReady(bool ready);

    // Who changes the two curves and the labels, and how. The start-up fill
    // and the load's refresh read the advances as they are, and give the
    // first text that is not a number: the fill draws such a row at 0 and
    // goes on, the refresh stops there.
    std::optional<QString> fillCurves();
    std::optional<QString> refreshCurves();
    // A committed advance of `row` moves its point of the new curve.
    void drawAdvance(int row);
    // A committed speed relabels every point.
    void labelWithSpeeds();
    // A range command on the rows `first` to `last` of `column`, its cells
    // committed: each changed advance moves its point, changed speeds
    // relabel the curve. Rows the transparent ranges fix are left alone.
    void applyRange(RangeCommand command, int column, int first, int last);
    // The table cleared: the new curve at the default advance, 1, everywhere.
    void drawClearedTable();
    // Transparent ranges chosen: of the new curve's first 16 points the
    // first `ranges` go to 0, the others to their advance (0 when that is
    // not a number).
    void drawTransparentRanges(int ranges);

    // The changes since the last commit become one step; none when nothing
    // changed, nor while a Step is open.
    void commit();
    // Commits what is changed while it lives as one step, also when the
    // handler that opened it ends early; Steps opened inside it (a handler
    // that runs another) add theirs to it.
    class Step {
    public:
        explicit Step(CurveDocument &document) : document_(document) { ++document_.openSteps_; }
        ~Step()
        {
            --document_.openSteps_;
            document_.commit();
        }
        Step(const Step &) = delete;
        Step &operator=(const Step &) = delete;

    private:
        CurveDocument &document_;
    };

    bool canUndo() const { return history_.canUndo() || state_ != committed_; }
    bool canRedo() const { return history_.canRedo(); }
    // Takes back the last step (changes not yet committed first), or brings
    // the last step taken back again; gives what changed.
    CurveChange undo();
    CurveChange redo();
    // Start-up and every load: the present state begins a new history.
    void startHistory();

    // Changes that are no steps of their own: a save makes the download
    // possible whatever is taken back later; a language switch rewrites the
    // polarity words everywhere, the history included.
    void allowDownload();
    void translatePolarityWords(int language);

signals:
    void changed(const CurveChange &change);

private:
    CurveChange apply(const CurveState &next);

    CurveState state_;
    CurveState committed_; // the state at the last commit
    int openSteps_ = 0;
    UndoHistory<CurveState> history_;
};
