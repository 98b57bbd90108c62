#include "macro.h"
#include "ui_macro.h"

#include "app_state.h"
#include "frame_style.h"
#include "key_code_table.h"
#include "label_file.h"
#include "macro_file.h"
#include "macro_key_names.h"
#include "macro_name.h"
#include "macro_save.h"
#include "notice_style.h"
#include "paths.h"
#include "post_msg.h"
#include "user_setting_store.h"

#include "add_delay_time.h"
#include "add_key.h"
#include "exe_is_run.h"
#include "key_notices.h"
#include "macro_dialog_shift.h"
#include "modal_run.h"
#include "question_dialog.h"
#include "up_date_warning.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

// Entries of the insert menu.
enum ChooseEntry { ChooseNone = 0, ChoosePress, ChooseRelease, ChooseDelay, ChooseLeft, ChooseRight,
                   ChooseMiddle, ChooseForward, ChooseBack };

int MouseBitOf(int entry)
{
    switch (entry) {
    case ChooseLeft: return 0x01;
    case ChooseRight: return 0x02;
    case ChooseMiddle: return 0x04;
    case ChooseBack: return 0x08;
    case ChooseForward: return 0x10;
    default: return 0;
    }
}

} // namespace

Macro::Macro(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::Macro)
{
    ui->setupUi(this);
    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    pictureDir = PictureFolder(QStringLiteral("Macro"));
    macroDir = MacroFolder();

    connect(hub, SIGNAL(SigButtonToMacro(FlashDataMap,int)), this, SLOT(SlotButtonToMacro(FlashDataMap,int)));
    connect(hub, SIGNAL(SigMacroDownLoadData(QString,int)), this, SLOT(SlotMacroDownLoadData(QString,int)));
    connect(hub, SIGNAL(SigSetMacroPage()), this, SLOT(SlotSetMacroPage()));

    ui->listWidgetHong->addItems(ReadMacroList(macroDir));
    ui->listWidgetHong->setCurrentRow(-1);
    // Keyboard navigation moves the row too: the events shown always belong
    // to the current row, which rename, delete and Save act on.
    connect(ui->listWidgetHong, &QListWidget::currentRowChanged, this, [this] { LoadSelectedMacro(); });
    connect(ui->listWidgetKey, &QListWidget::currentRowChanged, this,
            [this](int row) { m_events.SetCurrentRow(row); });

    delayModeGroup = new QButtonGroup(this);
    delayModeGroup->setExclusive(true);
    delayModeGroup->addButton(ui->AutoInsertDelay);
    delayModeGroup->addButton(ui->DefaultDelay);
    repeatModeGroup = new QButtonGroup(this);
    repeatModeGroup->setExclusive(true);
    for (QAbstractButton* box : {static_cast<QAbstractButton*>(ui->ReUntilLoose), static_cast<QAbstractButton*>(ui->ReUntilClick),
                                 static_cast<QAbstractButton*>(ui->ReNumber), static_cast<QAbstractButton*>(ui->ReUntil)})
        repeatModeGroup->addButton(box);

    ui->StopRecord->hide();
    ui->AutoInsertDelay->setChecked(true);

    buttonColor = FrameStyle::Colour(QStringLiteral("ButtonColor"));
    connect(repeatModeGroup, QOverload<QAbstractButton*, bool>::of(&QButtonGroup::buttonToggled), this,
            [this] { MarkRepeatModified(); });

    ApplyStyles();
    DeactivateSave();
    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

Macro::~Macro() = default;

void Macro::ApplyStyles()
{
    const QString& P = pictureDir;
    // The frame keeps its shape for the style; its outline would box in the page.
    setStyleSheet(QStringLiteral("#MacroPage{border: none;}"));
    for (QListWidget* list : {ui->listWidgetHong, ui->listWidgetKey}) {
        list->setStyleSheet(
            "#" + list->objectName() + "{background-color: transparent;color: rgb(255, 255, 255);outline: 0px;}"
            "QListWidget::item:selected:active{background-color: #a3a3a3;color: rgb(255, 255, 255);}"
            "QListWidget::item:selected:!active{background-color: #a3a3a3;color: rgb(255, 255, 255);}"
            "QListWidget::item:hover{background-color: transparent;}"
            "QScrollBar:vertical{width:20px;background:rgb(30,30,30);margin:22px 0px 22px 0px;}"
            "QScrollBar::handle:vertical{background:rgb(117, 117, 117);border-radius:3px;min-height:30px;}"
            "QScrollBar::add-line:vertical{height:25px;background:rgb(30,30,30);subcontrol-position:bottom;}"
            "QScrollBar::sub-line:vertical{height:25px;background:rgb(30,30,30);subcontrol-position:top;}"
            "QScrollBar::up-arrow:vertical{image: url(" + P + "Up.png);width:15px;height:15px;}"
            "QScrollBar::down-arrow:vertical{image: url(" + P + "Down.png);width:15px;height:15px;}"
            "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}");
    }

    ui->ChooseEvent->setStyleSheet(FrameStyle::ComboStyle(P, false));
    FrameStyle::InstallListView(ui->ChooseEvent);
    ui->ChooseEvent->setMaxVisibleItems(5);

    const QString label = FrameStyle::Colour(QStringLiteral("LabelColor"));
    const QString labelStyle = "QLabel{color: rgb(" + label + ";);}";
    for (QLabel* text : {ui->label, ui->label_2, ui->label_3, ui->AutoInsertDelayLabel, ui->ReUntilLabel,
                         ui->ReUntilClickLabel, ui->ReUntilLooseLabel})
        text->setStyleSheet(labelStyle);
    const QString boxStyle = "QCheckBox{color: rgb(" + label + ";);}QCheckBox:indicator::checked {image: url(" + P
        + "CheckBoxCheck.png);}QCheckBox::indicator::unchecked {image: url(" + P + "CheckBox.png);}";
    for (QCheckBox* box : {ui->AutoInsertDelay, ui->DefaultDelay, ui->ReUntilLoose, ui->ReUntilClick, ui->ReUntil,
                           ui->ReNumber})
        box->setStyleSheet(boxStyle);

    for (QToolButton* button : {ui->NewHong, ui->DeleteHong, ui->Amend, ui->DeleteKey})
        button->setStyleSheet(ActiveButtonStyle());

    const auto recordStyle = [&](const QString& picture) {
        return "QPushButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(" + buttonColor
            + ";);background-image: url(" + P + picture + ".png);}QPushButton:hover{background-image: url(" + P
            + picture + "Hover.png); }";
    };
    ui->StopRecord->setStyleSheet(recordStyle(QStringLiteral("Stop")));
    ui->StartRecord->setStyleSheet(recordStyle(QStringLiteral("Record")));

    const QString spinStyle = "QSpinBox{background-color: rgb(63, 63, 63);color: rgb("
        + FrameStyle::Colour(QStringLiteral("LinEditColorSecond")) + ";);border: none;}";
    ui->DelayTime->setStyleSheet(spinStyle);
    ui->NumberEdit->setStyleSheet(spinStyle);
}

QString Macro::ActiveButtonStyle() const
{
    const QString& P = pictureDir;
    return "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(" + buttonColor
        + ";);background-image: url(" + P + "Button.png);}QToolButton:hover{background-image: url(" + P
        + "ButtonHover.png); }QToolButton:pressed{background-image: url(" + P + "ButtonClick.png); }";
}

void Macro::ActivateSave()
{
    // One save at a time: a change made while one runs is offered once it
    // has ended, so that a second save can never take the first one's place.
    if (MacroSave::Running()) {
        m_offerSaveAfter = true;
        return;
    }
    ui->Save->setEnabled(true);
    ui->Save->setStyleSheet(ActiveButtonStyle());
}

void Macro::DeactivateSave()
{
    m_offerSaveAfter = false;
    ui->Save->setStyleSheet("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;"
                            "color: rgb(127,127,127);background-image: url("
                            + pictureDir + "Button.png);}");
    ui->Save->setEnabled(false);
}

void Macro::MarkRepeatModified()
{
    repeatModified = true;
    ActivateSave();
}

void Macro::MarkEventsModified()
{
    eventsModified = true;
    ActivateSave();
}

QString Macro::SelectedName() const
{
    const QListWidgetItem* item = ui->listWidgetHong->currentItem();
    return item && ui->listWidgetHong->currentRow() >= 0 ? item->text() : QString();
}

bool Macro::HasSelectedMacro() const
{
    return ui->listWidgetHong->currentRow() >= 0;
}

bool Macro::IsListed(const QString& name) const
{
    for (int row = 0; row < ui->listWidgetHong->count(); ++row) {
        if (ui->listWidgetHong->item(row)->text() == name)
            return true;
    }
    return false;
}

bool Macro::IsNameTaken(const QString& name) const
{
    // A file the list does not show (a link, a folder, another letter case
    // on a file system that ignores it) is never overwritten either.
    const QFileInfo file(FilePathOf(name));
    return IsListed(name) || file.exists() || file.isSymLink();
}

bool Macro::NameRefused(const QString& name, int sameNoticeDrop)
{
    // Validity first: a refused name may point outside the macro folder.
    if (!IsValidMacroName(name)) {
        ShowFileFailure(m_nameFailText);
        return true;
    }
    if (IsNameTaken(name)) {
        SameMacro notice;
        PlaceNotice(&notice);
        notice.move(notice.pos() + QPoint(0, sameNoticeDrop));
        ModalRun::Exec(&notice);
        return true;
    }
    return false;
}

QString Macro::FilePathOf(const QString& name) const
{
    return MacroFilePath(macroDir, name);
}

void Macro::LoadSelectedMacro()
{
    DeactivateSave();
    m_events.Clear();
    QString refused;
    if (HasSelectedMacro()) {
        currentMacroFile = FilePathOf(SelectedName());
        MacroFileContent content;
        const MacroFileRead read = ReadMacroFile(currentMacroFile, &content);
        if (read == MacroFileRead::Done) {
            if (content.hasHeader)
                ShowRepeatCode(content.repeatCode);
            m_events.SetItems(WithKnownKeys(content.items));
        }
        refused = read == MacroFileRead::TooLarge ? currentMacroFile : QString();
    }
    ShowEvents();
    RestoreUnsentSave();
    // A click loads the row again right after its selection did: one notice.
    if (!refused.isEmpty() && refused != m_refusedFile)
        ShowFileFailure(m_tooLargeText);
    m_refusedFile = refused;
}

int Macro::RepeatCode() const
{
    if (ui->ReUntilLoose->isChecked())
        return MacroRepeat::UntilLoose;
    if (ui->ReUntilClick->isChecked())
        return MacroRepeat::UntilClick;
    if (ui->ReUntil->isChecked())
        return MacroRepeat::Until;
    return ui->NumberEdit->value();
}

void Macro::ShowRepeatCode(int code)
{
    // Loading is not an edit.
    const QSignalBlocker blockGroup(repeatModeGroup);
    const QSignalBlocker blockNumber(ui->NumberEdit);
    switch (code) {
    case MacroRepeat::UntilLoose: ui->ReUntilLoose->setChecked(true); break;
    case MacroRepeat::UntilClick: ui->ReUntilClick->setChecked(true); break;
    case MacroRepeat::Until: ui->ReUntil->setChecked(true); break;
    default:
        ui->ReNumber->setChecked(true);
        ui->NumberEdit->setValue(code);
        break;
    }
}

void Macro::ShowEvents()
{
    const QSignalBlocker block(ui->listWidgetKey);
    ui->listWidgetKey->clear();
    for (const MacroItem& item : m_events.Items()) {
        // Type 1 marks a release, as the lists of this page always have.
        new QListWidgetItem(ItemIcon(item), MacroItemText(item), ui->listWidgetKey, item.IsKey() && item.release ? 1 : 0);
    }
    ui->listWidgetKey->setCurrentRow(m_events.CurrentRow());
}

QIcon Macro::ItemIcon(const MacroItem& item) const
{
    const char* picture = item.IsDelay() ? "MacroTime.png" : item.release ? "MacroUp.png" : "MacroDown.png";
    return QIcon(pictureDir + QLatin1String(picture));
}

bool Macro::RefusedWhileRecording()
{
    if (!g_macroRecording)
        return false;
    ExeIsRun notice;
    notice.ShowPleaseStopText();
    PlaceNotice(&notice);
    ModalRun::Exec(&notice);
    return true;
}

void Macro::PlaceNotice(QWidget* dialog) const
{
    dialog->move(NoticeStyle::CentredOn(this, dialog, MacroPageNoticeShift));
}

void Macro::PlaceEditor(QWidget* dialog) const
{
    dialog->move(NoticeStyle::CentredOn(this, dialog, MacroPageEditShift));
}

void Macro::ShowFileFailure(const QString& text)
{
    UpDateWarning notice;
    notice.SetLabelText(text);
    PlaceNotice(&notice);
    ModalRun::Exec(&notice);
}

void Macro::on_listWidgetHong_clicked(const QModelIndex&)
{
    LoadSelectedMacro();
}

QString Macro::AskMacroName(bool rename)
{
    QString name;
    {
        QuestionDialog dialog;
        dialog.SetPromptText(rename);
        PlaceNotice(&dialog);
        ModalRun::Exec(&dialog);
        name = dialog.enteredName;
    }
    if (name.isEmpty() || NameRefused(name))
        return QString();
    return name;
}

void Macro::on_NewHong_clicked()
{
    if (RefusedWhileRecording())
        return;
    const QString name = AskMacroName(false);
    if (name.isEmpty())
        return;
    if (!CreateMacroFile(FilePathOf(name))) {
        ShowFileFailure(m_fileFailText);
        return;
    }
    ui->listWidgetHong->addItem(name);
    ui->listWidgetHong->setCurrentRow(ui->listWidgetHong->count() - 1);
    currentMacroFile = FilePathOf(name);
    m_events.Clear();
    ShowEvents();
    ui->ReNumber->setChecked(true);
    ui->NumberEdit->setValue(1);
}

void Macro::RenameMacro()
{
    QListWidgetItem* item = ui->listWidgetHong->currentItem();
    if (!item)
        return;
    const QString name = AskMacroName(true);
    if (name.isEmpty())
        return;
    const QString oldName = item->text();
    if (!QFile::rename(FilePathOf(oldName), FilePathOf(name))) {
        ShowFileFailure(m_fileFailText);
        return;
    }
    item->setText(name);
    currentMacroFile = FilePathOf(name);
    if (m_unsentSaves.contains(oldName))
        m_unsentSaves.insert(name, m_unsentSaves.take(oldName));
    emit PostMsg::GetInstance()->SigMacroRename(oldName, name);
}

void Macro::on_DeleteHong_clicked()
{
    if (RefusedWhileRecording())
        return;
    if (!HasSelectedMacro())
        return;
    bool confirmed = false;
    {
        DeleteConfirm dialog;
        PlaceNotice(&dialog);
        ModalRun::Exec(&dialog);
        confirmed = dialog.accepted;
    }
    if (!confirmed)
        return;
    const QString name = SelectedName();
    const QString path = FilePathOf(name);
    if (!QFile::remove(path) && QFile::exists(path)) {
        ShowFileFailure(m_fileFailText);
        return;
    }
    m_unsentSaves.remove(name);
    emit PostMsg::GetInstance()->SigDeleteMacroButton(macroRealText + name);
    {
        const QSignalBlocker block(ui->listWidgetHong);
        delete ui->listWidgetHong->takeItem(ui->listWidgetHong->currentRow());
        ui->listWidgetHong->setCurrentRow(-1);
    }
    m_events.Clear();
    ShowEvents();
}

void Macro::DeleteMacro()
{
    on_DeleteHong_clicked();
}

void Macro::CreateMewMacro()
{
    on_NewHong_clicked();
}

void Macro::on_listWidgetHong_customContextMenuRequested(const QPoint& pos)
{
    QMenu menu(this);
    if (ui->listWidgetHong->itemAt(pos)) {
        connect(menu.addAction(contextMenuTexts[0]), &QAction::triggered, this, &Macro::ExPortMacro);
        connect(menu.addAction(contextMenuTexts[1]), &QAction::triggered, this, &Macro::RenameMacro);
        connect(menu.addAction(contextMenuTexts[2]), &QAction::triggered, this, &Macro::DeleteMacro);
    } else {
        connect(menu.addAction(contextMenuTexts[3]), &QAction::triggered, this, &Macro::CreateMewMacro);
        connect(menu.addAction(contextMenuTexts[4]), &QAction::triggered, this, &Macro::InPortMacro);
    }
    menu.exec(QCursor::pos());
}

void Macro::on_Save_clicked()
{
    if (RefusedWhileRecording() || MacroSave::Running())
        return;
    DeactivateSave();
    if (!HasSelectedMacro())
        return;
    // Everything is taken before the file is touched, and the file is
    // replaced in one step: nothing else can run in between.
    const QString name = SelectedName();
    const int repeatCode = RepeatCode();
    const MacroItems items = m_events.Items();
    currentMacroFile = FilePathOf(name);
    if (!WriteMacroFile(currentMacroFile, repeatCode, items)) {
        ActivateSave();
        ShowFileFailure(m_fileFailText);
        return;
    }
    // A save refused before goes out with this one.
    const int unsent = m_unsentSaves.take(name);
    const bool events = eventsModified || (unsent & UnsentEvents);
    const bool repeat = repeatModified || (unsent & UnsentRepeat);
    eventsModified = false;
    repeatModified = false;
    // What follows reaches the mouse after a wait, and only the device and
    // profile shown now.
    bool delivered = false;
    {
        const MacroSave::Scope saving(name);
        PostMsg* hub = PostMsg::GetInstance();
        if (events)
            emit hub->SigUpDataMacro(name, 0);
        if (repeat)
            emit hub->SigUpDataMacro(name, 1);
        delivered = saving.Delivered();
    }
    if (!delivered) {
        // The user was told to try again: the file keeps what was saved, and
        // Save sends it once the mouse is back on a profile that carries it.
        m_unsentSaves.insert(name, (events ? UnsentEvents : 0) | (repeat ? UnsentRepeat : 0));
        if (SelectedName() == name)
            RestoreUnsentSave();
    }
    if (m_offerSaveAfter)
        ActivateSave();
}

void Macro::RestoreUnsentSave()
{
    const int unsent = m_unsentSaves.value(SelectedName());
    if (unsent == 0)
        return;
    eventsModified = eventsModified || (unsent & UnsentEvents);
    repeatModified = repeatModified || (unsent & UnsentRepeat);
    ActivateSave();
}

void Macro::on_NumberEdit_valueChanged(int)
{
    MarkRepeatModified();
}

void Macro::on_ChooseEvent_activated(int index)
{
    switch (index) {
    case ChoosePress:
    case ChooseRelease: {
        bool accepted = false;
        QString keyName;
        {
            addKey dialog;
            PlaceEditor(&dialog);
            accepted = ModalRun::Exec(&dialog) == QDialog::Accepted && dialog.accepted;
            keyName = dialog.keyName;
        }
        if (!accepted || !HasSelectedMacro())
            return;
        const std::optional<MacroItem> key = KeyItemFromName(keyName, index == ChooseRelease);
        if (!key)
            return;
        m_events.InsertKey(*key);
        break;
    }
    case ChooseDelay: {
        bool accepted = false;
        int delay = 0;
        {
            AddDelayTime dialog;
            PlaceEditor(&dialog);
            ModalRun::Exec(&dialog);
            accepted = dialog.accepted;
            delay = dialog.delayTime;
        }
        if (!accepted || !HasSelectedMacro() || m_events.CurrentRow() < 0)
            return;
        m_events.InsertDelay(quint32(delay));
        break;
    }
    case ChooseLeft:
    case ChooseRight:
    case ChooseMiddle:
    case ChooseForward:
    case ChooseBack:
        if (!HasSelectedMacro())
            return;
        m_events.InsertMouseClick(KindMouse, MouseBitOf(index));
        break;
    default:
        return;
    }
    ShowEvents();
    MarkEventsModified();
}

void Macro::on_Amend_clicked()
{
    if (RefusedWhileRecording())
        return;
    const int row = m_events.CurrentRow();
    if (row < 0)
        return;
    std::optional<MacroItem> value;
    if (m_events.At(row).IsDelay()) {
        AddDelayTime dialog;
        PlaceEditor(&dialog);
        ModalRun::Exec(&dialog);
        if (dialog.accepted)
            value = MacroItem::Delay(quint32(dialog.delayTime));
    } else {
        addKey dialog;
        PlaceEditor(&dialog);
        if (ModalRun::Exec(&dialog) == QDialog::Accepted && dialog.accepted)
            value = KeyItemFromName(dialog.keyName, m_events.At(row).release);
    }
    if (!value || !m_events.Amend(*value))
        return;
    ShowEvents();
    MarkEventsModified();
}

void Macro::on_DeleteKey_clicked()
{
    if (RefusedWhileRecording())
        return;
    if (!HasSelectedMacro())
        return;
    if (!m_events.DeleteSelected() && m_events.Count() >= 4)
        return;
    ShowEvents();
    MarkEventsModified();
}

void Macro::SlotChangeLanguage(int index)
{
    const auto setText = [](auto* widget) { return [widget](const QString& text) { widget->setText(text); }; };
    LabelFile::Keys keys = {
        {QStringLiteral("label"), setText(ui->label)},
        {QStringLiteral("label_2"), setText(ui->label_2)},
        {QStringLiteral("label_3"), setText(ui->label_3)},
        {QStringLiteral("NewHong"),
         [this](const QString& text) {
             ui->NewHong->setText(text);
             ui->NewHong->setToolTip(UserSettingStore::Instance()->LanguageIndex() == 5 ? text : QString());
         }},
        {QStringLiteral("DeleteHong"), setText(ui->DeleteHong)},
        {QStringLiteral("Amend"), setText(ui->Amend)},
        {QStringLiteral("DeleteKey"), setText(ui->DeleteKey)},
        {QStringLiteral("Save"), setText(ui->Save)},
        {QStringLiteral("StartRecord"), setText(ui->StartRecord)},
        {QStringLiteral("StopRecord"), setText(ui->StopRecord)},
        {QStringLiteral("DefaultDelay"), setText(ui->DefaultDelay)},
        {QStringLiteral("ReNumber"), setText(ui->ReNumber)},
        {QStringLiteral("AutoInsertDelay"), setText(ui->AutoInsertDelayLabel)},
        {QStringLiteral("ReUntilLoose"), setText(ui->ReUntilLooseLabel)},
        {QStringLiteral("ReUntilClick"), setText(ui->ReUntilClickLabel)},
        {QStringLiteral("ReUntil"), setText(ui->ReUntilLabel)},
        {QStringLiteral("MacroReal"), [this](const QString& text) { macroRealText = text; }},
        {QStringLiteral("FileFail"), [this](const QString& text) { m_fileFailText = text; }},
        {QStringLiteral("NameFail"), [this](const QString& text) { m_nameFailText = text; }},
        {QStringLiteral("ImportFail"), [this](const QString& text) { m_importFailText = text; }},
        {QStringLiteral("ExportFail"), [this](const QString& text) { m_exportFailText = text; }},
        {QStringLiteral("TooLarge"), [this](const QString& text) { m_tooLargeText = text; }},
    };
    for (int entry = ChoosePress; entry <= ChooseBack; ++entry) {
        keys.insert(QStringLiteral("ChooseEvent%1").arg(entry), [this, entry](const QString& text) {
            ui->ChooseEvent->setItemText(entry, text);
            if (entry >= ChooseLeft)
                g_mouseButtonNames[entry - ChooseLeft] = text;
        });
    }
    for (int key = 1; key <= 5; ++key)
        keys.insert(QStringLiteral("Key%1").arg(key),
                    [this, key](const QString& text) { contextMenuTexts[size_t(key - 1)] = text; });
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("Macro"), keys);
    // Mouse-button events show their names in the new language.
    ShowEvents();
}

void Macro::changeEvent(QEvent* event)
{
    if (event->type() != QEvent::LanguageChange) {
        QWidget::changeEvent(event);
        return;
    }
    // An installed translator would put the form's own texts back; the
    // controls keep their values.
    const int entry = ui->ChooseEvent->currentIndex();
    const int delay = ui->DelayTime->value();
    const int count = ui->NumberEdit->value();
    const QSignalBlocker blockMenu(ui->ChooseEvent);
    const QSignalBlocker blockDelay(ui->DelayTime);
    const QSignalBlocker blockCount(ui->NumberEdit);
    ui->retranslateUi(this);
    ui->ChooseEvent->setCurrentIndex(entry);
    ui->DelayTime->setValue(delay);
    ui->NumberEdit->setValue(count);
}

void Macro::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QWidget::keyPressEvent(event);
}

void Macro::mousePressEvent(QMouseEvent* event)
{
    const QPoint inFrame = ui->MacroPage->mapFrom(this, event->pos());
    if (ui->DelayTime->geometry().contains(inFrame) || ui->NumberEdit->geometry().contains(inFrame))
        return;
    ui->DelayTime->clearFocus();
    ui->NumberEdit->clearFocus();
    setFocus(Qt::OtherFocusReason);
}
