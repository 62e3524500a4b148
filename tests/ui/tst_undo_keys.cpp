#include "core/curve_file.h"
#include "form_fixture.h"
#include "ui/curve_chart.h"
#include "ui/string_grid.h"
#include "user_input.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// "^Z" is Ctrl+Z, "^Y" Ctrl+Y, "^+Z" Ctrl+Shift+Z, "Tab" and "+Tab" Tab and
// Shift+Tab; anything else is typed. Each key goes to whatever has the focus.
void press(TForm1 &form, const QStringList &keys)
{
    for (const QString &key : keys) {
        if (key == "^Z")
            pressKey(&form, Qt::Key_Z, Qt::ControlModifier);
        else if (key == "^Y")
            pressKey(&form, Qt::Key_Y, Qt::ControlModifier);
        else if (key == "^+Z")
            pressKey(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        else if (key == "Tab")
            pressKey(&form, Qt::Key_Tab);
        else if (key == "+Tab")
            pressKey(&form, Qt::Key_Backtab, Qt::ShiftModifier);
        else
            typeKeys(&form, key);
    }
}

// What the window shows of the curve: the table with both curves and the
// labels, the fields, the lists and whether they can be used, the fixed
// rows and the download button.
QStringList shown(const TForm1 &form)
{
    QStringList lines;
    const StringGrid *grid = form.StringGrid1;
    const CurveChart *chart = form.Chart1;
    for (int r = 1; r <= kCurveRows; ++r) {
        lines << QStringList{grid->cell(1, r), grid->cell(2, r), grid->cell(3, r),
                             QString::number(chart->value(CurveChart::Old, r - 1)),
                             QString::number(chart->value(CurveChart::New, r - 1)), chart->label(r - 1)}
                     .join(' ');
    }
    for (const QLineEdit *field : {form.Edit1, form.Edit2, form.Edit3, form.EditVerzio})
        lines << field->objectName() + ' ' + field->text();
    for (const QComboBox *list : {form.ComboBox1, form.ComboBox3, form.ComboBox4, form.CBZaraskorrekcio, form.CBTransparencia})
        lines << list->objectName() + ' ' + list->currentText() + (list->isEnabled() ? " on" : " off");
    lines << "fixed rows " + QString::number(grid->fixedRows()) << "download " + QString::number(form.LetoltBtn->isEnabled());
    return lines;
}

bool inGrid(const TForm1 &form)
{
    QWidget *focus = QApplication::focusWidget();
    return focus && (focus == form.StringGrid1 || form.StringGrid1->isAncestorOf(focus));
}

} // namespace

