// The macro list of the button page: binding a saved macro to a key and
// following the macro page's changes.
#include "buttoninterface.h"
#include "ui_buttoninterface.h"

#include "app_state.h"
#include "config_store.h"
#include "device_image_setters.h"
#include "key_notices.h"
#include "macro_block.h"
#include "macro_file.h"
#include "macro_key_rules.h"
#include "macro_name.h"
#include "macro_save.h"
#include "mouse_profile.h"
#include "post_msg.h"

#include <devicelib.h>

#include <QButtonGroup>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstring>
#include <functional>

namespace {

const int kListRows = 7;         // rows the list shows without scrolling
const int kMacroSaveWaitMs = 1500; // the macro page writes the file first

QString MacroButtonStyle(const QString& buttonColor, const QString& pictureDir)
{
    return QStringLiteral("QToolButton{color: rgb(") + buttonColor + QStringLiteral(";);border-image: url(") + pictureDir
           + QStringLiteral("CMenuTitle.png);}QToolButton:hover{background-image: none;}QToolButton:checked{border-image: url(")
           + pictureDir + QStringLiteral("CMenuTitleChecked.png);}");
}

QToolButton* MakeListButton(QWidget* container, const QString& text, const QString& style, int height)
{
    auto* button = new QToolButton(container);
    button->setText(text);
    button->setStyleSheet(style);
    button->setFont(QFont(QStringLiteral("微软雅黑"), 9));
    button->setMinimumSize(174, height);
    button->setCheckable(true);
    return button;
}

} // namespace

void Buttoninterface::CreateMacroButtons()
{
    MacroListLayout = new QVBoxLayout;
    MacroListLayout->setSizeConstraint(QLayout::SetFixedSize);
    MacroListContainer = new QWidget;
    MacroListContainer->setMinimumSize(205, 220);
    MacroListContainer->setMaximumSize(205, 220);
    MacroListContainer->setStyleSheet(QStringLiteral("background-color:transparent;border:none;"));
    MacroListContainer->setLayout(MacroListLayout);
    ui->scrollArea_7->setWidget(MacroListContainer);
    FillMacroList();
}

void Buttoninterface::SlotAddMacroButton()
{
    qDeleteAll(MacroButtons);
    MacroButtons.clear();
    FillMacroList();
}

void Buttoninterface::FillMacroList()
{
    const QStringList names = ReadMacroList(MacroFolder());
    const QString style = MacroButtonStyle(ButtonColorText, PictureDir);
    for (const QString& name : names) {
        QToolButton* button = MakeListButton(MacroListContainer, name, style, 22);
        MacroListLayout->addWidget(button);
        SubItemGroup->addButton(button);
        MacroButtons << button;
        connect(button, SIGNAL(clicked(bool)), this, SLOT(slotButtonClicked(bool)));
    }
    // Hidden fillers keep a short list at the top of its area.
    if (names.isEmpty() || names.size() >= kListRows)
        return;
    for (int i = names.size(); i < kListRows; ++i) {
        QToolButton* filler = MakeListButton(MacroListContainer, QString(), style, 23);
        filler->setEnabled(false);
        filler->hide();
        MacroListLayout->addWidget(filler);
        MacroButtons << filler;
    }
}

void Buttoninterface::slotButtonClicked(bool checked)
{
    if (!checked)
        return;
    auto* button = qobject_cast<QAbstractButton*>(sender());
    const int key = SelectedKey();
    if (button && key >= 0) {
        const QString name = button->text();
        bool ok = false;
        bool tooManyEvents = false;
        const QByteArray block = MacroFileToBlock(name, key, &ok, &tooManyEvents);
        if (tooManyEvents) {
            KeyNumberLimit notice;
            notice.ShowNotSentText();
            RunOnPage(notice);
        } else if (ok) {
            const int repeat = MacroRepeat::FromText(ReadMacroRepeatCode(name));
            const uint8_t function[3] = {uint8_t(KeyFunctionType::Macro), uint8_t(key), uint8_t(repeat)};
            if (SetButtonMacro(key, function, reinterpret_cast<const uint8_t*>(block.constData()))) {
                KeyButton(key)->setText(MacroPrefix + name);
                StoreKeyFunction(key, int(KeyFunctionType::Macro), key, repeat);
            }
        }
    }
    CloseMenus();
}

QByteArray Buttoninterface::MacroFileToBlock(const QString& macroName, int key, bool* ok, bool* tooManyEvents)
{
    Q_UNUSED(key) // the block goes to the key's own slot
    MacroBlockBytes block = {};
    *ok = false;
    MacroFileContent content;
    const MacroFileRead read = g_sendEnabled && IsValidMacroName(macroName)
        ? ReadMacroFile(MacroFilePath(MacroFolder(), macroName), &content)
        : MacroFileRead::Unreadable;
    if (read != MacroFileRead::Unreadable) {
        // False when the file holds more key events than the block has slots;
        // a file too large to read holds far more.
        *ok = read == MacroFileRead::Done && BuildMacroBlock(macroName, content.items, block);
        if (!*ok)
            std::memset(block, 0, sizeof block);
        if (tooManyEvents)
            *tooManyEvents = !*ok;
    }
    return QByteArray(reinterpret_cast<const char*>(block), sizeof block);
}

