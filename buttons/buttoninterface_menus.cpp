// The function menus of the button page and their items.
#include "buttoninterface.h"
#include "ui_buttoninterface.h"

#include "app_state.h"
#include "button_dialog_shift.h"
#include "device_image_setters.h"
#include "devicelib.h"
#include "fire_key.h"
#include "group_key.h"
#include "key_notices.h"
#include "modal_run.h"
#include "notice_style.h"
#include "setting_ranges.h"

#include <QButtonGroup>
#include <QScrollBar>

#include <array>
#include <iterator>

namespace {

using FormItem = QToolButton* Ui::Buttoninterface::*;

// The parameters the function items write.
using SettingRanges::kDpiLockValues;
using SettingRanges::kDpiSwitchCodes;
using SettingRanges::kLightsCodes;
using SettingRanges::kMouseButtonCodes;
using SettingRanges::kTiltCodes;
using SettingRanges::kWheelCodes;

// The multimedia list's items, in the list order of their usages.
const FormItem kMediaItems[] = {
    &Ui::Buttoninterface::Player,        &Ui::Buttoninterface::StartPause_2,  &Ui::Buttoninterface::BackMusic_2,
    &Ui::Buttoninterface::TopMusic_2,    &Ui::Buttoninterface::Mute,          &Ui::Buttoninterface::VolumeUp,
    &Ui::Buttoninterface::VolumeDown,    &Ui::Buttoninterface::VolumeDown_4,  &Ui::Buttoninterface::VolumeDown_5,
    &Ui::Buttoninterface::VolumeDown_6,  &Ui::Buttoninterface::VolumeDown_3,  &Ui::Buttoninterface::VolumeDown_8,
    &Ui::Buttoninterface::VolumeDown_9,  &Ui::Buttoninterface::VolumeDown_7,  &Ui::Buttoninterface::VolumeDown_10,
    &Ui::Buttoninterface::VolumeDown_12, &Ui::Buttoninterface::VolumeDown_13, &Ui::Buttoninterface::VolumeDown_11,
};
static_assert(std::size(kMediaItems) == std::size(SettingRanges::kMediaUsages), "one item per multimedia usage");

// The DPI-lock list's items, in the list order of their DPI values.
const FormItem kLockItems[] = {
    &Ui::Buttoninterface::VolumeUp_11, &Ui::Buttoninterface::VolumeUp_12, &Ui::Buttoninterface::VolumeUp_13,
    &Ui::Buttoninterface::VolumeUp_16, &Ui::Buttoninterface::VolumeUp_15, &Ui::Buttoninterface::VolumeUp_19,
    &Ui::Buttoninterface::VolumeUp_20, &Ui::Buttoninterface::VolumeUp_22, &Ui::Buttoninterface::VolumeUp_18,
    &Ui::Buttoninterface::VolumeUp_24, &Ui::Buttoninterface::VolumeUp_23, &Ui::Buttoninterface::VolumeUp_21,
};
static_assert(std::size(kLockItems) == std::size(kDpiLockValues), "one item per DPI-lock value");

constexpr int kRowPixels = 15;
const QString kKeyAreaShown = QStringLiteral("QScrollBar {width:10px;}");
const QString kKeyAreaHidden = QStringLiteral("QScrollBar {width:0px;}");

const uint8_t kKeyRecordFunction[3] = {5, 0, 0};

} // namespace

void Buttoninterface::RunOnPage(QDialog& dialog)
{
    dialog.move(NoticeStyle::CentredOn(this, &dialog, ButtonPageDialogShift));
    ModalRun::Exec(&dialog);
}

QToolButton* Buttoninterface::MediaItem(int lowByte) const
{
    const int row = SettingRanges::MediaRowOfLowByte(lowByte);
    return row < 0 ? nullptr : ui->*kMediaItems[row];
}

