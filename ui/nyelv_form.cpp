#include "ui/nyelv_form.h"

#include "ui/window_font.h"

#include <QComboBox>
#include <QPushButton>
#include <QStyle>

TNyelvForm::TNyelvForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NyelvForm"));
    setWindowTitle(QStringLiteral("NyelvForm"));
    setFont(windowFont(11));
    setFixedSize(kClientWidth, kClientHeight);
    // It opens where it was laid out, not centred.
    move(631, 296);

    CBNyelv = new QComboBox(this);
    CBNyelv->setObjectName(QStringLiteral("CBNyelv"));
    CBNyelv->setGeometry(24, 16, 145, 21);
    CBNyelv->addItems({QStringLiteral("Magyar"), QStringLiteral("English")});
    CBNyelv->setCurrentIndex(0);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(64, 56, 75, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