class TestUndoKeys : public QObject {
    Q_OBJECT

private slots:
    // An advance committed in row 5; the cell editor is open in row 6.
    void keysInTheCellEditor_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("row5");
        QTest::addColumn<QString>("row6");
        QTest::addColumn<int>("current"); // the current row in column 2
        QTest::newRow("Ctrl+Z") << QStringList{"^Z"} << "1" << "1" << 5;
        QTest::newRow("Ctrl+Z, Ctrl+Y") << QStringList{"^Z", "^Y"} << "12" << "1" << 5;
        QTest::newRow("Ctrl+Z, Ctrl+Shift+Z") << QStringList{"^Z", "^+Z"} << "12" << "1" << 5;
        QTest::newRow("typing first") << QStringList{"3", "^Z"} << "12" << "1" << 6;
        QTest::newRow("typing, then the edit") << QStringList{"3", "^Z", "^Z"} << "1" << "1" << 5;
        QTest::newRow("typing brought again") << QStringList{"3", "^Z", "^Y"} << "12" << "3" << 6;
    }
    void keysInTheCellEditor()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, row5);
        QFETCH(QString, row6);
        QFETCH(int, current);
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        clickCell(form.StringGrid1, 2, 5);
        typeKeys(&form, "12");
        pressKey(&form, Qt::Key_Down);
        QCOMPARE(form.currentRow(), 6);

        press(form, keys);
        QCOMPARE(form.StringGrid1->cell(2, 5), row5);
        QCOMPARE(form.StringGrid1->cell(2, 6), row6);
        QCOMPARE(form.Chart1->value(CurveChart::New, 4), row5.toDouble());
        QCOMPARE((QList<int>{form.currentCol(), form.currentRow()}), (QList<int>{2, current}));
        QCOMPARE(form.StringGrid1->selectedRow(), current);
        QVERIFY(inGrid(form));
        QVERIFY(f.prompts.log.isEmpty());
    }

    // A shift-light speed committed by Tab; the focus is in the opening field.
    void keysInTheFields_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("shift");
        QTest::addColumn<QString>("opening");
        QTest::newRow("Ctrl+Z") << QStringList{"^Z"} << "" << "";
        QTest::newRow("typing first") << QStringList{"5", "^Z"} << "7000" << "";
        QTest::newRow("typing, then the field left before") << QStringList{"5", "^Z", "^Z"} << "" << "";
        QTest::newRow("a field left is a step") << QStringList{"1", "Tab", "^Z"} << "7000" << "";
        QTest::newRow("back in a field left before") << QStringList{"1", "Tab", "+Tab", "+Tab", "^Z"} << "7000" << "";
    }
    void keysInTheFields()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, shift);
        QFETCH(QString, opening);
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        QTest::mouseClick(form.Edit1, Qt::LeftButton);
        typeKeys(&form, "7000");
        pressKey(&form, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.Edit2);

        press(form, keys);
        QCOMPARE(form.Edit1->text(), shift);
        QCOMPARE(form.Edit2->text(), opening);
        QCOMPARE(form.curveTexts().shiftRpm, shift);
        // Taking back never leaves a field: no check ran, no message came.
        QVERIFY(f.prompts.log.isEmpty());
        if (!keys.contains("Tab"))
            QCOMPARE(QApplication::focusWidget(), form.Edit2);
    }

    // Ctrl+Z puts the window back as it was before the change, Ctrl+Y as it
    // was after, without a check, a message or a write of Edit.txt, and
    // with the focus where it was; everything taken back leaves nothing to
    // ask at exit.
    void undoPutsBackWhatTheChangeBrought_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("clear") << "clear";
        QTest::newRow("narrow-angle opening") << "narrow";
        QTest::newRow("transparent ranges") << "transparent";
        QTest::newRow("version") << "version";
        QTest::newRow("speed") << "speed";
        QTest::newRow("cylinders") << "cylinders";
    }
    void undoPutsBackWhatTheChangeBrought()
    {
        QFETCH(QString, change);
        FormFixture f;
        f.writeFile("c.igc", writeCurveFile(sampleCurve()));
        f.writeSettings((f.path("c.igc") + "\r\n1\r\n0\r\n8,3\r\n").toLatin1());
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        const QStringList before = shown(form);

        if (change == "clear") {
            f.prompts.confirmAnswers = {true};
            QTest::mouseClick(form.TorolBtn, Qt::LeftButton);
        } else if (change == "narrow") {
            QTest::mouseClick(form.Edit2, Qt::LeftButton);
            pressKey(&form, Qt::Key_A, Qt::ControlModifier);
            press(form, {"#", "Tab"});
        } else if (change == "transparent") {
            form.CBTransparencia->setFocus();
            pressKey(&form, Qt::Key_Down);
        } else if (change == "version") {
            QTest::mouseClick(form.EditVerzio, Qt::LeftButton);
            pressKey(&form, Qt::Key_A, Qt::ControlModifier);
            press(form, {"7", "Tab"});
        } else if (change == "cylinders") {
            form.ComboBox1->setFocus();
            pressKey(&form, Qt::Key_Down);
        } else if (change == "speed") {
            form.EditBtn->click();
            clickCell(form.StringGrid1, 1, 50);
            press(form, {"9900", "Tab"});
        }
        const QStringList after = shown(form);
        QVERIFY(after != before);
        const QByteArray settings = f.readFile("Edit.txt");
        QWidget *focus = QApplication::focusWidget();
        f.prompts.log.clear();

        press(form, {"^Z"});
        QCOMPARE(shown(form), before);
        QCOMPARE(QApplication::focusWidget(), focus);
        press(form, {"^Y"});
        QCOMPARE(shown(form), after);
        press(form, {"^Z"});
        QCOMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(f.readFile("Edit.txt"), settings);
        QVERIFY(f.prompts.log.isEmpty());
        form.KilepBtn->click();
        QCOMPARE(f.exits, QList<int>{0});
        QVERIFY(f.prompts.log.isEmpty());
    }

    // The cell taken back becomes the current cell, scrolled into view,
    // while the focus stays in the list it is in; a row the transparent
    // ranges fix again cannot stay current.
    void undoShowsTheCell()
    {
        FormFixture f;
        f.writeSettings("none\r\n1\r\n0\r\n8,3\r\n");
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        f.prompts.log.clear(); // the missing curve file
        clickCell(form.StringGrid1, 3, 58);
        press(form, {"10100000", "Tab"});
        clickCell(form.StringGrid1, 2, 1);
        form.CBTransparencia->setFocus();
        form.CBTransparencia->setCurrentIndex(1);
        pressKey(&form, Qt::Key_Down); // two ranges: rows 1 and 2 fixed
        QCOMPARE(form.currentRow(), 3);

        form.ComboBox1->setFocus();
        press(form, {"^Z"}); // the ranges
        QCOMPARE(form.StringGrid1->fixedRows(), 1);
        press(form, {"^Y"});
        QCOMPARE(form.StringGrid1->fixedRows(), 3);
        press(form, {"^Z", "^Z"}); // the ranges, then the pattern
        QCOMPARE(form.StringGrid1->cell(3, 58), "00000000");
        QCOMPARE((QList<int>{form.currentCol(), form.currentRow()}), (QList<int>{3, 58}));
        QVERIFY(form.StringGrid1->viewport()->rect().contains(cellCentre(form.StringGrid1, 3, 58)));
        QCOMPARE(QApplication::focusWidget(), form.ComboBox1);
        press(form, {"^Y"}); // the pattern again
        clickCell(form.StringGrid1, 2, 1);
        press(form, {"^Y"}); // the ranges again, over the current cell
        QCOMPARE(form.StringGrid1->fixedRows(), 3);
        QCOMPARE((QList<int>{form.currentCol(), form.currentRow()}), (QList<int>{2, 3}));
        QCOMPARE(form.StringGrid1->selectedRow(), 3);
        QVERIFY(inGrid(form));
        QVERIFY(f.prompts.log.isEmpty());
    }
};

QTEST_MAIN(TestUndoKeys)
#include "tst_undo_keys.moc"