QAbstractButton* Buttoninterface::ParamItem(int type, int p1) const
{
    using SettingRanges::EntryFor;
    using Two = std::array<QAbstractButton*, 2>;
    using Three = std::array<QAbstractButton*, 3>;
    using Four = std::array<QAbstractButton*, 4>;
    using Five = std::array<QAbstractButton*, 5>;
    switch (KeyFunctionType(type)) {
    case KeyFunctionType::MouseButton:
        return EntryFor(kMouseButtonCodes, p1,
                        Five{ui->LeftKey_3, ui->RightKey_3, ui->MidKey, ui->BackKey_2, ui->ForWardKey});
    case KeyFunctionType::DpiSwitch:
        return EntryFor(kDpiSwitchCodes, p1, Three{ui->VolumeUp_8, ui->VolumeUp_9, ui->VolumeUp_10});
    case KeyFunctionType::TiltWheel:
        return EntryFor(kTiltCodes, p1, Two{ui->VolumeUp_2, ui->VolumeDown_2});
    case KeyFunctionType::Lights:
        return EntryFor(kLightsCodes, p1, Four{ui->VolumeUp_4, ui->VolumeUp_5, ui->VolumeUp_6, ui->VolumeUp_7});
    case KeyFunctionType::Wheel:
        return EntryFor(kWheelCodes, p1, Two{ui->VolumeUp_14, ui->VolumeDown_14});
    default:
        return nullptr;
    }
}

// --- opening a key's menu ------------------------------------------------------------

void Buttoninterface::OpenKeyMenu(int key, const QString& keyAreaStyle)
{
    // The last key that left-clicks keeps its function.
    const QString leftClick = ui->LeftKey_3->text();
    int leftClickKeys = 0;
    for (int k = 0; k < kKeyCount; ++k)
        leftClickKeys += KeyButton(k)->text() == leftClick ? 1 : 0;
    if (KeyButton(key)->text() == leftClick && leftClickKeys == 1) {
        ui->stackedWidget->setCurrentWidget(ui->page);
        ui->stackedWidget_2->setCurrentWidget(ui->page_9);
        KeyButtonGroup->setExclusive(false);
        for (int k : kKeyVisitOrder)
            KeyButton(k)->setChecked(false);
        KeyButtonGroup->setExclusive(true);
        LeftButtonOnly notice;
        RunOnPage(notice);
        return;
    }

    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(keyAreaStyle);

    const int type = keyStore.Type(key);
    const int p1 = keyStore.Param1(key);
    // What to show: the sub-menu page, the checked items, the top row.
    QWidget* subPage = ui->page_9;
    QList<QAbstractButton*> checked;
    int topRow = 0;
    int lockRow = 0;
    int mediaRow = -1;
    switch (type) {
    case int(KeyFunctionType::Disabled):
        checked << ui->DPI_5;
        topRow = 9;
        break;
    case int(KeyFunctionType::MouseButton):
        if (QAbstractButton* item = ParamItem(type, p1)) {
            checked << item;
            topRow = SettingRanges::IndexIn(kMouseButtonCodes, p1);
        }
        break;
    case int(KeyFunctionType::DpiSwitch):
        subPage = ui->page_7;
        checked << ui->DPI_7 << ParamItem(type, p1);
        topRow = 13;
        break;
    case int(KeyFunctionType::TiltWheel):
        subPage = ui->page_4;
        checked << ui->DPI_11 << ParamItem(type, p1);
        topRow = 10;
        break;
    case int(KeyFunctionType::FireKey):
        checked << ui->DPI_6;
        topRow = 7;
        break;
    case int(KeyFunctionType::KeyRecord): {
        // Only a consumer key is a multimedia item; a combination whose
        // first usage shares a low byte with one is not.
        const FlashDataMap image = DeviceImageCopy();
        KeyEventRecord record;
        std::copy(image.keyEvents[key], image.keyEvents[key] + KeyEventRecord::Size, record.bytes);
        const KeyEvent first = record.Event(0);
        mediaRow = first.kind == KindConsumer ? SettingRanges::MediaRowOfLowByte(first.code & 0xFF) : -1;
        if (mediaRow >= 0) {
            subPage = ui->page_3;
            checked << ui->DPI_12 << ui->*kMediaItems[mediaRow];
            topRow = 16;
        } else {
            checked << ui->DPI_8;
            topRow = 8;
        }
        break;
    }
    case int(KeyFunctionType::Macro): {
        subPage = ui->page_5;
        checked << ui->DPI_10;
        topRow = 15;
        const QString keyText = KeyButton(key)->text().remove(QChar(0));
        for (int i = 0; i < MacroButtons.size(); ++i) {
            if (MacroPrefix + MacroButtons[i]->text() == keyText) {
                checked << MacroButtons[i];
                ui->scrollArea_7->verticalScrollBar()->setValue(kRowPixels * (i + 1));
            }
        }
        break;
    }
    case int(KeyFunctionType::ReportRateSwitch):
        checked << ui->DPI_2;
        topRow = 5;
        break;
    case int(KeyFunctionType::Lights):
        subPage = ui->page_6;
        checked << ui->DPI_9 << ParamItem(type, p1);
        topRow = 12;
        break;
    case int(KeyFunctionType::ProfileSwitch):
        checked << ui->DPI_3;
        topRow = 6;
        break;
    case int(KeyFunctionType::DpiLock): {
        subPage = ui->page_8;
        checked << ui->DPI_4;
        topRow = 15;
        const int dpi = SensorCodeToDpi(p1);
        for (int row = 0; row < int(std::size(kLockItems)); ++row) {
            if (kDpiLockValues[row] == dpi) {
                checked << ui->*kLockItems[row];
                lockRow = row;
            }
        }
        break;
    }
    case int(KeyFunctionType::Wheel):
        subPage = ui->page_10;
        checked << ui->DPI_13 << ParamItem(type, p1);
        topRow = 10;
        break;
    default:
        subPage = nullptr; // an unlisted function opens nothing
        break;
    }

    if (subPage) {
        ui->stackedWidget->setCurrentWidget(ui->page_2);
        ui->stackedWidget_2->setCurrentWidget(subPage);
    }
    for (QAbstractButton* item : checked) {
        if (item)
            item->setChecked(true);
    }
    if (type == int(KeyFunctionType::KeyRecord))
        ui->scrollArea_3->verticalScrollBar()->setValue(kRowPixels * std::max(0, mediaRow));
    else
        ui->scrollArea_10->verticalScrollBar()->setValue(kRowPixels * lockRow);
    ui->scrollArea_4->verticalScrollBar()->setValue(kRowPixels * topRow);
}

