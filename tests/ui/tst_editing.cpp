#include "core/curve_file.h"
#include "form_fixture.h"
#include "ui/curve_chart.h"
#include "ui/edit_form.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"
#include "ui/user_prompts.h"
#include "user_input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

void rightClickCell(StringGrid *grid, int column, int row)
{
    rightClickAt(grid->viewport(), cellCentre(grid, column, row));
}

// Types into the open cell editor, replacing its text; false when no cell
// editor has the focus.
[[nodiscard]] bool typeIntoCell(const QString &text)
{
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (!editor)
        return false;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, text);
    return true;
}

QList<int> current(const TForm1 &form)
{
    return {form.currentCol(), form.currentRow()};
}

QStringList patternColumn(const TForm1 &form)
{
    QStringList patterns;
    for (int r = 1; r <= kCurveRows; ++r)
        patterns << form.StringGrid1->cell(3, r);
    return patterns;
}

// A main window that shows the real dialogs.
struct RealPromptsForm {
    FormFixture fixture;
    RealPrompts prompts;
    TForm1 form{{&prompts, [](int) {}, &fixture.comm}};
    RealPromptsForm() { prompts.setParent(&form); }
};

QString slotText(const TForm1 &form, const QString &name)
{
    const TextSlots &t = form.textSlots();
    const QHash<QString, QString> byName = {
        {"MsgBadShiftRpm", t.MsgBadShiftRpm},
        {"MsgBadOpeningTime", t.MsgBadOpeningTime},
        {"MsgBadDwellAngleWide", t.MsgBadDwellAngleWide},
        {"MsgBadDwellTime", t.MsgBadDwellTime},
    };
    return byName.value(name);
}

} // namespace

class TestEditing : public QObject {
    Q_OBJECT

private slots:
    void correctionLoopOnCursorKey()
    {
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        clickCell(form.StringGrid1, 2, 5);
        QCOMPARE(current(form), (QList<int>{2, 5}));
        QVERIFY(typeIntoCell("abc"));
        QCOMPARE(form.StringGrid1->cell(2, 5), "abc"); // the cell's text at once

        f.prompts.corrections = {"70", "12,5"};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);

