// The main window's side of the serial line: choosing the port, downloading
// the curve to the module and the wake pulse.
#include "ui/main_window.h"

#include "core/app_settings.h"
#include "core/download_check.h"
#include "core/download_frame.h"
#include "serial/device_name.h"
#include "serial/serial_line.h"
#include "ui/user_prompts.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {

// Only this many received bytes are taken at a time before a download.
constexpr qint64 kDiscardBuffer = 4096;

// Sending holds the event loop until the last byte is on the line.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Stale bytes from the module are thrown away, however many there are.
void discardInput(SerialLine &comm)
{
    char scratch[kDiscardBuffer];
    while (comm.InQueCount() > 0) {
        const qint64 waiting = comm.InQueCount();
        if (comm.Read(scratch, std::min(waiting, kDiscardBuffer)) <= 0)
            break;
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
    if (!CheckDownloadData(curveTexts(), versionFlag_)) {
        services_.prompts->message(slots_.MsgTableError);
        return;
    }
    SerialLine &comm = *services_.comm;
    comm.Open();
    discardInput(comm);
    // The module takes the BREAK as the start of a download; Timer1 ends it
    // after 500 ms.
    comm.SetBREAKState(true);
    Timer1->start();
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
    // The table stays editable during the BREAK: send only what still
    // passes the check. The frame is ready before the BREAK ends, so its
    // first byte follows at once.
    const CurveTexts texts = curveTexts();
    const bool valid = CheckDownloadData(texts, versionFlag_);
    const QByteArray frame = valid ? BuildDownloadFrame(texts, versionFlag_) : QByteArray();
    SerialLine &comm = *services_.comm;
    comm.SetBREAKState(false);
    if (!valid) {
        comm.Close();
        services_.prompts->message(slots_.MsgTableError);
        return;
    }
    // Only the groups the port took count, so a failed download says how
    // many went out.
    qint32 sent = 0;
    {
        const WaitCursor wait;
        for (const char value : frame) {
            if (comm.Write(valueGroup(value).constData(), kGroupBytes))
                ++sent;
        }
        comm.Close();
    }
    if (sent == frame.size())
        services_.prompts->message(slots_.MsgDownloadDone);
    else
        services_.prompts->message(slots_.MsgDownloadError + QString::number(sent));
}

void TForm1::BitBtn1Click()
{
    if (portBusy())
        return;
    SerialLine &comm = *services_.comm;
    comm.Open();
    comm.SetBREAKState(true);
    Timer2->start();
}

void TForm1::Timer2Timer()
{
    SerialLine &comm = *services_.comm;
    comm.SetBREAKState(false);
    comm.Close();
    Timer2->stop();
}
