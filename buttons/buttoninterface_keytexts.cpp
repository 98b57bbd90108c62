// Key texts from the device image, the function records the menus share,
// and the page's language.
#include "buttoninterface.h"
#include "ui_buttoninterface.h"

#include "app_state.h"
#include "config_store.h"
#include "debounce_time.h"
#include "device_image_setters.h"
#include "label_file.h"
#include "macro_block.h"
#include "macro_file.h"
#include "macro_name.h"
#include "macro_repeat_code.h"
#include "post_msg.h"
#include "setting_ranges.h"
#include "user_setting_store.h"

#include <QButtonGroup>
#include <QToolButton>

#include <algorithm>
#include <cstring>

void Buttoninterface::SlotUpDataButtonUIButton(FlashDataMap DataMap)
{
    g_buttonPageApplied = false;
    g_buttonPageUpdating = true;
    emit PostMsg::GetInstance()->SigLightToFrom(DataMap.lightOffTime * 10);
    SensorName = ConfigStore::Instance()->Value(ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex), QStringLiteral("Sensor"));
    RenderKeyTexts(DataMap);
    ui->DebunceButton->BlockLevelSignals(true);
    ui->DebunceButton->SetLevel(DataMap.debounceTime);
    ui->DebunceButton->BlockLevelSignals(false);
    imageShown = true;
    g_buttonPageApplied = true;
    g_buttonPageUpdating = false;
}

void Buttoninterface::SlotUpDataButtonUIB(FlashDataMap DataMap)
{
    g_buttonPageUpdating = true;
    SensorName = ConfigStore::Instance()->Value(ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex), QStringLiteral("Sensor"));
    emit PostMsg::GetInstance()->SigLightToFrom(DataMap.lightOffTime * 10);
    RenderKeyTexts(DataMap);
    // Not silent: an imported level is sent again, as a choice would be.
    ui->DebunceButton->SetLevel(DataMap.debounceTime);
    imageShown = true;
    g_buttonPageUpdating = false;
}

void Buttoninterface::RenderKeyTexts(const FlashDataMap& image)
{
    const DeviceAllInfo device = CurrentDeviceCopy();
    shownDevicePath = device.path;
    const QString group = ConfigStore::ModelGroup(device.modelIndex);
    const int keys = SettingRanges::ButtonLimit(ConfigStore::Instance()->Value(group, QStringLiteral("KeyNumber")).toInt());
    keyStore = KeyFunctionStore::FromImage(image, keys);
    for (int key = 0; key < keys; ++key)
        ShowKeyFunction(key, keyStore.Type(key), keyStore.Param1(key), keyStore.Param2(key), image);
}

void Buttoninterface::ShowKeyFunction(int key, int type, int p1, int p2, FlashDataMap image)
{
    QToolButton* button = KeyButton(key);
    if (!button)
        return;
    // The item whose text the key takes; nullptr keeps the key's text.
    QAbstractButton* item = nullptr;
    switch (KeyFunctionType(type)) {
    case KeyFunctionType::Disabled:
        item = ui->DPI_5;
        break;
    case KeyFunctionType::MouseButton:
    case KeyFunctionType::DpiSwitch:
    case KeyFunctionType::TiltWheel:
    case KeyFunctionType::Lights:
    case KeyFunctionType::Wheel:
        item = ParamItem(type, p1);
        break;
    case KeyFunctionType::FireKey:
        item = ui->DPI_6;
        break;
    case KeyFunctionType::KeyRecord: {
        KeyEventRecord record;
        std::memcpy(record.bytes, image.keyEvents[key], KeyEventRecord::Size);
        const KeyEvent first = record.Event(0);
        if (first.kind == KindConsumer)
            item = MediaItem(first.code & 0xFF);
        else
            button->setText(KeyRecordText(record));
        break;
    }
    case KeyFunctionType::Macro: {
        const QString name = MacroBlockName(image.macroBlocks[key]);
        button->setText(MacroPrefix + name);
        // The macro page rebuilds the file from the mouse, repeat code and
        // events in one write; the repeat code travels in the key's function.
        // A name that is no file name in the macro folder is only shown.
        if (IsValidMacroName(name)) {
            image.keyFunctions[key][2] = uint8_t(p2);
            emit PostMsg::GetInstance()->SigButtonToMacro(image, key);
        }
        break;
    }
    case KeyFunctionType::ReportRateSwitch:
        item = ui->DPI_2;
        break;
    case KeyFunctionType::ProfileSwitch:
        item = ui->DPI_3;
        break;
    case KeyFunctionType::DpiLock:
        button->setText(ui->DPI_4->text() + QLatin1Char('-') + QString::number(SensorCodeToDpi(p1)));
        break;
    }
    if (item)
        button->setText(item->text());
}

