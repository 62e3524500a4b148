// The main window's side of the serial line: choosing the port, downloading
// the curve to the module and the wake pulse. The download session does the
// line's work; these handlers drive it.
#include "ui/main_window.h"

#include "core/app_settings.h"
#include "core/download_check.h"
#include "core/download_failure.h"
#include "core/download_frame.h"
#include "serial/device_name.h"
#include "serial/download_session.h"
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

// A port that cannot be opened is reported in the window's language.
template <typename Step>
auto inLanguage(int language, Step step)
{
    try {
        return step();
    } catch (const PortOpenError &e) {
        throw PlatformError(portDiagnosisText(e.diagnosis(), appliedTexts(language).port));
    }
}

} // namespace

// The port is held from the start of a download until its last byte is on
// the line, and for the whole of a wake pulse.
bool TForm1::portBusy() const
{
    return session_->holdsPort();
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
    // The session ends the BREAK after 500 ms; Timer1 hands it the frame
    // before then.
    if (!inLanguage(language_, [this] { return session_->beginDownload(); })) {
        reportLineFailure(0);
        return;
    }
    Timer1->start();
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
    // The table stays editable during the BREAK: send only what still
    // passes the check. An empty frame only ends the BREAK.
    const Curve &curve = document_.curve();
    const bool valid = CheckDownloadData(curve, versionFlag());
    setWaitCursor(true);
    session_->send(valid ? BuildDownloadFrame(curve, versionFlag()) : QByteArray());
}

void TForm1::downloadFinished(const DownloadOutcome &outcome)
{
    setWaitCursor(false);
    if (leaving_)
        return;
    if (outcome.values == 0)
        services_.prompts->message(slots_.MsgTableError);
    else if (outcome.done)
        services_.prompts->message(slots_.MsgDownloadDone);
    else
        reportLineFailure(outcome.valuesSent);
}

// The values counted are those known to be on the line.
void TForm1::reportLineFailure(qint32 valuesSent)
{
    services_.prompts->message(slots_.MsgDownloadError + QString::number(valuesSent));
    services_.prompts->message(incompleteCurveText(language_));
}

void TForm1::setWaitCursor(bool on)
{
    if (on == waitCursor_)
        return;
    waitCursor_ = on;
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void TForm1::BitBtn1Click()
{
    if (portBusy())
        return;
    // A line that refuses the BREAK has released the port again.
    if (inLanguage(language_, [this] { return session_->beginWakePulse(); }))
        Timer2->start();
}

void TForm1::Timer2Timer()
{
    session_->endWakePulse();
    Timer2->stop();
}

// A download or wake pulse under way ends as it would (the timers still
// run), but within kReleaseMs; then the BREAK is ended and the port let go.
void TForm1::releasePort()
{
    leaving_ = true;
    session_->releaseWithin(kReleaseMs);
    Timer1->stop();
    Timer2->stop();
    setWaitCursor(false);
    leaving_ = false;
}
