// The controls of the main window: names, places, sizes, fonts, items and
// tab order as designed.
#include "ui/main_window.h"

#include "core/download_check.h"
#include "serial/download_session.h"
#include "ui/button_icons.h"
#include "ui/curve_chart.h"
#include "ui/string_grid.h"
#include "ui/window_font.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QResource>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace {

template <typename W>
W *place(const char *name, QWidget *parent, int x, int y, int width, int height)
{
    auto *widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, width, height);
    return widget;
}

QFrame *panel(const char *name, QWidget *parent, int x, int y, int width, int height)
{
    auto *frame = place<QFrame>(name, parent, x, y, width, height);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(1);
    return frame;
}

// A caption that keeps clear of what stands to its right. Where the font the
// system gives draws the text wider than the room up to there (the window's
// font is not on every system, and its stand-ins are wider), this caption
// alone is drawn at a smaller pixel size. It sizes itself to the text as
// drawn, in either language.
class Caption : public QLabel {
public:
    static constexpr int kGap = 2;           // pixels kept free before the neighbour
    static constexpr int kSmallestPixels = 8;

    Caption(const QString &text, QWidget *parent, int room) : QLabel(text, parent), room_(room) {}

    QSize sizeHint() const override
    {
        return {QFontMetrics(drawnFont()).size(Qt::TextSingleLine, text()).width(), QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setFont(drawnFont());
        style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), text(),
                              foregroundRole());
    }

private:
    QFont drawnFont() const
    {
        const int room = std::min(room_, maximumWidth());
        QFont font = this->font();
        while (font.pixelSize() > kSmallestPixels
               && QFontMetrics(font).size(Qt::TextSingleLine, text()).width() > room)
            font.setPixelSize(font.pixelSize() - 1);
        return font;
    }

    int room_;
};

// A caption at (x, y) whose text must end before x = `clearOf`, the left edge
// of the control (or caption, or panel edge) beside it.
QLabel *label(const char *name, QWidget *parent, int x, int y, const QString &text, int clearOf)
{
    auto *caption = new Caption(text, parent, clearOf - x - Caption::kGap);
    caption->setObjectName(QLatin1String(name));
    caption->move(x, y);
    caption->adjustSize();
    return caption;
}

QPushButton *button(const char *name, QWidget *parent, int x, int y, int width, int height,
                    const QString &caption, ButtonPicture picture)
{
    auto *b = place<QPushButton>(name, parent, x, y, width, height);
    b->setText(caption);
    b->setIcon(buttonIcon(picture));
    const int side = buttonIconSize(picture);
    b->setIconSize(QSize(side, side));
    return b;
}

QComboBox *list(const char *name, QWidget *parent, int x, int y, int width, int height,
                const QStringList &items)
{
    auto *combo = place<QComboBox>(name, parent, x, y, width, height);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

QStringList numbers(int from, int to)
{
    QStringList items;
    for (int n = from; n <= to; ++n)
        items << QString::number(n);
    return items;
}

void setPixelFont(QWidget *widget, int pixels)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

// dist/icons/igcedit-48.png, kept as raw RGBA (see ui/CMakeLists.txt).
QIcon programIcon()
{
    constexpr int kSide = 48;
    const QByteArray rgba = QResource(QStringLiteral(":/icons/igcedit-48.rgba")).uncompressedData();
    if (rgba.size() != kSide * kSide * 4)
        return QIcon();
    const QImage image(reinterpret_cast<const uchar *>(rgba.constData()), kSide, kSide, QImage::Format_RGBA8888);
    return QIcon(QPixmap::fromImage(image));
}

QTimer *timer(const char *name, QObject *parent, int milliseconds)
{
    auto *t = new QTimer(parent);
    t->setObjectName(QLatin1String(name));
    t->setInterval(milliseconds);
    t->setSingleShot(true);
    // The module measures the BREAK that these timers end.
    t->setTimerType(Qt::PreciseTimer);
    return t;
}

} // namespace