bool Buttoninterface::KeyCarriesMacro(int key, const QString& macroName) const
{
    QString text = KeyButton(key)->text();
    return keyStore.Type(key) == int(KeyFunctionType::Macro) && text.remove(QChar(0)) == MacroPrefix + macroName;
}

void Buttoninterface::SlotDeleteMacroButton(QString MacroName)
{
    QString texts[kKeyCount];
    for (int key = 0; key < kKeyCount; ++key)
        texts[key] = KeyButton(key)->text().remove(QChar(0));
    const QString group = ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex);
    KeyDefault defaults[kKeyCount];
    for (int key = 0; key < kKeyCount; ++key)
        defaults[key] = KeyParamDefault(ConfigStore::Instance()->ValueList(group, QStringLiteral("KeyParam%1").arg(key + 1)));

    // Each key's default menu item and what choosing it does.
    QAbstractButton* const defaultItems[kKeyCount] = {ui->LeftKey_3, ui->RightKey_3, ui->MidKey,
                                                      ui->BackKey_2, ui->ForWardKey, ui->VolumeUp_8};
    const std::function<void()> chooseDefault[kKeyCount] = {
        [this] { on_LeftKey_3_clicked(true); }, [this] { on_RightKey_3_clicked(true); },
        [this] { on_MidKey_clicked(true); },    [this] { on_BackKey_2_clicked(true); },
        [this] { on_ForWardKey_clicked(true); }, [this] { on_VolumeUp_8_clicked(true); },
    };

    QList<int> clearedRecords;
    for (int key : kKeyVisitOrder) {
        if (texts[key] != MacroName)
            continue;
        KeyButton(key)->setChecked(true);
        defaultItems[key]->setChecked(true);
        const KeyDefault& fallback = defaults[key];
        if (fallback.kind == KeyDefault::MediaKey) {
            AssignMediaKey(key, fallback.code);
            continue;
        }
        if (fallback.kind == KeyDefault::KeyboardKey) {
            AssignKeyboardKey(key, fallback.text);
            continue;
        }
        if (fallback.kind == KeyDefault::MenuItem)
            chooseDefault[key]();
        clearedRecords << key;
    }
    ReleaseKeys();
    // The whole image once more, with the cleared key records.
    EditAndSendDeviceImage([&clearedRecords](FlashDataMap& image) {
        for (int key : clearedRecords)
            std::memset(image.keyEvents[key], 0, FlashDataMap::KeyEventRecordSize);
    });
}

void Buttoninterface::SlotMacroRename(QString MacroName, QString NewName)
{
    for (int key : kKeyVisitOrder) {
        if (!KeyCarriesMacro(key, MacroName))
            continue;
        KeyButton(key)->setText(MacroPrefix + NewName);
        // Renamed in the image as it is when sent, in one step; a block that
        // does not hold the macro the key shows (a dump came in) keeps its
        // name.
        EditDeviceImage([key, &MacroName, &NewName](FlashDataMap& image) {
            if (MacroBlockName(image.macroBlocks[key]) == MacroName)
                SetMacroBlockName(image.macroBlocks[key], NewName);
        });
    }
}

void Buttoninterface::SlotUpDataMacro(QString MacroName, int index)
{
    QList<int> keys;
    for (int key : kKeyVisitOrder) {
        if (KeyCarriesMacro(key, MacroName))
            keys << key;
    }
    if (index == 0) {
        WaitForMacroSave(kMacroSaveWaitMs);
        const MouseProfile::Target* decidedFor = MacroSave::Target();
        for (int key : keys) {
            // A key the user gave another function meanwhile keeps it. On
            // another profile or device the page shows that one: the send
            // goes on, to be refused there with the notice.
            if (!KeyCarriesMacro(key, MacroName) && (!decidedFor || MouseProfile::TargetHolds(*decidedFor)))
                continue;
            emit PostMsg::GetInstance()->SigMacroDownLoadData(MacroName, key);
        }
    } else if (index == 1) {
        const uint8_t repeat = uint8_t(MacroRepeat::FromText(ReadMacroRepeatCode(MacroName)));
        for (int key : keys) {
            if (!EditDeviceImage([key, repeat](FlashDataMap& image) { image.keyFunctions[key][2] = repeat; },
                                 MacroSave::Target()))
                MacroSave::Refused();
        }
    }
}