QString Buttoninterface::DeviceCodeToKeyName(int code, int kind) const
{
    return KeyEventName(code, kind);
}

void Buttoninterface::StoreKeyFunction(int button, int type, int param1, int param2)
{
    keyStore.Set(button, type, param1, param2);
}

KeyEventRecord Buttoninterface::MakeKeyRecord(int button, const QString& text)
{
    Q_UNUSED(button) // the record does not depend on the key
    return KeyRecordFromText(text);
}

KeyEventRecord Buttoninterface::KeyNameToEvents(const QString& name, int button, int index, int count,
                                                KeyEventRecord record)
{
    Q_UNUSED(button)
    return WithKeyEvents(name, index, count, record);
}

int Buttoninterface::DpiToSensorCode(int dpi) const
{
    return DpiLockCode(dpi, SensorName, DefineNames, DefineValues);
}

int Buttoninterface::SensorCodeToDpi(int code) const
{
    return DpiLockValue(code, SensorName, DefineNames, DefineValues);
}

void Buttoninterface::ClearMenuChecks()
{
    SubItemGroup->setExclusive(false);
    QList<QAbstractButton*> items{ui->Player,       ui->StartPause_2, ui->BackMusic_2,  ui->TopMusic_2,  ui->Mute,
                                  ui->VolumeUp,     ui->VolumeDown,   ui->VolumeDown_3, ui->VolumeDown_4, ui->VolumeDown_5,
                                  ui->VolumeDown_6, ui->VolumeDown_7, ui->VolumeDown_8, ui->VolumeDown_9, ui->VolumeDown_10,
                                  ui->VolumeDown_11, ui->VolumeDown_12, ui->VolumeDown_13};
    for (QToolButton* macro : MacroButtons)
        items << macro;
    items << ui->VolumeUp_4 << ui->VolumeUp_5 << ui->VolumeUp_6 << ui->VolumeUp_7 << ui->VolumeUp_11 << ui->VolumeUp_12
          << ui->VolumeUp_13 << ui->VolumeUp_15 << ui->VolumeUp_16 << ui->VolumeUp_18 << ui->VolumeUp_19 << ui->VolumeUp_20
          << ui->VolumeUp_21 << ui->VolumeUp_22 << ui->VolumeUp_23 << ui->VolumeUp_24 << ui->VolumeUp_2 << ui->VolumeDown_2
          << ui->VolumeUp_8 << ui->VolumeUp_9 << ui->VolumeUp_10;
    for (QAbstractButton* item : items)
        item->setChecked(false);
    SubItemGroup->setExclusive(true);
}

QString Buttoninterface::ReadMacroRepeatCode(const QString& macroName)
{
    return ::ReadMacroRepeatCode(MacroFilePath(MacroFolder(), macroName));
}


// --- language -------------------------------------------------------------------

void Buttoninterface::InitLanguage(int mode, int language)
{
    LoadLanguage(mode, language, language == 1 ? 8 : 9);
}

void Buttoninterface::SlotChangeLanguage(int index)
{
    LoadLanguage(0, index, index == 1 ? 7 : 9);
}

