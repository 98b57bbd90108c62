// The settings page's texts: its section of the language file, the
// per-language places of the version values and the update button, and the
// footer from Net.xml.
#include "form_setting.h"
#include "ui_form_setting.h"

#include "app_state.h"
#include "label_file.h"
#include "net_profile.h"
#include "stop_close_time.h"
#include "user_setting_store.h"

#include <QFile>

namespace {

struct Placement {
    int valueX;        // label_5 and label_7
    QPoint update;     // Receive_2; null: not moved
    int updatePoints;  // Receive_2's font size
};

Placement PlacementFor(int language)
{
    switch (language) {
    case 0:
        return {200, QPoint(280, 170), 10};
    case 1:
        return {280, QPoint(330, 170), 10};
    case 2:
        return {150, QPoint(330, 170), 10};
    case 3:
        return {170, QPoint(280, 170), 10};
    case 5:
        return {280, QPoint(), 7};
    default:
        return {235, QPoint(285, 155), 10};
    }
}

} // namespace

void FormSetting::PlaceForLanguage(int index)
{
    const Placement placement = PlacementFor(index);
    QFont font(QStringLiteral("微软雅黑"), placement.updatePoints);
    ui->Receive_2->setFont(font);
    ui->label_5->move(placement.valueX, 155);
    if (!placement.update.isNull())
        ui->Receive_2->move(placement.update);
    ui->toolButton_2->move(460, 160);
    ui->label_7->move(placement.valueX, 185);
    ui->toolButton_3->move(460, 190);
}

void FormSetting::SlotChangeLanguage(int index)
{
    PlaceForLanguage(index);

    auto toLabel = [](QLabel* label) { return [label](const QString& text) { label->setText(text); }; };
    auto toEdit = [](QTextEdit* edit) { return [edit](const QString& text) { edit->setText(text); }; };
    auto toString = [](QString* target) { return [target](const QString& text) { *target = text; }; };
    LabelFile::Keys keys = {
        {QStringLiteral("label"), toLabel(ui->label)},
        {QStringLiteral("label_2"), toLabel(ui->label_2)},
        {QStringLiteral("label_3"), toLabel(ui->label_3)},
        {QStringLiteral("label_4"), toLabel(ui->label_4)},
        {QStringLiteral("label_6"), toLabel(ui->label_6)},
        {QStringLiteral("label_8"), toLabel(ui->label_8)},
        {QStringLiteral("label_9"), toLabel(ui->label_9)},
        {QStringLiteral("label_10"), toLabel(ui->label_10)},
        {QStringLiteral("label_11"), toLabel(ui->label_11)},
        {QStringLiteral("label_12"), toLabel(ui->label_12)},
        {QStringLiteral("label_13"), toLabel(ui->label_13)},
        {QStringLiteral("label_14"), toLabel(ui->label_14)},
        {QStringLiteral("textEdit"), toEdit(ui->textEdit)},
        {QStringLiteral("textEdit_2"), toEdit(ui->textEdit_2)},
        {QStringLiteral("textEdit_3"), toEdit(ui->textEdit_3)},
        {QStringLiteral("textEdit_4"), toEdit(ui->textEdit_4)},
        {QStringLiteral("NewLabel"), toEdit(ui->NewLabel)},
        {QStringLiteral("pushButton_2"), [this](const QString& text) { ui->pushButton_2->setText(text); }},
        {QStringLiteral("pushButton"), [this](const QString& text) { ui->pushButton->setText(text); }},
        {QStringLiteral("Receive"),
         [this](const QString& text) {
             receiveText = text;
             ui->Receive_2->setText(text);
         }},
        {QStringLiteral("NoRecieve"), toString(&noRecieveText)},
        {QStringLiteral("NoUSB"), toString(&noUsbText)},
        {QStringLiteral("Error"), toString(&errorText)},
        {QStringLiteral("MultiMouse"), toString(&multiMouseText)},
        {QStringLiteral("MultiDongle"), toString(&multiDongleText)},
        {QStringLiteral("NoDevice"), toString(&noDeviceText)},
        {QStringLiteral("SameDevice"), toString(&sameDeviceText)},
        {QStringLiteral("VerNew"), toString(&verNewText)},
        {QStringLiteral("WiredMode"), toString(&g_wiredModeText)},
        {QStringLiteral("AutoStartFailed"), toString(&autoStartFailedText)},
        {QStringLiteral("NoMouseSettings"), toString(&noMouseSettingsText)},
    };
    for (int item = 0; item < StopCloseTime::kItemCount; ++item) {
        const QString key = item == 0 ? QStringLiteral("StopCloseTime") : QStringLiteral("StopCloseTime%1").arg(item);
        keys.insert(key, [this, item](const QString& text) { ui->frameClose->SetLevelText(item, text); });
    }
    if (!LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("FormSetting"), keys).opened)
        return;
    LoadNetProfile();
}

// The footer follows the stored language, which every caller has written
// before the texts change.
void FormSetting::LoadNetProfile()
{
    QFile file(NetProfile::Path());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const NetProfile::Texts texts = NetProfile::Read(&file, UserSettingStore::Instance()->LanguageIndex());
    if (texts.hasCompany)
        ui->pushButton_4->setText(texts.company);
    if (texts.hasLink)
        ui->pushButton_3->setText(texts.link);
}