void Buttoninterface::on_FireKey_clicked() { OpenKeyMenu(0, kKeyAreaShown); }
void Buttoninterface::on_RightKey_clicked() { OpenKeyMenu(1, kKeyAreaHidden); }
void Buttoninterface::on_BackKey_clicked() { OpenKeyMenu(2, kKeyAreaHidden); }
void Buttoninterface::on_TopMusic_clicked() { OpenKeyMenu(3, kKeyAreaHidden); }
void Buttoninterface::on_StartPause_clicked() { OpenKeyMenu(4, kKeyAreaHidden); }
void Buttoninterface::on_BackMusic_clicked() { OpenKeyMenu(5, kKeyAreaHidden); }

// A marker selects its row's key without opening a menu.
void Buttoninterface::on_Number1_clicked() { CheckDeviceOnline(); ui->FireKey->setChecked(true); }
void Buttoninterface::on_Number2_clicked() { CheckDeviceOnline(); ui->RightKey->setChecked(true); }
void Buttoninterface::on_Number3_clicked() { CheckDeviceOnline(); ui->BackKey->setChecked(true); }
void Buttoninterface::on_Number4_clicked() { CheckDeviceOnline(); ui->StartPause->setChecked(true); }
void Buttoninterface::on_Number5_clicked() { CheckDeviceOnline(); ui->TopMusic->setChecked(true); }
void Buttoninterface::on_Number6_clicked() { CheckDeviceOnline(); ui->BackMusic->setChecked(true); }

// --- sub-menu openers ------------------------------------------------------------------

void Buttoninterface::on_DPI_13_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_10); }
void Buttoninterface::on_DPI_11_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_4); }
void Buttoninterface::on_DPI_4_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_8); }
void Buttoninterface::on_DPI_4_clicked(bool) {}
void Buttoninterface::on_DPI_9_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_6); }
void Buttoninterface::on_DPI_7_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_7); }
void Buttoninterface::on_DPI_12_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_3); }

