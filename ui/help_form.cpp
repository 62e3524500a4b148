#include "ui/help_form.h"

#include "core/help_file.h"
#include "core/platform_error.h"
#include "core/text_file.h"
#include "ui/button_icons.h"
#include "ui/rtf_reader.h"
#include "ui/window_font.h"

#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// Margins of the panel in the window, and of the text box and the button in
// the panel, as laid out.
constexpr int kPanelMargin = 7;
constexpr int kPanelRightBottom = 5;
constexpr int kTextRight = 6;
constexpr int kTextBelow = 41; // room for the button under the text
constexpr int kButtonBelow = 34;
constexpr QSize kButtonSize(65, 28);
// The manuals are about 20 KB. A file far beyond that is not one, and reading
// it would keep the viewer busy for long: it is refused with a line saying so.
constexpr qint64 kMaxManualBytes = qint64(1) << 20;

} // namespace

THelpForm::THelpForm(std::function<QString()> helpFileName, QWidget *parent)
    : QWidget(parent, Qt::Window), helpFileName_(std::move(helpFileName))
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Help"));
    setFont(windowFont(10));

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);

    RichEdit1 = new QTextEdit(Panel2);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    EndhelpBtn = new QPushButton(buttonIcon(ButtonPicture::ExitDoorway), QStringLiteral("Vissza"), Panel2);
    EndhelpBtn->setObjectName(QStringLiteral("EndhelpBtn"));
    const int side = buttonIconSize(ButtonPicture::ExitDoorway);
    EndhelpBtn->setIconSize(QSize(side, side));
    connect(EndhelpBtn, &QPushButton::clicked, this, &THelpForm::EndhelpBtnClick);

    resize(kClientWidth, kClientHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void THelpForm::FormShow()
{
    RichEdit1->clear();
    // The current directory of this moment, not the one the program started in.
    const std::optional<QString> path = locateHelpFile(QDir::currentPath(), helpFileName_());
    if (!path) {
        RichEdit1->append(QStringLiteral("Nincs meg a Help file!"));
        RichEdit1->append(QStringLiteral("Help file not found!"));
        return;
    }
    // Built apart and handed over whole: filled in place, the box laid out
    // every paragraph as it came, and a manual of a few megabytes took minutes.
    auto *document = new QTextDocument(RichEdit1);
    document->setDefaultFont(RichEdit1->font());
    try {
        readRtf(readTextFile(*path, kMaxManualBytes), *document);
    } catch (const PlatformError &e) {
        // A document that is there but cannot be read says why in its place.
        document->setPlainText(e.message());
    }
    // The box deletes its own first document when it is replaced; the ones
    // handed over here are deleted here.
    QTextDocument *previous = RichEdit1->document();
    const bool handedOver = previous->parent() == RichEdit1;
    RichEdit1->setDocument(document);
    if (handedOver)
        delete previous;
    RichEdit1->moveCursor(QTextCursor::Start);
}

void THelpForm::EndhelpBtnClick()
{
    hide();
}

void THelpForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Only a change from hidden to shown reloads, not the window system's
    // own show events (a restore from the task bar).
    if (!event->spontaneous())
        FormShow();
}

// The panel and the text box follow all four edges; the button keeps its
// distance from the bottom and stays centred.
void THelpForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QSize panel(qMax(0, width() - kPanelMargin - kPanelRightBottom),
                      qMax(0, height() - kPanelMargin - kPanelRightBottom));
    Panel2->setGeometry(QRect(QPoint(kPanelMargin, kPanelMargin), panel));
    RichEdit1->setGeometry(kPanelMargin, kPanelMargin, qMax(0, panel.width() - kPanelMargin - kTextRight),
                           qMax(0, panel.height() - kPanelMargin - kTextBelow));
    EndhelpBtn->setGeometry(QRect(QPoint((panel.width() - kButtonSize.width()) / 2, panel.height() - kButtonBelow),
                                  kButtonSize));
}
