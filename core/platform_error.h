#pragma once

#include <QString>
#include <stdexcept>

// An error raised by the platform: a number that cannot be converted, a file
// that cannot be read or written. The main window catches it at one place,
// shows it in the error box and skips the rest of the handler.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};
