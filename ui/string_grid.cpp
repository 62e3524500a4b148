#include "ui/string_grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <functional>

namespace {

constexpr int kRowHeight = 20;
constexpr int kColumnWidths[StringGrid::kColumns] = {37, 75, 73, 73};

// Every change of the current cell passes here, so the grid can announce a
// move before it happens, whether the mouse or a key asked for it.
class CurrentCellModel : public QItemSelectionModel {
public:
    CurrentCellModel(QAbstractItemModel *model, std::function<void(const QModelIndex &)> beforeMove,
                     QObject *parent)
        : QItemSelectionModel(model, parent), beforeMove_(std::move(beforeMove))
    {
    }

    void setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override
    {
        if (index.isValid() && index != currentIndex())
            beforeMove_(index);
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    std::function<void(const QModelIndex &)> beforeMove_;
};

// The range commands' keys.
std::optional<RangeCommand> rangeCommandOf(const QKeyEvent &key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return std::nullopt;
    switch (key.key()) {
    case Qt::Key_I:
        return RangeCommand::Interpolate;
    case Qt::Key_Up:
        return RangeCommand::Raise;
    case Qt::Key_Down:
        return RangeCommand::Lower;
    default:
        return std::nullopt;
    }
}

// The cell editor hands every keystroke to the cell, and leaves the grid's
// right-click and the range commands to the grid. Tab leaves the grid like
// any other field, and Left at the start of the text or Right at its end go
// on to the neighbouring cell; with Shift they take it into the selection.
class TypedTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            line->setContextMenuPolicy(Qt::NoContextMenu);
            auto *self = const_cast<TypedTextDelegate *>(this);
            connect(line, &QLineEdit::textEdited, self, [self, line] { emit self->commitData(line); });
        }
        return editor;
    }

    // The cell already holds what was typed; setting the same text again
    // would throw the text cursor to the end.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (!line)
            QStyledItemDelegate::setEditorData(editor, index);
        else if (line->text() != text)
            line->setText(text);
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *line = qobject_cast<QLineEdit *>(object);
        if (!line || event->type() != QEvent::KeyPress)
            return QStyledItemDelegate::eventFilter(object, event);
        auto *key = static_cast<QKeyEvent *>(event);
        // The editor's own Tab handling moves the focus out of the grid
        // (StringGrid::focusNextPrevChild), not to the next cell.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        if (leavesText(*line, *key) || rangeCommandOf(*key)) {
            // Ignored, the key goes on to the grid, which moves the current cell.
            key->ignore();
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    // Left with the text cursor at the start, or Right with it at the end;
    // a text selected whole counts as both. With Shift, only the cursor
    // counts: before that the key selects the text.
    static bool leavesText(const QLineEdit &line, const QKeyEvent &key)
    {
        const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
        if (modifiers == Qt::ShiftModifier) {
            return (key.key() == Qt::Key_Left && line.cursorPosition() == 0)
                   || (key.key() == Qt::Key_Right && line.cursorPosition() == line.text().size());
        }
        if (modifiers != Qt::NoModifier)
            return false;
        const qsizetype length = line.text().size();
        const bool whole = line.selectionStart() == 0 && line.selectedText().size() == length;
        if (line.hasSelectedText() && !whole)
            return false;
        if (key.key() == Qt::Key_Left)
            return whole || line.cursorPosition() == 0;
        if (key.key() == Qt::Key_Right)
            return whole || line.cursorPosition() == length;
        return false;
    }
};

} // namespace

StringGrid::StringGrid(QWidget *parent)
    : QTableWidget(kRows - 1, kColumns - 1, parent)
{
    setObjectName(QStringLiteral("StringGrid1"));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // The cell editor opens as soon as a cell becomes current.
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);

    QHeaderView *top = horizontalHeader();
    top->setFixedHeight(kRowHeight);
    top->setSectionResizeMode(QHeaderView::Interactive);
    top->setHighlightSections(false);
    top->setSectionsClickable(false);
    QHeaderView *side = verticalHeader();
    side->setFixedWidth(kColumnWidths[0]);
    side->setMinimumSectionSize(kRowHeight);
    side->setDefaultSectionSize(kRowHeight);
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setHighlightSections(false);
    side->setSectionsClickable(false);
    side->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 1; c < kColumns; ++c) {
        setColumnWidth(c - 1, kColumnWidths[c]);
        setHorizontalHeaderItem(c - 1, new QTableWidgetItem);
    }
    for (int r = 1; r < kRows; ++r) {
        setVerticalHeaderItem(r - 1, new QTableWidgetItem);
        for (int c = 1; c < kColumns; ++c)
            setItem(r - 1, c - 1, new QTableWidgetItem);
    }
    corner_ = findChild<QAbstractButton *>();
    corner_->installEventFilter(this);
    applyFixedLook();

    setItemDelegate(new TypedTextDelegate(this));
    QItemSelectionModel *plain = selectionModel();
    setSelectionModel(new CurrentCellModel(model(), [this](const QModelIndex &target) {
        if (!programMove_)
            emit selectingCell(target.column() + 1, target.row() + 1);
    }, this));
    delete plain;
}