void Buttoninterface::on_DPI_10_clicked()
{
    if (MacroButtons.isEmpty()) {
        ui->stackedWidget_2->setCurrentWidget(ui->page_9);
        MakeMacro notice;
        RunOnPage(notice);
        return;
    }
    ui->stackedWidget_2->setCurrentWidget(ui->page_5);
}

// --- plain function items ------------------------------------------------------------

void Buttoninterface::AssignKeyFunction(QAbstractButton* item, bool checked, int type, int param1)
{
    if (item == ui->LeftKey_3)
        ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    if (!checked)
        return;
    const bool dpiLock = type == int(KeyFunctionType::DpiLock);
    // A DPI-lock item carries its DPI; the mouse takes the sensor's code.
    const int p1 = dpiLock ? DpiToSensorCode(param1) : param1;
    if (TopItemGroup->buttons().contains(item))
        ClearMenuChecks();
    const int key = SelectedKey();
    if (key >= 0 && SetButtonFunction(key, type, p1, 0)) {
        KeyButton(key)->setText(dpiLock ? ui->DPI_4->text() + QLatin1Char('-') + item->text() : item->text());
        StoreKeyFunction(key, type, p1, 0);
    }
    CloseMenus();
}

void Buttoninterface::on_LeftKey_3_clicked(bool checked) { AssignKeyFunction(ui->LeftKey_3, checked, 1, kMouseButtonCodes[0]); }
void Buttoninterface::on_RightKey_3_clicked(bool checked) { AssignKeyFunction(ui->RightKey_3, checked, 1, kMouseButtonCodes[1]); }
void Buttoninterface::on_MidKey_clicked(bool checked) { AssignKeyFunction(ui->MidKey, checked, 1, kMouseButtonCodes[2]); }
void Buttoninterface::on_BackKey_2_clicked(bool checked) { AssignKeyFunction(ui->BackKey_2, checked, 1, kMouseButtonCodes[3]); }
void Buttoninterface::on_ForWardKey_clicked(bool checked) { AssignKeyFunction(ui->ForWardKey, checked, 1, kMouseButtonCodes[4]); }
void Buttoninterface::on_DPI_2_clicked(bool checked) { AssignKeyFunction(ui->DPI_2, checked, 7, 0); }
void Buttoninterface::on_DPI_3_clicked(bool checked) { AssignKeyFunction(ui->DPI_3, checked, 9, 0); }
void Buttoninterface::on_DPI_5_clicked(bool checked) { AssignKeyFunction(ui->DPI_5, checked, 0, 0); }

void Buttoninterface::on_VolumeUp_8_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_8, checked, 2, kDpiSwitchCodes[0]); }
void Buttoninterface::on_VolumeUp_9_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_9, checked, 2, kDpiSwitchCodes[1]); }
void Buttoninterface::on_VolumeUp_10_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_10, checked, 2, kDpiSwitchCodes[2]); }
void Buttoninterface::on_VolumeUp_2_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_2, checked, 3, kTiltCodes[0]); }
void Buttoninterface::on_VolumeDown_2_clicked(bool checked) { AssignKeyFunction(ui->VolumeDown_2, checked, 3, kTiltCodes[1]); }
void Buttoninterface::on_VolumeUp_14_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_14, checked, 11, kWheelCodes[0]); }
void Buttoninterface::on_VolumeDown_14_clicked(bool checked) { AssignKeyFunction(ui->VolumeDown_14, checked, 11, kWheelCodes[1]); }
void Buttoninterface::on_VolumeUp_4_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_4, checked, 8, kLightsCodes[0]); }
void Buttoninterface::on_VolumeUp_5_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_5, checked, 8, kLightsCodes[1]); }
void Buttoninterface::on_VolumeUp_6_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_6, checked, 8, kLightsCodes[2]); }
void Buttoninterface::on_VolumeUp_7_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_7, checked, 8, kLightsCodes[3]); }

