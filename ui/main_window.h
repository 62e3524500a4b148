#pragma once

#include "core/curve_document.h"
#include "core/curve_file.h"
#include "ui/window_texts.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class AppSettings;
class QAction;
class CurveChart;
class CurveView;
class DownloadSession;
struct DownloadOutcome;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class SerialLine;
class StringGrid;
class THelpForm;
class UserPrompts;

// What the main window needs from outside: the prompts (real dialogs, or a
// script in tests) and the immediate exit of the process.
struct Form1Services {
    UserPrompts *prompts = nullptr;
    std::function<void(int)> exitProcess;
    SerialLine *comm = nullptr; // the line to the module (Comm1)
};

// The main window: the curve table on the left, the chart at the top right,
// the module parameters, the version panel and the command buttons. Building
// it is the program's start-up.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    // The window's outer size as designed; the client area is 642 x 566 of it.
    static constexpr int kOuterWidth = 650;
    static constexpr int kMinOuterHeight = 600;
    static constexpr int kClientWidth = 642;
    static constexpr int kClientHeight = 566;
    static constexpr int kMaxClientHeight = kClientHeight + 200;
    // How long leaving waits for a download or wake pulse to end by itself.
    static constexpr int kReleaseMs = 3000;

    explicit TForm1(Form1Services services, QWidget *parent = nullptr);
    ~TForm1() override;

    // The controls, named as on the window.
    StringGrid *StringGrid1;
    QFrame *Panel1, *Panel2, *Panel3, *Panel4, *Panel5;
    CurveChart *Chart1;
    QPushButton *LoadBtn, *SaveBtn, *EditBtn, *TorolBtn, *HelpBtn;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10;
    QComboBox *ComboBox1, *ComboBox2, *ComboBox3, *ComboBox4, *CBZaraskorrekcio, *CBTransparencia;
    QLineEdit *Edit1, *Edit2, *Edit3, *EditVerzio;
    QPushButton *BitBtn1, *KilepBtn, *BtnNyelv, *ComBtn, *LetoltBtn, *ComOkBtn;
    QTimer *Timer1, *Timer2;
    QLabel *PortDeviceLabel; // on Panel5: the system port the chosen number stands for
    QMenu *PopupMenu1;

    // Application state.
    const TextSlots &textSlots() const { return slots_; }
    const QString &curveFile() const { return curveFile_; }
    int language() const { return language_; }
    std::int64_t versionValue() const { return document_.curve().versionValue(); }
    // True while the firmware version is above 8,2999: the options exist and
    // the download frame carries the options value.
    bool versionFlag() const;
    const QString &deviceName() const { return deviceName_; }
    int currentRow() const { return currentRow_; }
    int currentCol() const { return currentCol_; }
    bool chartEnlarged() const { return chartEnlarged_; }
    DownloadSession &downloadSession() const { return *session_; }
    const QString &helpFileName() const { return HelpFileName; }

    // The help viewer, built when it is first opened.
    THelpForm *helpForm();

    // The curve the grid, the fields and the chart show, with its history.
    const CurveDocument &document() const { return document_; }
    // The texts of the table and the parameters as the window shows them.
    const CurveTexts &curveTexts() const { return document_.curve().texts(); }

    // Loads a curve file into the table and the parameters; false (after a
    // message) when the file is missing, cannot be read or is not a curve file.
    bool LoadCurveFile(const QString &path);

    // Editing the table and the parameter fields.
    void StringGrid1SelectCell(int column, int row);
    void StringGrid1Exit();
    // Checks the current cell's text; an invalid one is corrected in the
    // correction dialog. Then moves the curve the current column belongs to.
    void ValidateCell(const QString &text);
    void N000000001Click();
    void N100000001Click();
    void N101000001Click();
    void N010100001Click();
    void N101001011Click();
    void N010111111Click();
    void N101011111Click();
    void N111111111Click();
    void Edit1Exit();
    void Edit2Exit();
    void Edit3Exit();
    void EditVerzioChange();
    void EditVerzioExit();
    void CBTransparenciaChange();

    // Handlers.
    void LoadBtnClick();
    void SaveBtnClick();
    void EditBtnClick();
    void TorolBtnClick();
    void KilepBtnClick();
    void Chart1DblClick();
    void ComBtnClick();
    void ComOkBtnClick();
    void LetoltBtnClick();
    void Timer1Timer();
    void BitBtn1Click();
    void Timer2Timer();
    void FormShow();
    void BtnNyelvClick();
    void HelpBtnClick();
    // The chart menu's "export curve card…": the card of the curve as the
    // window holds it, in the window's language.
    void exportCurveCard();

    // The range commands on the grid's selection (Ctrl+I, Ctrl+Up,
    // Ctrl+Down), each one step of the history.
    void StringGrid1RangeCommand(RangeCommand command);
    // A point of the new curve pulled on the chart, and let go: one step.
    void Chart1PointMoved(int point, double degrees);
    void Chart1PointReleased();
    // The chart menu's comparison: another curve file's advances over the
    // table's, read without loading it; and the chart as a PNG picture.
    void compareWithFile();
    void removeComparison();
    void saveChartImage();

    // The history's keys: Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z.
    void undoChange();
    void redoChange();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void wireCommands();
    void startUp();
    void fillChart();
    void choosePreset(const QString &pattern);
    void listChosen();
    void showChange(const CurveChange &change);
    // A new item at the end of the chart's menu, titled in the window's language.
    QAction *chartMenuItem(const char *name, QString WindowTexts::*text);
    // Reads a curve file and nothing else; nullopt (after a message) when it
    // is missing, cannot be read or is not a curve file.
    std::optional<CurveFileContents> readCurve(const QString &path);
    // An export's file: proposed beside the curve file with `suffix`, and
    // asked about when it exists already; nullopt when the user declines.
    std::optional<QString> exportPath(const QString &suffix, const QStringList &filters);
    bool mayOverwrite(const QString &path);
    void showComparisonTitle();

    // Runs a handler; whatever it throws is shown in the error box and the
    // rest of the handler is skipped.
    void guarded(const std::function<void()> &handler);
    template <typename Sender, typename Signal>
    void handle(Sender *sender, Signal signal, void (TForm1::*handler)());

    AppSettings settings() const;
    void resetTable(bool defaultSpeeds);
    void writeHeaders();
    void selectCellByProgram(int column, int row);
    void makeCurrent(int column, int row);
    void refreshCurves();
    void showPortDevice();
    bool portBusy() const;
    void downloadFinished(const DownloadOutcome &outcome);
    void reportLineFailure(qint32 valuesSent);
    void setWaitCursor(bool on);
    void releasePort();
    void ApplyLanguage(int language);

    Form1Services services_;
    std::unique_ptr<DownloadSession> session_;
    bool waitCursor_ = false;
    bool leaving_ = false;
    CurveDocument document_;
    std::unique_ptr<CurveView> view_; // goes before the document and the widgets it joins
    const WindowTexts *windowTexts_ = &startupTexts().window;
    TextSlots slots_ = startupTexts().slotTexts;
    QString startDir_;
    QString curveFile_;
    QString HelpFileName;
    QString deviceName_ = QStringLiteral("Com4");
    int language_ = 0;
    int currentRow_ = 1;
    int currentCol_ = 2;
    QRect chartHome_;
    bool chartEnlarged_ = false;
    std::unique_ptr<THelpForm> helpForm_;
    QList<std::pair<QAction *, QString WindowTexts::*>> chartMenuItems_;
    QAction *removeComparisonItem_ = nullptr;
    std::optional<Curve> comparison_;
    QString comparisonName_;
};
