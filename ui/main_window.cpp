#include "ui/main_window.h"

#include "core/app_settings.h"
#include "core/number_text.h"
#include "core/platform_error.h"
#include "serial/device_name.h"
#include "serial/download_session.h"
#include "serial/serial_line.h"
#include "ui/curve_chart.h"
#include "ui/curve_view.h"
#include "ui/focus_exit.h"
#include "ui/help_form.h"
#include "ui/string_grid.h"
#include "ui/undo_keys.h"
#include "ui/user_prompts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QShowEvent>

TForm1::TForm1(Form1Services services, QWidget *parent)
    : QWidget(parent), services_(std::move(services)), session_(std::make_unique<DownloadSession>(*services_.comm))
{
    buildLayout();
    view_ = std::make_unique<CurveView>(
        document_, CurveView::Widgets{StringGrid1,
                                      Chart1,
                                      {ComboBox1, Edit1, Edit2, Edit3, ComboBox3, ComboBox4, EditVerzio,
                                       CBZaraskorrekcio, CBTransparencia},
                                      LetoltBtn});
    wireCommands();
    startUp();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm1::~TForm1()
{
    // The session ends what still runs, and says so to nobody.
    session_->disconnect(this);
    session_.reset();
}

template <typename Sender, typename Signal>
void TForm1::handle(Sender *sender, Signal signal, void (TForm1::*handler)())
{
    connect(sender, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
}

void TForm1::wireCommands()
{
    handle(new FocusExit(StringGrid1), &FocusExit::exited, &TForm1::StringGrid1Exit);
    handle(PopupMenu1->findChild<QAction *>("N000000001"), &QAction::triggered, &TForm1::N000000001Click);
    handle(PopupMenu1->findChild<QAction *>("N100000001"), &QAction::triggered, &TForm1::N100000001Click);
    handle(PopupMenu1->findChild<QAction *>("N101000001"), &QAction::triggered, &TForm1::N101000001Click);
    handle(PopupMenu1->findChild<QAction *>("N010100001"), &QAction::triggered, &TForm1::N010100001Click);
    handle(PopupMenu1->findChild<QAction *>("N101001011"), &QAction::triggered, &TForm1::N101001011Click);
    handle(PopupMenu1->findChild<QAction *>("N010111111"), &QAction::triggered, &TForm1::N010111111Click);
    handle(PopupMenu1->findChild<QAction *>("N101011111"), &QAction::triggered, &TForm1::N101011111Click);
    handle(PopupMenu1->findChild<QAction *>("N111111111"), &QAction::triggered, &TForm1::N111111111Click);
    handle(new FocusExit(Edit1), &FocusExit::exited, &TForm1::Edit1Exit);
    handle(new FocusExit(Edit2), &FocusExit::exited, &TForm1::Edit2Exit);
    handle(new FocusExit(Edit3), &FocusExit::exited, &TForm1::Edit3Exit);
    handle(EditVerzio, &QLineEdit::textChanged, &TForm1::EditVerzioChange);
    handle(new FocusExit(EditVerzio), &FocusExit::exited, &TForm1::EditVerzioExit);
    // A pick by the user only: the curve loader sets the item itself.
    handle(CBTransparencia, &QComboBox::activated, &TForm1::CBTransparenciaChange);
    for (QComboBox *list : {ComboBox1, ComboBox3, ComboBox4, CBZaraskorrekcio})
        handle(list, &QComboBox::activated, &TForm1::listChosen);
    connect(StringGrid1, &StringGrid::selectingCell, this, [this](int column, int row) {
        guarded([&] { StringGrid1SelectCell(column, row); });
    });
    connect(StringGrid1, &StringGrid::rangeCommandAsked, this,
            [this](RangeCommand command) { guarded([&] { StringGrid1RangeCommand(command); }); });
    handle(LoadBtn, &QPushButton::clicked, &TForm1::LoadBtnClick);
    handle(SaveBtn, &QPushButton::clicked, &TForm1::SaveBtnClick);
    handle(EditBtn, &QPushButton::clicked, &TForm1::EditBtnClick);
    handle(TorolBtn, &QPushButton::clicked, &TForm1::TorolBtnClick);
    handle(KilepBtn, &QPushButton::clicked, &TForm1::KilepBtnClick);
    handle(Chart1, &CurveChart::doubleClicked, &TForm1::Chart1DblClick);
    connect(Chart1, &CurveChart::pointMoved, this,
            [this](int point, double degrees) { guarded([&] { Chart1PointMoved(point, degrees); }); });
    handle(Chart1, &CurveChart::pointReleased, &TForm1::Chart1PointReleased);
    handle(ComBtn, &QPushButton::clicked, &TForm1::ComBtnClick);
    handle(ComOkBtn, &QPushButton::clicked, &TForm1::ComOkBtnClick);
    handle(ComboBox2, &QComboBox::currentIndexChanged, &TForm1::showPortDevice);
    handle(LetoltBtn, &QPushButton::clicked, &TForm1::LetoltBtnClick);
    handle(Timer1, &QTimer::timeout, &TForm1::Timer1Timer);
    handle(BitBtn1, &QPushButton::clicked, &TForm1::BitBtn1Click);
    handle(Timer2, &QTimer::timeout, &TForm1::Timer2Timer);
    connect(session_.get(), &DownloadSession::finished, this, [this](const DownloadOutcome &outcome) {
        guarded([&] { downloadFinished(outcome); });
    });
    handle(BtnNyelv, &QPushButton::clicked, &TForm1::BtnNyelvClick);
    handle(HelpBtn, &QPushButton::clicked, &TForm1::HelpBtnClick);
    auto *keys = new UndoKeys(this);
    handle(keys, &UndoKeys::undo, &TForm1::undoChange);
    handle(keys, &UndoKeys::redo, &TForm1::redoChange);
    // The chart's menu, one line an item: the view, the comparison, the
    // exports.
    QMenu *chartMenu = Chart1->menu();
    connect(chartMenuItem("ChartRestoreView", &WindowTexts::ChartRestoreView), &QAction::triggered, Chart1,
            &CurveChart::restoreView);
    chartMenu->addSeparator();
    handle(chartMenuItem("ChartCompare", &WindowTexts::ChartCompare), &QAction::triggered, &TForm1::compareWithFile);
    removeComparisonItem_ = chartMenuItem("ChartRemoveComparison", &WindowTexts::ChartRemoveComparison);
    removeComparisonItem_->setEnabled(false);
    handle(removeComparisonItem_, &QAction::triggered, &TForm1::removeComparison);
    chartMenu->addSeparator();
    handle(chartMenuItem("ChartSaveImage", &WindowTexts::ChartSaveImage), &QAction::triggered, &TForm1::saveChartImage);
    handle(chartMenuItem("ChartExportCard", &WindowTexts::ChartExportCard), &QAction::triggered,
           &TForm1::exportCurveCard);
    // The comparison's title counts the rows whose speeds differ from the table's.
    connect(&document_, &CurveDocument::changed, this, &TForm1::showComparisonTitle);
}

QAction *TForm1::chartMenuItem(const char *name, QString WindowTexts::*text)
{
    QAction *item = Chart1->menu()->addAction(windowTexts_->*text);
    item->setObjectName(QLatin1String(name));
    chartMenuItems_.append({item, text});
    return item;
}

void TForm1::guarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const PlatformError &e) {
        services_.prompts->error(e.message());
    } catch (const std::exception &e) {
        services_.prompts->error(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        // Nothing may cross the event loop, whatever was thrown.
        services_.prompts->error(QString());
    }
}

AppSettings TForm1::settings() const
{
    return AppSettings(startDir_ + QStringLiteral("Edit.txt"));
}

void TForm1::startUp()
{
    selectCellByProgram(Col::Advance, 1);
    startDir_ = QDir::currentPath() + QLatin1Char('/');
    curveFile_ = QStringLiteral("elso.igc");
    HelpFileName = QStringLiteral("Help.rtf");
    resetTable(true);

    QStringList lines;
    const AppSettings file = settings();
    // A settings or curve file that cannot be read must not keep the program
    // from starting: say why and go on with the defaults.
    if (file.exists())
        guarded([&] { lines = file.readAll(); });
    if (!lines.isEmpty()) {
        curveFile_ = lines[SettingsLine::CurveFile];
        guarded([this] { LoadCurveFile(curveFile_); });
    }

    if (lines.size() > SettingsLine::Port) {
        ComboBox2->setCurrentIndex(ComboBox2->findText(lines[SettingsLine::Port], Qt::MatchExactly));
        deviceName_ = deviceNameFor(ComboBox2->currentText());
    } else {
        deviceName_ = deviceNameFor(QStringLiteral("1"));
    }
    ComBtn->setText(deviceName_);
    services_.comm->SetDeviceName(deviceName_);

    bool isInteger = false;
    language_ = lines.size() > SettingsLine::Language ? lines[SettingsLine::Language].toInt(&isInteger) : -1;
    if (!isInteger)
        language_ = -1;

    const std::int64_t version = lines.size() > SettingsLine::Version ? parseVersion(lines[SettingsLine::Version]) : 0;
    document_.setText(Param::Version, versionText(version));
    EditVerzioChange();

    fillChart();
    chartHome_ = Chart1->geometry();
    document_.startHistory();
}

// Both curves get one point per row. An advance that is not a number is
// reported once and drawn at 0, so a damaged curve file cannot keep the
// program from starting.
void TForm1::fillChart()
{
    if (const std::optional<QString> notANumber = document_.fillCurves())
        services_.prompts->error(conversionError(*notANumber).message());
}

// Asks only when the new curve differs from the old one somewhere.
void TForm1::KilepBtnClick()
{
    if (!document_.curvesDiffer() || services_.prompts->confirm(slots_.MsgSaveChanges)) {
        // The process ends at once, but never with the BREAK on the line.
        releasePort();
        services_.exitProcess(0);
    }
}

void TForm1::Chart1DblClick()
{
    if (chartEnlarged_) {
        Chart1->setGeometry(chartHome_.x(), Chart1->y(), chartHome_.width(), chartHome_.height());
        chartEnlarged_ = false;
        StringGrid1->show();
    } else {
        // The enlarged chart covers the table and the panels beside it.
        Chart1->setGeometry(8, Chart1->y(), kOuterWidth - 24, kMinOuterHeight - 48);
        Chart1->raise();
        chartEnlarged_ = true;
        StringGrid1->hide();
    }
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The grid follows the bottom edge; the command row keeps its centre at
    // the same fraction of the height.
    const int grown = height() - kClientHeight;
    StringGrid1->resize(StringGrid1->width(), 492 + grown);
    const double centre = (508 + 46 / 2.0) / kClientHeight;
    Panel3->move(Panel3->x(), qRound(centre * height() - 46 / 2.0));
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, even while the help viewer
    // is still open.
    releasePort();
    event->accept();
    QCoreApplication::quit();
}
