#include "ui/edit_form.h"

#include "ui/button_icons.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEditForm::TEditForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("EditForm"));
    setWindowTitle(QStringLiteral("EditForm"));
    // The main window's font: 10 pixels high, the message and the entry 15.
    QFont font = parent ? parent->font() : this->font();
    font.setPixelSize(10);
    setFont(font);
    font.setPixelSize(15);
    setFixedSize(308, 148);

    StaticText1 = new QLabel(this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setGeometry(13, 13, 280, 40);
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StaticText1->setWordWrap(true);
    StaticText1->setFont(font);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(98, 72, 98, 24);
    Edit1->setFont(font);

    BitBtn1 = new QPushButton(buttonIcon(ButtonPicture::GreenTick), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(117, 111, 61, 26);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

// Escape and the close request both end here; the value must be corrected.
void TEditForm::reject()
{
}
