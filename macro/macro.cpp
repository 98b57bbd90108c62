#include "macro.h"
#include "ui_macro.h"

#include "config_store.h"
#include "post_msg.h"

Macro::Macro(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::Macro)
{
    ui->setupUi(this);
    const QString color = ConfigStore::Instance()->ColorText(QStringLiteral("LabelColor"));
    ui->TitleLabel->setStyleSheet(QStringLiteral("QLabel{color: rgb(%1);}").arg(color));
    ui->CaptionLabel->setStyleSheet(QStringLiteral("QLabel{color: rgba(%1, 150);}").arg(color));

    connect(PostMsg::GetInstance(), SIGNAL(SigSetMacroPage()), this, SLOT(SlotSetMacroPage()));
}

Macro::~Macro() = default;

void Macro::SlotSetMacroPage()
{
}
