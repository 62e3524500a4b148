// The main window's side of the serial line: choosing the port, downloading
// the curve to the module and the wake pulse.
#include "ui/main_window.h"

#include "core/app_settings.h"
#include "core/download_check.h"
#include "core/download_frame.h"
#include "serial/device_name.h"
#include "serial/download_sequence.h"
#include "serial/port_doctor.h"
#include "serial/serial_line.h"
#include "ui/user_prompts.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

// Sending holds the event loop until the last byte is on the line.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// A port that cannot be opened is reported in the window's language.
template <typename Step>
void inLanguage(int language, Step step)
{
    try {
        step();
    } catch (const PortOpenError &e) {
        throw PlatformError(portDiagnosisText(e.diagnosis(), appliedTexts(language).port));
    }
}

} // namespace

// The port is held from the start of a download until its frame has gone
// out, and for the whole of a wake pulse; until then the timer that ends it
// runs.
bool TForm1::portBusy() const
{
    return Timer1->isActive() || Timer2->isActive();
}

// Looks the ports up afresh while the panel is shown, so an adapter plugged
// in meanwhile counts.
void TForm1::showPortDevice()
{
    if (Panel5->isHidden())
        return;
    const QString device = systemPortFor(deviceNameFor(ComboBox2->currentText()), availableSerialPorts());
    PortDeviceLabel->setText(device.isEmpty()
        ? QStringLiteral("–")
        : PortDeviceLabel->fontMetrics().elidedText(device, Qt::ElideLeft, PortDeviceLabel->width()));
    PortDeviceLabel->setToolTip(device);
}

void TForm1::ComBtnClick()
{
    Panel5->show();
    showPortDevice();
}

void TForm1::ComOkBtnClick()
{
    const QString port = ComboBox2->currentText();
    settings().updateLine(SettingsLine::Port, port, true);
    deviceName_ = deviceNameFor(port);
    ComBtn->setText(deviceName_);
    services_.comm->SetDeviceName(deviceName_);
    Panel5->hide();
}

void TForm1::LetoltBtnClick()
{
    if (portBusy())
        return;
    if (!CheckDownloadData(document_.curve(), versionFlag())) {
        services_.prompts->message(slots_.MsgTableError);
        return;
    }
    // Timer1 ends the BREAK after 500 ms.
    inLanguage(language_, [this] { beginDownload(*services_.comm); });
    Timer1->start();
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
    // The table stays editable during the BREAK: send only what still
    // passes the check. The frame is ready before the BREAK ends, so its
    // first byte follows at once.
    const Curve &curve = document_.curve();
    const bool valid = CheckDownloadData(curve, versionFlag());
    const QByteArray frame = valid ? BuildDownloadFrame(curve, versionFlag()) : QByteArray();
    qint32 sent = 0;
    {
        const WaitCursor wait;
        sent = finishDownload(*services_.comm, frame);
    }
    if (!valid)
        services_.prompts->message(slots_.MsgTableError);
    else if (sent == frame.size())
        services_.prompts->message(slots_.MsgDownloadDone);
    else
        services_.prompts->message(slots_.MsgDownloadError + QString::number(sent));
}

void TForm1::BitBtn1Click()
{
    if (portBusy())
        return;
    inLanguage(language_, [this] { beginWakePulse(*services_.comm); });
    Timer2->start();
}

void TForm1::Timer2Timer()
{
    endWakePulse(*services_.comm);
    Timer2->stop();
}