bool StringGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != corner_ || event->type() != QEvent::Paint)
        return QTableWidget::eventFilter(watched, event);
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.rect = corner_->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = cornerText_;
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QStylePainter(corner_).drawControl(QStyle::CE_Header, option);
    return true;
}

QTableWidgetItem *StringGrid::cellItem(int column, int row) const
{
    if (row == 0)
        return horizontalHeaderItem(column - 1);
    if (column == 0)
        return verticalHeaderItem(row - 1);
    return QTableWidget::item(row - 1, column - 1);
}

QString StringGrid::cell(int column, int row) const
{
    if (column == 0 && row == 0)
        return cornerText_;
    return cellItem(column, row)->text();
}

void StringGrid::setCell(int column, int row, const QString &text)
{
    if (column == 0 && row == 0) {
        cornerText_ = text;
        corner_->update();
        return;
    }
    cellItem(column, row)->setText(text);
}

void StringGrid::setFixedRows(int rows)
{
    fixedRows_ = rows;
    applyFixedLook();
}

void StringGrid::setFixedCols(int columns)
{
    fixedCols_ = columns;
    applyFixedLook();
    viewport()->update();
}

bool StringGrid::isFixed(int column, int row) const
{
    return row < fixedRows_ || column < fixedCols_;
}

void StringGrid::selectCell(int column, int row)
{
    const QScopedValueRollback byProgram(programMove_, true);
    setCurrentCell(row - 1, column - 1);
}

void StringGrid::showCell(int column, int row)
{
    const EditTriggers triggers = editTriggers();
    if (!hasFocus() && !isAncestorOf(QApplication::focusWidget()))
        setEditTriggers(NoEditTriggers);
    selectCell(column, row);
    setEditTriggers(triggers);
    scrollToItem(item(row - 1, column - 1));
}

QRect StringGrid::selectedBlock() const
{
    QRect block;
    for (const QTableWidgetSelectionRange &range : selectedRanges())
        block |= QRect(QPoint(range.leftColumn() + 1, range.topRow() + 1),
                       QPoint(range.rightColumn() + 1, range.bottomRow() + 1));
    return block.isValid() ? block : QRect(selectedColumn(), selectedRow(), 1, 1);
}

QLineEdit *StringGrid::cellEditor() const
{
    return qobject_cast<QLineEdit *>(indexWidget(currentIndex()));
}

void StringGrid::keyPressEvent(QKeyEvent *event)
{
    if (const std::optional<RangeCommand> command = rangeCommandOf(*event)) {
        event->accept();
        emit rangeCommandAsked(*command);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

// A click on the current cell opens its editor at once: the view would first
// wait out the double-click interval and drop every key typed meanwhile.
bool StringGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    return QTableWidget::edit(index, trigger == SelectedClicked ? AllEditTriggers : trigger, event);
}

// Tab is no cell move: from the grid or its cell editor it goes to the
// control before or after the grid in the window's tab order.
bool StringGrid::focusNextPrevChild(bool next)
{
    setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return QTableWidget::focusNextPrevChild(next);
}

// A right-click on the column titles, the row numbers or the corner reaches
// the grid only here: the scroll area would drop it.
bool StringGrid::event(QEvent *event)
{
    if (event->type() != QEvent::ContextMenu)
        return QTableWidget::event(event);
    contextMenuEvent(static_cast<QContextMenuEvent *>(event));
    return true;
}

// Only the left button selects cells: the right one opens the menu, which
// acts on the current cell, not on the one under the mouse.
void StringGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        QTableWidget::mousePressEvent(event);
}

// A drag with the left button selects a block. The cell editor the press
// opened would keep the drag in its cell: it closes once the mouse reaches
// another cell (what was typed is in the cell already).
void StringGrid::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && state() == EditingState) {
        const QModelIndex under = indexAt(event->position().toPoint());
        QWidget *editor = indexWidget(currentIndex());
        if (editor && under.isValid() && under != currentIndex())
            closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    QTableWidget::mouseMoveEvent(event);
}

void StringGrid::contextMenuEvent(QContextMenuEvent *event)
{
    if (popupMenu_ && popupEnabled_)
        popupMenu_->popup(event->globalPos());
}

// Fixed cells are disabled so neither the mouse nor the cursor keys can
// reach them; they keep the normal text colour on the header colour.
void StringGrid::applyFixedLook()
{
    const QBrush fixedBackground = palette().button();
    const QBrush text = palette().text();
    for (int r = 1; r < kRows; ++r) {
        for (int c = 1; c < kColumns; ++c) {
            QTableWidgetItem *item = cellItem(c, r);
            const bool fixed = isFixed(c, r);
            item->setFlags(fixed ? Qt::NoItemFlags
                                 : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            item->setBackground(fixed ? fixedBackground : QBrush());
            item->setForeground(text);
        }
    }
}
