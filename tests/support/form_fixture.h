#pragma once

#include "app/main_window.h"
#include "lang/help_form.h"
#include "lang/nyelv_form.h"
#include "recording_serial_line.h"
#include "scripted_prompts.h"
#include "table/curve_texts.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

// A main window started in a fresh folder of its own, with scripted prompts
// and the immediate exit recorded instead of taken.
class FormFixture {
public:
    FormFixture();
    ~FormFixture();

    QString path(const QString &name) const { return dir_.filePath(name); }
    // "<missing>" stands for no file, both ways, so a test table can say
    // what a file is before and after in one column type.
    void writeFile(const QString &name, const QByteArray &bytes) const; // "<missing>": none written
    QByteArray readFile(const QString &name) const;                    // "<missing>" when absent
    void writeSettings(const QByteArray &bytes) const { writeFile("Edit.txt", bytes); }

    // Builds the window (the program's start-up) in the fixture's folder.
    TForm1 &start();
    TForm1 &form() { return *form_; }
    // The same, with the help viewer and the language dialog attached as the
    // program attaches them.
    TForm1 &startWithLanguageWindows();

    ScriptedPrompts prompts;
    QList<int> exits;
    RecordingSerialLine comm;
    SerialLine *serialLine = &comm; // what the window gets; a test may put a real line here
    std::unique_ptr<THelpForm> helpForm;
    std::unique_ptr<TNyelvForm> nyelvForm;

private:
    QTemporaryDir dir_;
    QString previousDir_;
    std::unique_ptr<TForm1> form_;
};

// A complete curve as the program writes it, with row r's advance r,5 (or
// the given advance text in every row).
CurveTexts sampleCurve(const QString &advance = QString());
