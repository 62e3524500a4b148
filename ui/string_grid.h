#pragma once

#include "core/range_edits.h"

#include <QTableWidget>

class QLineEdit;
class QMenu;

// StringGrid1: the curve table as a grid of 4 columns and 61 rows addressed
// as (column, row). Row 0 (the column titles) is the grid's horizontal header
// and column 0 (the row numbers) its vertical header, so both stay in view
// while the table scrolls. Further fixed rows (the transparent ranges) and
// the fixed speed column are ordinary cells that look fixed and cannot be
// selected or edited.
//
// Text typed into a cell is the cell's text at once. A move of the current
// cell by the user (mouse or cursor keys) is announced by selectingCell()
// before it happens; moves made by the program through selectCell() are not.
// Tab leaves the grid; Left and Right move the text cursor inside the cell's
// text and go on to the neighbouring cell from its ends.
//
// Cells can be selected as a block: by a drag of the mouse, Shift+click, or
// Shift with the cursor keys (Shift+Left and Shift+Right from the ends of
// the cell's text). Ctrl+I, Ctrl+Up and Ctrl+Down ask for the range
// commands; the window decides what they do.
class StringGrid : public QTableWidget {
    Q_OBJECT

public:
    static constexpr int kColumns = 4;
    static constexpr int kRows = 61;

    explicit StringGrid(QWidget *parent = nullptr);
    using QTableWidget::edit;

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int rows);
    int fixedCols() const { return fixedCols_; }
    void setFixedCols(int columns);
    bool isFixed(int column, int row) const;

    // The selected cell, in grid coordinates (the table's first cell is 1, 1).
    int selectedColumn() const { return currentColumn() + 1; }
    int selectedRow() const { return currentRow() + 1; }
    // A move by the program; the cell's editor opens and takes the focus.
    void selectCell(int column, int row);
    // A move by the program that leaves the keyboard focus where it is: the
    // cell is scrolled into view, and its editor opens only while the grid
    // has the focus.
    void showCell(int column, int row);
    // The selected block in grid coordinates (columns left to right, rows
    // top to bottom); the current cell when nothing is selected.
    QRect selectedBlock() const;
    // The open cell editor, if any.
    QLineEdit *cellEditor() const;

    // The pop-up menu of the grid; a right-click opens it only while it is
    // enabled, and never moves the current cell.
    void setPopupMenu(QMenu *menu) { popupMenu_ = menu; }
    bool popupEnabled() const { return popupEnabled_; }
    void setPopupEnabled(bool enabled) { popupEnabled_ = enabled; }

signals:
    // The user is about to make (column, row) the current cell; the move
    // follows when the receivers return.
    void selectingCell(int column, int row);
    // A range command's key was pressed in the grid or its cell editor.
    void rangeCommandAsked(RangeCommand command);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QTableWidgetItem *cellItem(int column, int row) const;
    void applyFixedLook();

    QString cornerText_; // cell (0, 0), drawn on the corner button
    QWidget *corner_ = nullptr;
    int fixedRows_ = 1;
    int fixedCols_ = 2;
    bool programMove_ = false;
    QMenu *popupMenu_ = nullptr;
    bool popupEnabled_ = false;
};
