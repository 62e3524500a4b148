#include "ui/user_prompts.h"

#include "ui/edit_form.h"
#include "ui/nyelv_form.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

QString title()
{
    return QApplication::applicationDisplayName();
}

// A message box lays out the whole of its text before it opens: a path of a
// megabyte kept it busy for many seconds. Longer lines keep their start and
// their end, with the middle elided.
constexpr qsizetype kMaxLineLength = 240;

QString shortened(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.size() > kMaxLineLength)
            line = line.left(kMaxLineLength / 2) + QChar(0x2026) + line.right(kMaxLineLength / 2);
    }
    return lines.join(QLatin1Char('\n'));
}

// The texts are plain: a file name that looks like markup is shown as it is.
// The first button is the default, as in QMessageBox's own static boxes.
QMessageBox::StandardButton showBox(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                    QMessageBox::StandardButton first,
                                    QMessageBox::StandardButton second = QMessageBox::NoButton)
{
    QMessageBox box(icon, title(), shortened(text), first | second, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(first);
    box.exec();
    return box.standardButton(box.clickedButton());
}

std::optional<QString> run(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QtUserPrompts::QtUserPrompts() : startDir_(QDir::currentPath())
{
}

// The dialogs without a parent window are ours to delete.
QtUserPrompts::~QtUserPrompts()
{
    for (QWidget *dialog : std::initializer_list<QWidget *>{openDialog_, saveDialog_, editForm_, nyelvForm_}) {
        if (dialog && !dialog->parent())
            delete dialog;
    }
}

void QtUserPrompts::message(const QString &text)
{
    showBox(parent_, QMessageBox::Information, text, QMessageBox::Ok);
}

bool QtUserPrompts::confirm(const QString &text)
{
    return showBox(parent_, QMessageBox::Warning, text, QMessageBox::Yes, QMessageBox::No) == QMessageBox::Yes;
}

void QtUserPrompts::error(const QString &text)
{
    showBox(parent_, QMessageBox::Critical, text, QMessageBox::Ok);
}

QFileDialog &QtUserPrompts::fileDialog(QPointer<QFileDialog> &dialog, const char *name, bool save)
{
    if (!dialog) {
        dialog = new QFileDialog(parent_);
        dialog->setObjectName(QLatin1String(name));
        dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The save command asks about an existing file itself, once.
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        dialog->setNameFilter(QStringLiteral("Előgyujtás tábla (*.igc)"));
        dialog->setDefaultSuffix(QStringLiteral("igc"));
        dialog->setDirectory(startDir_);
    }
    return *dialog;
}

std::optional<QString> QtUserPrompts::openFileName()
{
    return run(fileDialog(openDialog_, "OpenDialog1", false));
}

std::optional<QString> QtUserPrompts::saveFileName(const QString &proposed)
{
    QFileDialog &dialog = fileDialog(saveDialog_, "SaveDialog1", true);
    dialog.selectFile(proposed);
    return run(dialog);
}

std::optional<QString> QtUserPrompts::exportFileName(const QString &proposed, const QStringList &filters)
{
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The window asks about an existing file itself, in its own language.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    // A name typed without an extension takes the chosen kind's.
    const auto suffixOf = [](const QString &filter) {
        static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
        return pattern.match(filter).captured(1);
    };
    dialog.setDefaultSuffix(suffixOf(filters.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&](const QString &filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    dialog.selectFile(proposed);
    return run(dialog);
}

QString QtUserPrompts::correct(const QString &message, const QString &rejected)
{
    if (!editForm_)
        editForm_ = new TEditForm(parent_);
    editForm_->StaticText1->setText(message);
    editForm_->Edit1->setText(rejected);
    // The dialog has no cancel: it closes only through OK.
    editForm_->exec();
    return editForm_->Edit1->text();
}

int QtUserPrompts::chooseLanguage()
{
    if (!nyelvForm_)
        nyelvForm_ = new TNyelvForm;
    // However it is closed, the item shown at that moment is the choice.
    nyelvForm_->exec();
    return nyelvForm_->CBNyelv->currentIndex();
}