void Buttoninterface::LoadLanguage(int mode, int language, int topMenuPointSize)
{
    QFont font(QStringLiteral("微软雅黑"), topMenuPointSize);
    for (QAbstractButton* item : TopItemGroup->buttons())
        item->setFont(font);

    LabelFile::Keys keys;
    for (const char* name :
         {"Reset",       "FireKey",      "RightKey",      "BackKey",       "StartPause",    "TopMusic",     "BackMusic",
          "LeftKey_3",   "RightKey_3",   "MidKey",        "BackKey_2",     "ForWardKey",    "DPI_2",        "DPI_3",
          "DPI_6",       "DPI_8",        "DPI_5",         "DPI_13",        "DPI_11",        "DPI_10",       "DPI_9",
          "DPI_7",       "DPI_12",       "DPI_4",         "Player",        "StartPause_2",  "BackMusic_2",  "TopMusic_2",
          "Mute",        "VolumeUp",     "VolumeDown",    "VolumeDown_4",  "VolumeDown_5",  "VolumeDown_6", "VolumeDown_3",
          "VolumeDown_8", "VolumeDown_9", "VolumeDown_7", "VolumeDown_10", "VolumeDown_12", "VolumeDown_13", "VolumeDown_11",
          "VolumeUp_4",  "VolumeUp_5",   "VolumeUp_6",    "VolumeUp_7",    "VolumeUp_2",    "VolumeDown_2", "VolumeUp_8",
          "VolumeUp_14", "VolumeDown_14"}) {
        QAbstractButton* button = findChild<QAbstractButton*>(QLatin1String(name));
        keys.insert(QLatin1String(name), [button](const QString& text) { button->setText(text); });
    }
    // The key buttons' texts are also what they show without an image (these
    // entries replace theirs above).
    for (int key = 0; key < kKeyCount; ++key) {
        QToolButton* button = KeyButton(key);
        keys.insert(button->objectName(), [this, key, button](const QString& text) {
            unfilledKeyTexts[key] = text;
            button->setText(text);
        });
    }
    // Import and export show their text as a tooltip in Japanese only.
    const bool tooltips = UserSettingStore::Instance()->Value(QStringLiteral("Language"), QStringLiteral("Language")).toInt() == 5;
    for (QToolButton* button : {ui->ImportData, ui->OutputData}) {
        keys.insert(button->objectName(), [button, tooltips](const QString& text) {
            button->setText(text);
            button->setToolTip(tooltips ? text : QString());
        });
    }
    keys.insert(QStringLiteral("checkBox"), [this](const QString& text) { ui->label_3->setText(text); });
    keys.insert(QStringLiteral("Macro_"), [this](const QString& text) { MacroPrefix = text; });
    keys.insert(QStringLiteral("Config"), [this](const QString& text) { ProfilePrefix = text; });
    for (int n = 1; n <= 19; ++n)
        keys.insert(QStringLiteral("S%1").arg(n), [this, n](const QString& text) { ui->DebunceButton->SetLevelText(n - 1, text); });
    keys.insert(QStringLiteral("S20"), [this](const QString& text) {
        ui->DebunceButton->SetLevelText(19, text);
        ui->DebunceButton->SetLevelText(20, text);
    });

    const LabelFile::Result result = LabelFile::Load(LabelFile::PathFor(language), QStringLiteral("Buttoninterface"), keys);
    if (!result.opened)
        return;

    // The key texts show item texts and the prefixes: render them again in
    // the new language once a device's image is on the page.
    if (!g_deviceSelected || !imageShown)
        return;
    if (mode == 0)
        RenderKeyTexts(DeviceImageCopy());
    RebuildProfileList();
}

void Buttoninterface::RebuildProfileList()
{
    const int count = ui->ProjectChoose->count();
    const int current = ui->ProjectChoose->currentIndex();
    ui->ProjectChoose->blockSignals(true);
    ui->ProjectChoose->clear();
    for (int i = 0; i < count; ++i)
        ui->ProjectChoose->addItem(ProfilePrefix + QString::number(i + 1));
    ui->ProjectChoose->setCurrentIndex(current);
    ui->ProjectChoose->blockSignals(false);
}