void Buttoninterface::on_VolumeUp_11_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_11, checked, 10, kDpiLockValues[0]); }
void Buttoninterface::on_VolumeUp_12_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_12, checked, 10, kDpiLockValues[1]); }
void Buttoninterface::on_VolumeUp_13_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_13, checked, 10, kDpiLockValues[2]); }
void Buttoninterface::on_VolumeUp_16_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_16, checked, 10, kDpiLockValues[3]); }
void Buttoninterface::on_VolumeUp_15_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_15, checked, 10, kDpiLockValues[4]); }
void Buttoninterface::on_VolumeUp_19_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_19, checked, 10, kDpiLockValues[5]); }
void Buttoninterface::on_VolumeUp_20_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_20, checked, 10, kDpiLockValues[6]); }
void Buttoninterface::on_VolumeUp_22_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_22, checked, 10, kDpiLockValues[7]); }
void Buttoninterface::on_VolumeUp_18_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_18, checked, 10, kDpiLockValues[8]); }
void Buttoninterface::on_VolumeUp_24_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_24, checked, 10, kDpiLockValues[9]); }
void Buttoninterface::on_VolumeUp_23_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_23, checked, 10, kDpiLockValues[10]); }
void Buttoninterface::on_VolumeUp_21_clicked(bool checked) { AssignKeyFunction(ui->VolumeUp_21, checked, 10, kDpiLockValues[11]); }

// --- multimedia keys -------------------------------------------------------------------

bool Buttoninterface::WriteMediaKey(int button, int usage, QAbstractButton* item)
{
    const KeyEventRecord record = MakeConsumerKeyRecord(0, usage >> 8, usage & 0xFF);
    if (!SetButtonKeys(button, kKeyRecordFunction, record.bytes))
        return false;
    StoreKeyFunction(button, 5, 0, 0);
    KeyButton(button)->setText(item->text());
    return true;
}

void Buttoninterface::AssignMediaItem(int row, bool checked)
{
    if (!checked)
        return;
    const int key = SelectedKey();
    if (key >= 0)
        WriteMediaKey(key, SettingRanges::kMediaUsages[row], ui->*kMediaItems[row]);
    CloseMenus();
}

void Buttoninterface::AssignMediaKey(int button, int code)
{
    const int row = code >= 0 && code <= 0xFF ? SettingRanges::MediaRowOfLowByte(code) : -1;
    if (row < 0 || !KeyButton(button))
        return;
    WriteMediaKey(button, SettingRanges::kMediaUsages[row], ui->*kMediaItems[row]);
}

void Buttoninterface::on_Player_clicked(bool checked) { AssignMediaItem(0, checked); }
void Buttoninterface::on_StartPause_2_clicked(bool checked) { AssignMediaItem(1, checked); }
void Buttoninterface::on_BackMusic_2_clicked(bool checked) { AssignMediaItem(2, checked); }
void Buttoninterface::on_TopMusic_2_clicked(bool checked) { AssignMediaItem(3, checked); }
void Buttoninterface::on_Mute_clicked(bool checked) { AssignMediaItem(4, checked); }
void Buttoninterface::on_VolumeUp_clicked(bool checked) { AssignMediaItem(5, checked); }
void Buttoninterface::on_VolumeDown_clicked(bool checked) { AssignMediaItem(6, checked); }
void Buttoninterface::on_VolumeDown_4_clicked(bool checked) { AssignMediaItem(7, checked); }
void Buttoninterface::on_VolumeDown_5_clicked(bool checked) { AssignMediaItem(8, checked); }
void Buttoninterface::on_VolumeDown_6_clicked(bool checked) { AssignMediaItem(9, checked); }
void Buttoninterface::on_VolumeDown_3_clicked(bool checked) { AssignMediaItem(10, checked); }
void Buttoninterface::on_VolumeDown_8_clicked(bool checked) { AssignMediaItem(11, checked); }
void Buttoninterface::on_VolumeDown_9_clicked(bool checked) { AssignMediaItem(12, checked); }
void Buttoninterface::on_VolumeDown_7_clicked(bool checked) { AssignMediaItem(13, checked); }
void Buttoninterface::on_VolumeDown_10_clicked(bool checked) { AssignMediaItem(14, checked); }
void Buttoninterface::on_VolumeDown_12_clicked(bool checked) { AssignMediaItem(15, checked); }
void Buttoninterface::on_VolumeDown_13_clicked(bool checked) { AssignMediaItem(16, checked); }
void Buttoninterface::on_VolumeDown_11_clicked(bool checked) { AssignMediaItem(17, checked); }

