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
    form_ = std::make_unique<TForm1>(Form1Services{&prompts, [this](int status) { exits << status; }, serialLine});
    return *form_;
}

TForm1 &FormFixture::startWithLanguageWindows()
{
    TForm1 &form = start();
    helpForm = std::make_unique<THelpForm>([&form] { return form.helpFileName(); });
    nyelvForm = std::make_unique<TNyelvForm>();
    form.attachLanguageWindows(helpForm.get(), nyelvForm.get());
    return form;
}

CurveTexts sampleCurve(const QString &advance)
{
    CurveTexts t;
    t.cylinders = "4";
    t.shiftRpm = "6500";
    t.opening = "1";
    t.dwell = "3";
    t.inputPolarity = QStringLiteral("Felfutó");
    t.outputPolarity = QStringLiteral("Lefutó");
    t.version = "8,3";
    t.dwellCorrection = "2";
    t.transparent = "3";
    for (int r = 1; r <= kCurveRows; ++r)
        t.rows[r - 1] = {QString::number(600 + 100 * r), advance.isNull() ? QString::number(r) + ",5" : advance,
                         r % 2 ? "00000000" : "10100000"};
    return t;
}