        const QString shown = form.textSlots().MsgRangeAdvance + " | abc";
        QCOMPARE(f.prompts.log, (QStringList{"correct: " + shown, "correct: " + shown}));
        QCOMPARE(form.StringGrid1->cell(2, 5), "12,5");
        QCOMPARE(form.Chart1->value(CurveChart::New, 4), 12.5);
        QCOMPARE(form.Chart1->value(CurveChart::Old, 4), 1.0);
        QCOMPARE(current(form), (QList<int>{2, 6}));
        QCOMPARE(form.StringGrid1->selectedRow(), 6);
    }

    void leavingTheGridChecksTheCell_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("corrections");
        QTest::addColumn<QString>("committed");
        QTest::addColumn<double>("point"); // the new curve's point for the row
        QTest::newRow("advance with a point") << 2 << "0.5" << QStringList{"0,5"} << "0,5" << 0.5;
        QTest::newRow("empty pattern") << 3 << "" << QStringList{"1010", "10100000"} << "10100000" << 1.0;
    }
    void leavingTheGridChecksTheCell()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QStringList, corrections);
        QFETCH(QString, committed);
        QFETCH(double, point);
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        clickCell(form.StringGrid1, column, 7);
        QVERIFY(typeIntoCell(typed));
        f.prompts.corrections.assign(corrections.begin(), corrections.end());
        form.Edit1->setFocus();

        QCOMPARE(f.prompts.entries("correct: ").size(), corrections.size());
        QVERIFY(f.prompts.entries("error: ").isEmpty());
        QCOMPARE(form.StringGrid1->cell(column, 7), committed);
        QCOMPARE(current(form), (QList<int>{column, 7}));
        QCOMPARE(form.Chart1->value(CurveChart::New, 6), point);
        QCOMPARE(QApplication::focusWidget(), form.Edit1);
    }

    void speedEditRelabelsTheOldCurve()
    {
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        form.EditBtn->click();
        clickCell(form.StringGrid1, 1, 3);
        QVERIFY(typeIntoCell("17999,5"));
        form.StringGrid1->setCell(1, 40, "5000"); // any row's speed is taken
        clickCell(form.StringGrid1, 2, 3);
        QVERIFY(f.prompts.log.isEmpty());
        QCOMPARE(form.Chart1->label(2), "17999,5");
        QCOMPARE(form.Chart1->label(39), "5000");
        QCOMPARE(form.Chart1->value(CurveChart::New, 2), 1.0);
    }

    void realCorrectionDialog()
    {
        RealPromptsForm real;
        TForm1 &form = real.form;
        QVERIFY(showActive(form));
        clickCell(form.StringGrid1, 2, 4);
        QVERIFY(typeIntoCell("abc"));

        QStringList seen;
        int rounds = 0;
        std::function<void()> answer = [&] {
            auto *dialog = qobject_cast<TEditForm *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen << dialog->StaticText1->text() + " | " + dialog->Edit1->text();
            if (++rounds == 1) {
                QCOMPARE(dialog->windowTitle(), "EditForm");
                QCOMPARE(dialog->size(), QSize(308, 148));
                QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
                QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
                QVERIFY(dialog->BitBtn1->isDefault());
                QCOMPARE(dialog->Edit1->geometry(), QRect(98, 72, 98, 24));
                // Neither Escape nor a close request gets out of the dialog.
                QTest::keyClick(dialog, Qt::Key_Escape);
                QVERIFY(dialog->isVisible());
                dialog->close();
                QVERIFY(dialog->isVisible());
                dialog->Edit1->setText("70");
                QTimer::singleShot(0, answer);
            } else {
                QDir().mkpath(TEST_OUTPUT_DIR);
                QVERIFY(dialog->grab().save(QStringLiteral(TEST_OUTPUT_DIR "/edit_form.png")));
                dialog->Edit1->setText("12,5");
            }
            dialog->BitBtn1->click();
        };
        QTimer::singleShot(0, answer);
        form.Edit1->setFocus();

        const QString shown = form.textSlots().MsgRangeAdvance + " | abc";
        QCOMPARE(seen, (QStringList{shown, shown}));
        QCOMPARE(form.StringGrid1->cell(2, 4), "12,5");
        QCOMPARE(form.Chart1->value(CurveChart::New, 3), 12.5);
        // Back in the main window the focus is where the user put it, and
        // coming back is no exit of the grid.
        QApplication::setActiveWindow(&form);
        QTRY_COMPARE(QApplication::focusWidget(), form.Edit1);
        QCOMPARE(seen.size(), 2);
    }

    void realMessageBoxShownOnce()
    {
        RealPromptsForm real;
        TForm1 &form = real.form;
        QVERIFY(showActive(form));
        form.Edit1->setText("599");
        form.Edit1->setFocus();
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown << box->text();
            box->button(QMessageBox::Ok)->click();
        });
        form.Edit2->setFocus();
        QCOMPARE(shown, QStringList{form.textSlots().MsgBadShiftRpm});
        QCOMPARE(form.Edit1->text(), "3500");
        QApplication::setActiveWindow(&form);
        QTRY_COMPARE(QApplication::focusWidget(), form.Edit2);
        QCOMPARE(shown.size(), 1);
    }

    // Keys typed right after a click land in the cell, also when the click
    // hits the cell that is current already and whose editor is closed.
    void keysRightAfterAClick_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("row"); // the current cell's row, in column 2
        QTest::newRow("right after start-up") << "" << 1;
        QTest::newRow("back from another field") << "leave" << 5;
        QTest::newRow("after a failed load") << "failed load" << 5;
    }
    void keysRightAfterAClick()
    {
        QFETCH(QString, before);
        QFETCH(int, row);
        RealPromptsForm real;
        TForm1 &form = real.form;
        QVERIFY(showActive(form));
        if (before == "leave") {
            clickCell(form.StringGrid1, 2, row);
            QTest::mouseClick(form.EditVerzio, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), form.EditVerzio);
            QCoreApplication::processEvents(); // as between two clicks of a user
        } else if (before == "failed load") {
            QTimer::singleShot(0, [] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                box->button(QMessageBox::Ok)->click();
            });
            QVERIFY(!form.LoadCurveFile(real.fixture.path("gone.igc")));
            QApplication::setActiveWindow(&form);
            QVERIFY(QTest::qWaitForWindowActive(&form));
        }
        QCOMPARE(current(form), (QList<int>{2, row}));

        clickCell(form.StringGrid1, 2, row);
        typeKeys(&form, "25");
        QCOMPARE(form.StringGrid1->cell(2, row), "25");
    }

    // Tab is no cell move: it leaves the grid, which checks the cell.
    void tabLeavesTheGrid_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus"); // the control that gets the focus, if one is named
        QTest::newRow("Tab") << int(Qt::Key_Tab) << "ComboBox1";
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << "";
    }
    void tabLeavesTheGrid()
    {
        QFETCH(int, key);
        QFETCH(QString, focus);
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        clickCell(form.StringGrid1, 2, 5);
        typeKeys(&form, "abc");
        f.prompts.corrections = {"7"};
        pressKey(&form, Qt::Key(key), key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);

        QWidget *now = QApplication::focusWidget();
        QVERIFY(now && now != form.StringGrid1 && !form.StringGrid1->isAncestorOf(now));
        if (!focus.isEmpty())
            QCOMPARE(now->objectName(), focus);
        QCOMPARE(f.prompts.entries("correct: ").size(), 1);
        QCOMPARE(form.StringGrid1->cell(2, 5), "7");
        QCOMPARE(form.Chart1->value(CurveChart::New, 4), 7.0);
        QCOMPARE(current(form), (QList<int>{2, 5}));
        QCOMPARE((QList<int>{form.StringGrid1->selectedColumn(), form.StringGrid1->selectedRow()}),
                 (QList<int>{2, 5}));
    }

    // Left at the start of the text and Right at its end go on to the
    // neighbouring cell, checking the cell left; inside the text they move
    // the text cursor.
    void leftAndRightAtTheTextEnds_data()
    {
        QTest::addColumn<int>("column"); // the cell clicked, in row 5
        QTest::addColumn<int>("place");  // Home or End, or 0 to leave the text selected whole
        QTest::addColumn<int>("arrow");
        QTest::addColumn<int>("after");  // the current column afterwards
        QTest::addColumn<int>("cursor"); // the text cursor afterwards, when the cell stays
        QTest::newRow("Right at the end") << 2 << int(Qt::Key_End) << int(Qt::Key_Right) << 3 << 0;
        QTest::newRow("Left at the start") << 3 << int(Qt::Key_Home) << int(Qt::Key_Left) << 2 << 0;
        QTest::newRow("Right with the text selected") << 2 << 0 << int(Qt::Key_Right) << 3 << 0;
        QTest::newRow("Left inside the text") << 2 << int(Qt::Key_End) << int(Qt::Key_Left) << 2 << 3;
        QTest::newRow("Right inside the text") << 3 << int(Qt::Key_Home) << int(Qt::Key_Right) << 3 << 1;
        QTest::newRow("Left into the fixed speeds") << 2 << int(Qt::Key_Home) << int(Qt::Key_Left) << 2 << 0;
        QTest::newRow("Right past the last column") << 3 << int(Qt::Key_End) << int(Qt::Key_Right) << 3 << 8;
    }
    void leftAndRightAtTheTextEnds()
    {
        QFETCH(int, column);
        QFETCH(int, place);
        QFETCH(int, arrow);
        QFETCH(int, after);
        QFETCH(int, cursor);
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        clickCell(form.StringGrid1, column, 5);
        typeKeys(&form, column == 2 ? "12,5" : "10100000");
        if (place)
            pressKey(&form, Qt::Key(place));
        else
            pressKey(&form, Qt::Key_A, Qt::ControlModifier);
        pressKey(&form, Qt::Key(arrow));

        QCOMPARE(current(form), (QList<int>{after, 5}));
        QCOMPARE(form.StringGrid1->selectedColumn(), after);
        // The move checked the advance it left and drew it.
        QCOMPARE(form.Chart1->value(CurveChart::New, 4), column == 2 && after == 3 ? 12.5 : 1.0);
        if (after == column) {
            auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            QVERIFY(editor);
            QCOMPARE(editor->cursorPosition(), cursor);
        }
        QVERIFY(f.prompts.log.isEmpty());
    }

    void presets_data()
    {
        QTest::addColumn<int>("row");        // the current row, chosen by a click
        QTest::addColumn<int>("clicked");    // the row under the right-click
        QTest::addColumn<int>("onesFirst");  // rows reading 11111111 before
        QTest::addColumn<int>("onesLast");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("first");      // rows that become the item's pattern
        QTest::addColumn<int>("last");

        QTest::newRow("right-click on another row") << 3 << 10 << 0 << 0 << "N100000001" << 3 << 3;
        QTest::newRow("ones from row 60") << 60 << 60 << 0 << 0 << "N111111111" << 60 << 60;
        QTest::newRow("ones from row 1") << 1 << 30 << 0 << 0 << "N111111111" << 1 << 60;
        QTest::newRow("rows 40-60, row 45") << 45 << 45 << 40 << 60 << "N101000001" << 40 << 45;
        QTest::newRow("preset at row 1") << 1 << 1 << 1 << 60 << "N010100001" << 1 << 1;
    }
    void presets()
    {
        QFETCH(int, row);
        QFETCH(int, clicked);
        QFETCH(int, onesFirst);
        QFETCH(int, onesLast);
        QFETCH(QString, item);
        QFETCH(int, first);
        QFETCH(int, last);
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        for (int r = onesFirst; r >= 1 && r <= onesLast; ++r)
            form.StringGrid1->setCell(3, r, "11111111");
        QStringList expected = patternColumn(form);
        auto *action = form.PopupMenu1->findChild<QAction *>(item);
        for (int r = first; r <= last; ++r)
            expected[r - 1] = action->text();

        clickCell(form.StringGrid1, 3, row);
        rightClickCell(form.StringGrid1, 3, clicked);
        QCOMPARE(current(form), (QList<int>{3, row}));
        QVERIFY(form.PopupMenu1->isVisible());
        QTest::mouseClick(form.PopupMenu1, Qt::LeftButton, {},
                          form.PopupMenu1->actionGeometry(action).center());
        QTRY_VERIFY(!form.PopupMenu1->isVisible());
        QCOMPARE(patternColumn(form), expected);
        QVERIFY(f.prompts.log.isEmpty());
    }

    // The menu opens on a right-click anywhere in the grid while the
    // pattern column is current, the titles and the row numbers included.
    void menuFromTheHeadersAndTheCorner_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("column titles") << "titles";
        QTest::newRow("row numbers") << "numbers";
        QTest::newRow("corner") << "corner";
    }
    void menuFromTheHeadersAndTheCorner()
    {
        QFETCH(QString, where);
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        StringGrid *grid = form.StringGrid1;
        clickCell(grid, 3, 8);
        const QHeaderView *titles = grid->horizontalHeader();
        const QHeaderView *numbers = grid->verticalHeader();
        if (where == "titles")
            rightClickAt(titles->viewport(), {titles->sectionViewportPosition(1) + 10, titles->height() / 2});
        else if (where == "numbers")
            rightClickAt(numbers->viewport(), {numbers->width() / 2, numbers->sectionViewportPosition(9) + 5});
        else
            rightClickAt(grid->findChild<QAbstractButton *>(), {5, 5});
        QVERIFY(form.PopupMenu1->isVisible());
        QCOMPARE(current(form), (QList<int>{3, 8}));
        form.PopupMenu1->close();
    }

    void menuOnlyInThePatternColumn()
    {
        FormFixture f;
        f.writeFile("c.igc", writeCurveFile(sampleCurve()));
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        QVERIFY(!form.StringGrid1->popupEnabled());
        rightClickCell(form.StringGrid1, 3, 8);
        QVERIFY(!form.PopupMenu1->isVisible());
        QCOMPARE(current(form), (QList<int>{2, 1}));

        clickCell(form.StringGrid1, 3, 8);
        QVERIFY(form.StringGrid1->popupEnabled());
        clickCell(form.StringGrid1, 2, 8);
        QVERIFY(!form.StringGrid1->popupEnabled());
        // A move by the program sets the menu and checks nothing.
        clickCell(form.StringGrid1, 3, 8);
        QVERIFY(typeIntoCell("abc"));
        QVERIFY(form.LoadCurveFile(f.path("c.igc")));
        QVERIFY(f.prompts.log.isEmpty());
        QCOMPARE(current(form), (QList<int>{2, 4}));
        QVERIFY(!form.StringGrid1->popupEnabled());
        rightClickCell(form.StringGrid1, 3, 8);
        QVERIFY(!form.PopupMenu1->isVisible());
    }

    void typingTheVersion()
    {
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        form.EditVerzio->setFocus();
        form.EditVerzio->clear();
        QList<bool> flags;
        for (const char key : {'8', '.', '3'}) {
            QTest::keyClick(form.EditVerzio, key);
            flags << form.versionFlag();
        }
        QCOMPARE(flags, (QList<bool>{false, false, true}));
        QCOMPARE(form.EditVerzio->text(), "8.3");
        QCOMPARE(form.versionValue(), 83000);
        QVERIFY(form.CBTransparencia->isEnabled());
        QVERIFY(form.CBZaraskorrekcio->isEnabled());
        QTest::keyClick(form.EditVerzio, Qt::Key_Backspace);
        QVERIFY(!form.versionFlag());
        QVERIFY(!form.CBTransparencia->isEnabled() && !form.CBZaraskorrekcio->isEnabled());
    }

    void versionSetByProgram()
    {
        FormFixture f;
        f.writeSettings("none\r\n1\r\n0\r\n8,3\r\n");
        TForm1 &form = f.start();
        QVERIFY(form.versionFlag());
        QVERIFY(form.CBTransparencia->isEnabled());
        form.Edit2->setText("*");
        form.EditVerzio->setText("9");
        QVERIFY(form.versionFlag());
        QVERIFY(form.CBTransparencia->isEnabled() && !form.CBZaraskorrekcio->isEnabled());
    }

    void fieldExits_data()
    {
        QTest::addColumn<QStringList>("before"); // Edit1, Edit2, Edit3
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("message"); // slot name, empty: none

        QTest::newRow("shift 600") << QStringList{"600", "1", "3"} << "Edit1" << QStringList{"600", "1", "3"} << "";
        QTest::newRow("shift 599") << QStringList{"599", "1", "3"} << "Edit1" << QStringList{"3500", "1", "3"} << "MsgBadShiftRpm";
        QTest::newRow("opening 2,5, dwell 12") << QStringList{"6000", "2,5", "12"} << "Edit2" << QStringList{"6000", "2", "0,5"} << "MsgBadOpeningTime";
        QTest::newRow("wide, dwell 40") << QStringList{"6000", "*", "40"} << "Edit2" << QStringList{"6000", "*", "50"} << "";
        QTest::newRow("wide, dwell 600, opening left") << QStringList{"6000", "*", "600"} << "Edit2" << QStringList{"6000", "*", "600"} << "";
        QTest::newRow("wide, dwell 600, dwell left") << QStringList{"6000", "*", "600"} << "Edit3" << QStringList{"6000", "*", "50"} << "MsgBadDwellAngleWide";
        QTest::newRow("time, dwell 10,5") << QStringList{"6000", "1", "10,5"} << "Edit3" << QStringList{"6000", "1", "10"} << "MsgBadDwellTime";
    }
    void fieldExits()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, leave);
        QFETCH(QStringList, after);
        QFETCH(QString, message);
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        const QList<QLineEdit *> fields{form.Edit1, form.Edit2, form.Edit3};
        for (int i = 0; i < 3; ++i)
            fields[i]->setText(before[i]);
        form.findChild<QLineEdit *>(leave)->setFocus();
        form.ComboBox1->setFocus();
        QCOMPARE((QStringList{form.Edit1->text(), form.Edit2->text(), form.Edit3->text()}), after);
        QCOMPARE(f.prompts.entries("message: "), message.isEmpty() ? QStringList() : QStringList{slotText(form, message)});
    }

    void narrowAngleOpening()
    {
        FormFixture f;
        f.writeSettings("none\r\n1\r\n0\r\n8,3\r\n");
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        f.prompts.log.clear();
        QVERIFY(form.CBZaraskorrekcio->isEnabled());
        form.Edit2->setText("#");
        form.Edit3->setText("150");
        form.Edit2->setFocus();
        form.Edit3->setFocus();
        form.ComboBox1->setFocus();
        QCOMPARE(form.Edit3->text(), "180");
        QCOMPARE(form.ComboBox1->currentText(), "2");
        QVERIFY(!form.ComboBox3->isEnabled() && !form.ComboBox4->isEnabled());
        QVERIFY(!form.CBZaraskorrekcio->isEnabled());
        QVERIFY(f.prompts.log.isEmpty());

        // Back to time mode: the lists return, and the dwell correction with
        // a version that has it.
        form.Edit2->setText("1");
        form.Edit2->setFocus();
        form.ComboBox1->setFocus();
        QVERIFY(form.ComboBox3->isEnabled() && form.ComboBox4->isEnabled());
        QVERIFY(form.CBZaraskorrekcio->isEnabled());
        QCOMPARE(form.Edit3->text(), "0,5");
        QVERIFY(f.prompts.log.isEmpty());
    }

    void transparentRanges()
    {
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        form.EditVerzio->setText("8,3");
        form.StringGrid1->setCell(2, 10, "x");
        form.StringGrid1->setCell(2, 20, "33");
        QCOMPARE(current(form), (QList<int>{2, 1}));

        form.CBTransparencia->setFocus();
        form.CBTransparencia->setCurrentIndex(2);
        QTest::keyClick(form.CBTransparencia, Qt::Key_Down); // picks "3"
        QCOMPARE(form.StringGrid1->fixedRows(), 4);
        QVERIFY(form.StringGrid1->isFixed(2, 3) && !form.StringGrid1->isFixed(2, 4));
        QCOMPARE(current(form), (QList<int>{2, 4}));
        QCOMPARE(form.StringGrid1->selectedRow(), 4);
        QCOMPARE(QApplication::focusWidget(), form.Panel2);
        QList<double> expected(16, 1.0);
        expected[0] = expected[1] = expected[2] = 0;
        expected[9] = 0; // "x" is drawn at 0
        for (int p = 0; p < 16; ++p)
            QCOMPARE(form.Chart1->value(CurveChart::New, p), expected[p]);
        QCOMPARE(form.Chart1->value(CurveChart::New, 19), 1.0); // beyond the first 16
        QVERIFY(f.prompts.log.isEmpty());

        // A fixed row cannot become the current cell, by mouse or key.
        clickCell(form.StringGrid1, 2, 2);
        clickCell(form.StringGrid1, 1, 6);
        QCOMPARE(current(form), (QList<int>{2, 4}));
        QCOMPARE(form.StringGrid1->selectedRow(), 4);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(current(form), (QList<int>{2, 4}));
        QCOMPARE(form.StringGrid1->selectedRow(), 4);

        form.CBTransparencia->setCurrentIndex(1);
        QTest::keyClick(form.CBTransparencia, Qt::Key_Up); // picks "0"
        QCOMPARE(form.StringGrid1->fixedRows(), 1);
        QCOMPARE(current(form), (QList<int>{2, 1}));
        expected[0] = expected[1] = expected[2] = 1.0;
        for (int p = 0; p < 16; ++p)
            QCOMPARE(form.Chart1->value(CurveChart::New, p), expected[p]);
    }

    // Only a pick by the user redraws the transparent rows at 0; the loader
    // sets the item without that.
    void loadDoesNotRedrawTransparentRows()
    {
        FormFixture f;
        f.writeFile("c.igc", writeCurveFile(sampleCurve()));
        TForm1 &form = f.start();
        QVERIFY(form.LoadCurveFile(f.path("c.igc")));
        QCOMPARE(form.CBTransparencia->currentText(), "3");
        QCOMPARE(form.Chart1->value(CurveChart::New, 0), 1.0);
        QVERIFY(f.prompts.log.isEmpty());
    }

    void leavingTheVersionField_data()
    {
        QTest::addColumn<QByteArray>("settings"); // "<missing>" or the lines
        QTest::addColumn<int>("port");            // ComboBox2's index
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no settings file") << QByteArray("<missing>") << 2 << QByteArray("<missing>");
        QTest::newRow("one line") << QByteArray("a\r\n") << 2 << QByteArray("a\r\n3\r\n");
        QTest::newRow("four lines") << QByteArray("a\r\n1\r\n0\r\n8\r\n") << 2 << QByteArray("a\r\n3\r\n0\r\n9,1\r\n");
        QTest::newRow("no port chosen") << QByteArray("a\r\n") << -1 << QByteArray("a\r\n");
        QTest::newRow("no port chosen, four lines") << QByteArray("a\r\n99\r\n0\r\n8\r\n") << -1 << QByteArray("a\r\n99\r\n0\r\n9,1\r\n");
    }
    void leavingTheVersionField()
    {
        QFETCH(QByteArray, settings);
        QFETCH(int, port);
        QFETCH(QByteArray, after);
        FormFixture f;
        f.writeSettings(settings);
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        form.ComboBox2->setCurrentIndex(port);
        form.EditVerzio->setFocus();
        form.EditVerzio->clear();
        QTest::keyClicks(form.EditVerzio, "9.1");
        form.Edit1->setFocus();
        QCOMPARE(f.readFile("Edit.txt"), after);
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
