// The main window's language: the first-run prompt, the language button and
// the routine that puts one language's texts in place; and the help button.
#include "ui/main_window.h"

#include "core/app_settings.h"
#include "ui/curve_chart.h"
#include "ui/help_form.h"
#include "ui/string_grid.h"
#include "ui/user_prompts.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

THelpForm *TForm1::helpForm()
{
    if (!helpForm_) {
        helpForm_ = std::make_unique<THelpForm>([this] { return HelpFileName; });
        helpForm_->EndhelpBtn->setText(windowTexts_->EndhelpBtn);
    }
    return helpForm_.get();
}

// Rewrites every caption, list, title and message that depends on the
// language: English for 1, the Hungarian set for any other index. The table's
// data, the parameters and the curves stay as they are.
void TForm1::ApplyLanguage(int language)
{
    const LanguageTexts &texts = appliedTexts(language);
    const WindowTexts &w = texts.window;
    // Each list keeps its order in both languages, so an index names the
    // same edge before and after.
    const int inputEdge = ComboBox3->currentIndex();
    const int outputEdge = ComboBox4->currentIndex();

    const std::pair<QLabel *, QString> captions[] = {
        {Label1, w.Label1}, {Label2, w.Label2}, {Label3, w.Label3}, {Label4, w.Label4}, {Label5, w.Label5},
        {Label7, w.Label7}, {Label8, w.Label8}, {Label9, w.Label9}, {Label10, w.Label10}};
    for (const auto &[label, text] : captions) {
        label->setText(text);
        label->adjustSize();
    }
    {
        // Refilling a list is no change of the curve; its words follow below.
        const QSignalBlocker quietInput(ComboBox3);
        const QSignalBlocker quietOutput(ComboBox4);
        ComboBox3->clear();
        ComboBox3->addItems(w.ComboBox3Items);
        ComboBox4->clear();
        ComboBox4->addItems(w.ComboBox4Items);
    }
    KilepBtn->setText(w.KilepBtn);
    LetoltBtn->setText(w.LetoltBtn);
    Chart1->setTitles(w.ChartTitle, w.Series1Title, w.Series2Title);
    for (const auto &[item, text] : chartMenuItems_)
        item->setText(w.*text);

    windowTexts_ = &w;
    showComparisonTitle();
    slots_ = texts.slotTexts;
    writeHeaders();
    HelpFileName = w.HelpFileName;
    if (helpForm_)
        helpForm_->EndhelpBtn->setText(w.EndhelpBtn);

    const QSignalBlocker quietInput(ComboBox3);
    const QSignalBlocker quietOutput(ComboBox4);
    ComboBox3->setCurrentIndex(inputEdge);
    ComboBox4->setCurrentIndex(outputEdge);
    document_.translatePolarityWords(language == 1 ? 1 : 0);
}

// The first showing: without a stored language the user picks one. The
// choice is not written to the settings file here; the next save (or a
// later switch) stores it. Hungarian keeps the texts the window was built
// with.
void TForm1::FormShow()
{
    if (language_ < 0)
        language_ = services_.prompts->chooseLanguage();
    if (language_ > 0)
        ApplyLanguage(language_);
}

void TForm1::BtnNyelvClick()
{
    // Any index but English counts as Hungarian, so the button always
    // switches what the user sees.
    const int language = language_ == 1 ? 0 : 1;
    // The settings file is looked for in the current directory of this moment.
    startDir_ = QDir::currentPath() + QLatin1Char('/');
    // Stored only in a file that already holds a language line. A failed
    // write raises here and leaves the language as it was.
    settings().updateLine(SettingsLine::Language, QString::number(language), false);
    language_ = language;
    ApplyLanguage(language_);
}

// Shows the manual beside the main window; when it is open already it only
// comes to the front, without reloading.
void TForm1::HelpBtnClick()
{
    THelpForm *viewer = helpForm();
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}