void TForm1::buildLayout()
{
    const WindowTexts &texts = startupTexts().window;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    // The task bar shows the program's icon, the one the desktop menu shows.
    setWindowIcon(programIcon());
    setFont(windowFont(10));
    setLayoutDirection(Qt::LeftToRight);
    resize(kClientWidth, kClientHeight);
    setMinimumSize(kClientWidth, kClientHeight);
    setMaximumSize(kClientWidth, kMaxClientHeight);

    StringGrid1 = new StringGrid(this);
    StringGrid1->setGeometry(7, 65, 298, 492);

    Panel1 = panel("Panel1", this, 319, 244, 314, 202);
    constexpr int kFieldsX = 200; // the parameter fields, right of their captions
    setPixelFont(Panel1, 15);
    Label1 = label("Label1", Panel1, 20, 13, texts.Label1, kFieldsX);
    Label2 = label("Label2", Panel1, 20, 46, texts.Label2, kFieldsX);
    Label3 = label("Label3", Panel1, 20, 78, texts.Label3, kFieldsX);
    Label4 = label("Label4", Panel1, 20, 111, texts.Label4, kFieldsX);
    Label5 = label("Label5", Panel1, 20, 143, texts.Label5, kFieldsX);
    Label7 = label("Label7", Panel1, 20, 169, texts.Label7, kFieldsX);
    ComboBox1 = list("ComboBox1", Panel1, kFieldsX, 7, 87, 24, kCylinderItems);
    Edit1 = place<QLineEdit>("Edit1", Panel1, kFieldsX, 39, 87, 24);
    Edit2 = place<QLineEdit>("Edit2", Panel1, kFieldsX, 72, 87, 24);
    Edit3 = place<QLineEdit>("Edit3", Panel1, kFieldsX, 104, 87, 24);
    ComboBox3 = list("ComboBox3", Panel1, kFieldsX, 137, 87, 24, texts.ComboBox3Items);
    ComboBox4 = list("ComboBox4", Panel1, kFieldsX, 169, 87, 24, texts.ComboBox4Items);

    Panel3 = panel("Panel3", this, 319, 508, 312, 46);
    KilepBtn = button("KilepBtn", Panel3, 12, 13, 69, 20, texts.KilepBtn, ButtonPicture::Door);
    BtnNyelv = button("BtnNyelv", Panel3, 92, 13, 53, 20, QString(), ButtonPicture::Globe);
    BtnNyelv->setToolTip(QStringLiteral("Nyelv/Language"));
    ComBtn = button("ComBtn", Panel3, 156, 13, 60, 20, QStringLiteral("Com1"), ButtonPicture::Telephone);
    LetoltBtn = button("LetoltBtn", Panel3, 224, 13, 79, 20, texts.LetoltBtn,
                       ButtonPicture::DownloadArrow);
    LetoltBtn->setEnabled(false);
    Panel5 = panel("Panel5", Panel3, 0, 0, 312, 46);
    Panel5->hide();
    ComboBox2 = list("ComboBox2", Panel5, 91, 13, 46, 21, numbers(1, 16));
    setPixelFont(ComboBox2, 11);
    ComOkBtn = button("ComOkBtn", Panel5, 228, 8, 60, 28, QStringLiteral("OK"), ButtonPicture::GreenTick);
    ComOkBtn->setDefault(true);
    Label6 = label("Label6", Panel5, 52, 13, QStringLiteral("Port :"), ComboBox2->x());
    setPixelFont(Label6, 15);
    Label6->adjustSize();
    PortDeviceLabel = label("PortDeviceLabel", Panel5, 143, 17, QStringLiteral("–"), ComOkBtn->x());
    PortDeviceLabel->setFixedWidth(80);
    // The port panel hides the command buttons under it.
    Panel5->setAutoFillBackground(true);
    // Enter presses OK while the port panel is shown: a shortcut acts only
    // while its widget is visible.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), Panel5), &QShortcut::activated, ComOkBtn,
                &QPushButton::animateClick);

    Panel4 = panel("Panel4", this, 7, 7, 299, 50);
    LoadBtn = button("LoadBtn", Panel4, 7, 13, 52, 28, QStringLiteral("Load"), ButtonPicture::OpenFolder);
    SaveBtn = button("SaveBtn", Panel4, 72, 13, 52, 28, QStringLiteral("Save"), ButtonPicture::FloppyDisk);
    EditBtn = button("EditBtn", Panel4, 137, 13, 52, 28, QStringLiteral("Edit"), ButtonPicture::HandWriting);
    TorolBtn = button("TorolBtn", Panel4, 202, 13, 52, 28, QStringLiteral("Clear"), ButtonPicture::BlankSheet);
    HelpBtn = button("HelpBtn", Panel4, 267, 13, 26, 28, QString(), ButtonPicture::QuestionMark);

    Chart1 = new CurveChart(this);
    Chart1->setGeometry(319, 7, 314, 226);
    Chart1->setTitles(texts.ChartTitle, texts.Series1Title, texts.Series2Title);

    Panel2 = panel("Panel2", this, 320, 448, 313, 57);
    // The three captions share a line: each ends before the next one.
    Label10 = label("Label10", Panel2, 203, 8, texts.Label10, Panel2->contentsRect().right() + 1);
    Label9 = label("Label9", Panel2, 88, 8, texts.Label9, Label10->x());
    Label8 = label("Label8", Panel2, 8, 8, texts.Label8, Label9->x());
    EditVerzio = place<QLineEdit>("EditVerzio", Panel2, 8, 24, 41, 21);
    BitBtn1 = button("BitBtn1", Panel2, 48, 24, 33, 21, QString(), ButtonPicture::WakeBall);
    CBZaraskorrekcio = list("CBZaraskorrekcio", Panel2, 88, 24, 97, 21, numbers(0, 15));
    CBZaraskorrekcio->setEnabled(false);
    CBTransparencia = list("CBTransparencia", Panel2, 200, 24, 97, 21, numbers(0, 15));
    CBTransparencia->setEnabled(false);

    // Timer1 takes the frame from the table shortly before the session ends
    // the BREAK.
    Timer1 = timer("Timer1", this, kDownloadBreakMs - kFrameLeadMs);
    Timer2 = timer("Timer2", this, kWakePulseMs);

    PopupMenu1 = new QMenu(StringGrid1);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    for (const char *pattern : {"00000000", "10000000", "10100000", "01010000", "10100101",
                                "01011111", "10101111", "11111111"}) {
        // Item names carry a trailing "1": N101000001 is "10100000".
        QAction *item = PopupMenu1->addAction(QLatin1String(pattern));
        item->setObjectName(QLatin1Char('N') + QLatin1String(pattern) + QLatin1Char('1'));
    }
    StringGrid1->setPopupMenu(PopupMenu1);

    // Tab order: the grid, the parameters, the command row (with the port
    // chooser), the file commands, then the version panel.
    const QList<QWidget *> tabOrder = {
        StringGrid1, ComboBox1, Edit1, Edit2, Edit3, ComboBox3, ComboBox4,
        LetoltBtn, ComBtn, ComboBox2, ComOkBtn, KilepBtn, BtnNyelv,
        LoadBtn, SaveBtn, EditBtn, TorolBtn, HelpBtn, Chart1,
        EditVerzio, CBZaraskorrekcio, CBTransparencia, BitBtn1};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}
