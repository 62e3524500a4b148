#include "form_fixture.h"

#include <QFile>

FormFixture::FormFixture() : previousDir_(QDir::currentPath())
{
    QDir::setCurrent(dir_.path());
}

FormFixture::~FormFixture()
{
    form_.reset();
    QDir::setCurrent(previousDir_);
}

void FormFixture::writeFile(const QString &name, const QByteArray &bytes) const
{
    if (bytes == "<missing>")
        return;
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray FormFixture::readFile(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TForm1 &FormFixture::start()
{
    form_ = std::make_unique<TForm1>(Form1Services{&prompts, [this](int status) {
        exits << status;
        lineAtExit = comm.names();
    }, serialLine});
    return *form_;
}
