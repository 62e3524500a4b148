// Times the program's start-up and the curve file commands, offscreen.
//   build/bench/bench_shell
// Prints one table: median, min and max of each measurement.
#include "bench_table.h"
#include "core/curve_file.h"
#include "core/text_file.h"
#include "serial/serial_comm.h"
#include "ui/main_window.h"
#include "ui/user_prompts.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Says nothing and chooses nothing: the benchmark never waits for a user.
class SilentPrompts : public UserPrompts {
public:
    void message(const QString &) override {}
    bool confirm(const QString &) override { return false; }
    void error(const QString &) override {}
    std::optional<QString> openFileName() override { return std::nullopt; }
    std::optional<QString> saveFileName(const QString &) override { return std::nullopt; }
    std::optional<QString> exportFileName(const QString &, const QStringList &) override { return std::nullopt; }
    QString correct(const QString &, const QString &) override { qFatal("the benchmark corrects no cell"); }
    int chooseLanguage() override { return 0; }
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    SilentPrompts prompts;
    TComm comm; // never opened here

    CurveTexts curve;
    curve.cylinders = "4";
    curve.inputPolarity = QStringLiteral("Lefutó");
    for (int r = 1; r <= kCurveRows; ++r)
        curve.rows[r - 1] = {defaultRpmText(r), QString::number(r % 40) + ",5", "10100000"};
    const QString path = dir.filePath("bench.igc");
    writeTextFile(path, writeCurveFile(curve));
    writeTextFile(dir.filePath("Edit.txt"), (path + "\r\n1\r\n0\r\n8,3\r\n").toLocal8Bit());

    header();
    row("start-up to window shown", measure(10, [&] {
            TForm1 form({&prompts, [](int) {}, &comm});
            form.show();
            if (!QTest::qWaitForWindowExposed(&form))
                std::fprintf(stderr, "window not exposed\n");
        }), "< 300");

    TForm1 form({&prompts, [](int) {}, &comm});
    row("load curve file (whole loader)", measure(200, [&] { form.LoadCurveFile(path); }), "< 1");
    row("read + parse curve file", measure(200, [&] { readCurveFile(readTextFile(path)); }), "< 1");
    const QString out = dir.filePath("out.igc");
    row("save curve file (atomic write)", measure(200, [&] { writeTextFile(out, writeCurveFile(form.curveTexts())); }), "< 1");
    return 0;
}
