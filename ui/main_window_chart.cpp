// The chart's own editing and menu: pulling a point of the new curve,
// another curve file laid over the table's for comparison, and the chart as
// a picture.
#include "core/curve_comparison.h"
#include "core/text_file.h"
#include "ui/curve_chart.h"
#include "ui/main_window.h"
#include "ui/user_prompts.h"

#include <QAction>
#include <QBuffer>
#include <QFileInfo>

// The point follows the mouse in half degrees; its row's advance follows the
// point. Nothing is committed until the mouse lets go.
void TForm1::Chart1PointMoved(int point, double degrees)
{
    const int row = point + 1;
    document_.setCell(Col::Advance, row, advanceText(halfDegree(degrees)));
    document_.drawAdvance(row);
}

void TForm1::Chart1PointReleased()
{
    document_.commit();
}

// Read by the curve reader alone: the table, the caption, the current file,
// the selection and the download button stay as they are.
void TForm1::compareWithFile()
{
    const std::optional<QString> path = services_.prompts->openFileName();
    if (!path)
        return;
    const std::optional<CurveFileContents> file = readCurve(*path);
    if (!file)
        return;
    comparison_ = Curve(file->texts);
    comparisonName_ = QFileInfo(*path).fileName();
    const CurvePoints points = advancePoints(*comparison_);
    Chart1->showComparison(QList<double>(points.begin(), points.end()));
    showComparisonTitle();
    removeComparisonItem_->setEnabled(true);
}

void TForm1::removeComparison()
{
    comparison_.reset();
    comparisonName_.clear();
    Chart1->hideComparison();
    removeComparisonItem_->setEnabled(false);
}

// The file's name, and in how many rows its speeds differ from the table's
// as it stands now.
void TForm1::showComparisonTitle()
{
    if (!comparison_)
        return;
    const int rows = rowsWithOtherSpeeds(document_.curve(), *comparison_);
    Chart1->setComparisonTitle(
        rows == 0 ? comparisonName_ : windowTexts_->ComparisonOtherSpeeds.arg(comparisonName_, QString::number(rows)));
}

// The chart as it is on the screen, enlarged or not, zoomed or not.
void TForm1::saveChartImage()
{
    const std::optional<QString> path = exportPath(QStringLiteral(".png"), {QStringLiteral("PNG (*.png)")});
    if (!path || !mayOverwrite(*path))
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Chart1->grab().save(&buffer, "PNG");
    // A failed write raises here and is shown in the error box.
    writeTextFile(*path, bytes);
}
