// The macro page (stack page 2 of the device window): the user's macros on
// the left, one macro file each; the events of the selected macro in the
// middle; recording, delay mode, repeat mode, the insert menu and Save on
// the right. It tells the button page through the hub when a macro was
// renamed, deleted or saved, and answers its requests to send a macro to the
// mouse or to rebuild one read back from it.
#ifndef MACRO_H
#define MACRO_H

#include "flash_data_map.h"
#include "keyboard_hook.h"
#include "macro_event_list.h"
#include "macro_recorder.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

class QButtonGroup;
class QIcon;
class QListWidgetItem;
class QModelIndex;

namespace Ui {
class Macro;
}

class Macro : public QWidget {
    Q_OBJECT
public:
    explicit Macro(QWidget* parent = nullptr);
    ~Macro() override;

    // The events shown.
    const MacroEventList& Events() const { return m_events; }

    // The selected macro as shown (unsaved edits included) to an exchange
    // file, replaced as a whole; false without a selected macro, and with a
    // notice when the file cannot be written (an existing one stays as it was).
    bool ExportSelectedMacro(const QString& path);
    // A new macro from an exchange file: list entry, file and events. False,
    // with nothing created, for a damaged or too large file, or a name that is
    // unusable or taken (listed, or its file exists); the user is told.
    bool ImportMacro(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

public slots:
    void SlotButtonToMacro(FlashDataMap DataMap, int KeyNumer);
    void SlotMacroDownLoadData(QString MacroName, int index);
    void SlotSetMacroPage();
    void SlotChangeLanguage(int index);

private slots:
    void on_NewHong_clicked();
    void on_DeleteHong_clicked();
    void on_Amend_clicked();
    void on_ChooseEvent_activated(int index);
    void on_DeleteKey_clicked();
    void on_StartRecord_clicked();
    void on_StopRecord_clicked();
    void on_Save_clicked();
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu);
    void on_NumberEdit_valueChanged(int value);
    void on_listWidgetHong_clicked(const QModelIndex& index);
    void on_listWidgetHong_customContextMenuRequested(const QPoint& pos);
    void ExPortMacro();
    void RenameMacro();
    void DeleteMacro();
    void CreateMewMacro();
    void InPortMacro();

private:
    void ApplyStyles();
    QString ActiveButtonStyle() const;
    void ActivateSave();
    void DeactivateSave();
    void MarkRepeatModified();
    void MarkEventsModified();
    // Save again for the selected macro when a save of it was refused.
    void RestoreUnsentSave();

    // The selected macro's name; empty when none is selected.
    QString SelectedName() const;
    bool HasSelectedMacro() const;
    bool IsListed(const QString& name) const;
    // Listed, or a file of that name exists in the macro folder.
    bool IsNameTaken(const QString& name) const;
    // A name that cannot be a macro's name or is taken: the user is told
    // (the refused-name or the same-name notice, the latter moved down by
    // sameNoticeDrop), true.
    bool NameRefused(const QString& name, int sameNoticeDrop = 0);
    // The name dialog for a new macro or a rename: the name entered, or
    // empty when it was cancelled, is listed already or cannot be a file
    // name (the user has been told).
    QString AskMacroName(bool rename);
    QString FilePathOf(const QString& name) const;

    // Loads the selected macro's file into the repeat controls and the
    // events, without counting as an edit; clears the events when no macro
    // is selected. A file too large to be a macro shows no events and a
    // notice; it stays selected, so that it can be renamed or deleted.
    void LoadSelectedMacro();
    // The repeat code the controls show.
    int RepeatCode() const;
    void ShowRepeatCode(int code);
    // Rebuilds the event list widget from m_events.
    void ShowEvents();
    QIcon ItemIcon(const MacroItem& item) const;
    // Back to idle after a recording: hook removed, widgets restored, the
    // keyboard given back, a wait after the last key dropped.
    void EndRecording();

    // Refusal while a recording runs: the please-stop notice, true.
    bool RefusedWhileRecording();
    // Where the page puts its dialogs: centred on the page, then moved up
    // and to the left, notices and name dialog further than the editors.
    void PlaceNotice(QWidget* dialog) const;
    void PlaceEditor(QWidget* dialog) const;
    void ShowFileFailure(const QString& text);

    std::unique_ptr<Ui::Macro> ui;
    QString macroDir;
    QString currentMacroFile;
    KeyboardHook recordHook{KeyboardHook::Recording};
    // From Start until Stop (or leaving) every key belongs to the recording:
    // no widget acts on one, and the page itself holds the focus, so that
    // disabling or hiding the focused control does not hand it on to a
    // button. At the end the focus goes back where it was, unless the user
    // has moved it meanwhile.
    WidgetKeyBlock m_recordingKeyBlock;
    QPointer<QWidget> m_focusBeforeRecording;
    QButtonGroup* delayModeGroup = nullptr;
    QButtonGroup* repeatModeGroup = nullptr;
    QString buttonColor;
    QString pictureDir;
    bool eventsModified = false;
    bool repeatModified = false;
    // An edit made while a save is on its way to the mouse: Save is offered
    // once the save has ended.
    bool m_offerSaveAfter = false;
    // Macros whose last save the mouse refused (it was on another profile or
    // device by then, or did not answer), with what that save changed: their
    // files keep what was saved, the mouse does not rewrite them, and the
    // next Save sends it.
    enum { UnsentEvents = 1, UnsentRepeat = 2 };
    QHash<QString, int> m_unsentSaves;
    std::array<QString, 5> contextMenuTexts;
    QString macroRealText;
    QString m_fileFailText;
    QString m_nameFailText;
    QString m_importFailText;
    QString m_exportFailText;
    QString m_tooLargeText;
    // The shown macro's file when it was refused as too large ("" otherwise).
    QString m_refusedFile;
    MacroEventList m_events;
    MacroRecorder m_recorder;
};

#endif // MACRO_H