// --- keyboard keys and rapid fire ---------------------------------------------------------

void Buttoninterface::AssignKeyboardKey(int button, const QString& text)
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    ClearMenuChecks();
    if (KeyButton(button)) {
        const KeyEventRecord record = MakeKeyRecord(button, text);
        if (SetButtonKeys(button, kKeyRecordFunction, record.bytes)) {
            StoreKeyFunction(button, 5, 0, 0);
            KeyButton(button)->setText(text);
        }
    }
    ui->stackedWidget->setCurrentWidget(ui->page_2);
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(kKeyAreaShown);
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
}

void Buttoninterface::on_DPI_8_clicked()
{
    // Decided for the key, profile and device shown as the dialog opens: the
    // mouse may move on while the user chooses.
    const int key = SelectedKey();
    const MouseProfile::Target decidedFor = DeviceImageTarget();
    GroupKey dialog;
    RunOnPage(dialog);
    // Confirming nothing chosen is a cancel: it would write an empty key.
    if (!dialog.accepted || dialog.keyText.isEmpty())
        return;
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    ClearMenuChecks();
    if (key >= 0) {
        const KeyEventRecord record = MakeKeyRecord(key, dialog.keyText);
        if (SetButtonKeys(key, kKeyRecordFunction, record.bytes, &decidedFor)) {
            StoreKeyFunction(key, 5, 0, 0);
            KeyButton(key)->setText(dialog.keyText);
        }
    }
    // The top menu stays open after a combination.
    ui->stackedWidget->setCurrentWidget(ui->page_2);
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(kKeyAreaShown);
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
}

void Buttoninterface::on_DPI_6_clicked(bool checked)
{
    if (checked)
        AssignFireKey(SelectedKey(), nullptr);
}

void Buttoninterface::AssignFireKey(int key, const MouseProfile::Target* decidedFor)
{
    ClearMenuChecks();
    if (key >= 0 && SetButtonFunction(key, 4, fireInterval, fireCount, decidedFor)) {
        KeyButton(key)->setText(ui->DPI_6->text());
        StoreKeyFunction(key, 4, fireInterval, fireCount);
    }
    CloseMenus();
}

void Buttoninterface::on_DPI_6_clicked()
{
    // Offline: the menus close without a dialog or a notice.
    if (!UsbFinderC_GetDeviceOnLine(g_devicePath.bytes().constData()) && !g_buttonPageUpdating) {
        ui->stackedWidget->setCurrentWidget(ui->page);
        ui->stackedWidget_2->setCurrentWidget(ui->page_9);
        return;
    }
    // A key that already fires rapidly starts from its own values.
    const int key = SelectedKey();
    const bool firing = key >= 0 && KeyButton(key)->text() == ui->DPI_6->text();
    // As the combination: for what is shown as the dialog opens.
    const MouseProfile::Target decidedFor = DeviceImageTarget();
    FireKey dialog;
    dialog.SetTimeValue(firing ? keyStore.Param1(key) : 10);
    dialog.SetCountValue(firing ? keyStore.Param2(key) : 3);
    RunOnPage(dialog);
    if (!dialog.accepted)
        return;
    fireInterval = dialog.fireInterval;
    fireCount = dialog.fireCount;
    AssignFireKey(key, &decidedFor);
}

// Handlers of objects the form does not have.
void Buttoninterface::on_MultiMedia_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_3); }
void Buttoninterface::on_RightKey_2_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_4); }
void Buttoninterface::on_LeftKey_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_4); }
void Buttoninterface::on_Advance_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_4); }
void Buttoninterface::on_Back_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_4); }
void Buttoninterface::on_DPI_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_4); }
void Buttoninterface::on_checkBox_clicked() {}
void Buttoninterface::on_pushButton_clicked() {}
