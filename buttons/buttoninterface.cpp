#include "buttoninterface.h"
#include "ui_buttoninterface.h"

#include "app_state.h"
#include "config_store.h"
#include "debounce_time.h"
#include "devicelib.h"
#include "paths.h"
#include "post_msg.h"
#include "sensor_feature_file.h"
#include "user_setting_store.h"
#include "worker.h"

#include <QButtonGroup>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>

constexpr int Buttoninterface::kKeyVisitOrder[6];

namespace {

const QString kTransparent = QStringLiteral("background-color:transparent;border:none;");

// A colour text from the first three items of a list; missing items stay empty.
QString JoinColour(const QStringList& items)
{
    QStringList parts;
    for (int i = 0; i < 3; ++i)
        parts << items.value(i);
    return parts.join(QLatin1Char(','));
}

QString OptionColour(const QString& key)
{
    return JoinColour(ConfigStore::Instance()->ValueList(QStringLiteral("Option"), key));
}

} // namespace

Buttoninterface::Buttoninterface(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::Buttoninterface)
{
    ui->setupUi(this);

    ui->label_13->hide();
    ui->BackMusic->hide();
    ui->Number6->hide();

    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));
    connect(hub, SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));

    PictureDir = PictureFolder(QStringLiteral("Buttoninterface"));
    MainPageDir = QDir::homePath() + QStringLiteral("/AppData/Local/") + g_appName + QStringLiteral("//usersetting/MainPage");
    QDir().mkpath(MainPageDir);

    ApplyPictureTemplate();

    KeyButtonGroup = new QButtonGroup(this);
    TopItemGroup = new QButtonGroup(this);
    SubItemGroup = new QButtonGroup(this);
    MarkerGroup = new QButtonGroup(this);
    for (QButtonGroup* group : {KeyButtonGroup, TopItemGroup, SubItemGroup, MarkerGroup})
        group->setExclusive(true);
    InitButtonGroup();

    ButtonColorList = ConfigStore::Instance()->ValueList(QStringLiteral("Option"), QStringLiteral("ButtonColor"));
    ButtonColorText = JoinColour(ButtonColorList);

    CreateMacroButtons();

    ui->DPI_3->hide();
    ui->DPI_9->hide();

    ApplyStyleSheets();

    // The report and worker threads wait until the page has taken their data.
    connect(hub, SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(SlotUpDataButtonUIButton(FlashDataMap)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataConfigUI(int,int,bool)), this, SLOT(SlotUpDataConfigUI(int,int,bool)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this, SLOT(SlotUpDataButtonUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigAddMacroButton()), this, SLOT(SlotAddMacroButton()));
    connect(hub, SIGNAL(SigDeleteMacroButton(QString)), this, SLOT(SlotDeleteMacroButton(QString)));
    connect(hub, SIGNAL(SigUpDataMacro(QString,int)), this, SLOT(SlotUpDataMacro(QString,int)));
    connect(hub, SIGNAL(SigMacroRename(QString,QString)), this, SLOT(SlotMacroRename(QString,QString)));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetButton()), Qt::BlockingQueuedConnection);

    g_worker = new Worker(this);

    ui->stackedWidget->setCurrentWidget(ui->page);
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);

    for (int key = 0; key < kKeyCount; ++key)
        unfilledKeyTexts[key] = KeyButton(key)->text();
    profileListEnabledAsMade = ui->ProjectChoose->isEnabled();
    InitLanguage(1, UserSettingStore::Instance()->Value(QStringLiteral("Language"), QStringLiteral("Language")).toInt());

    ui->groupBox->setStyleSheet(QStringLiteral("#groupBox {border: 0;background-image: url(") + PictureDir +
                                QStringLiteral("TiltleBack.png);}"));
    ui->groupBox_4->setStyleSheet(QStringLiteral("#groupBox_4 {border: 0;}"));
    ui->groupBox_2->setStyleSheet(QStringLiteral("#groupBox_2 {border: 0;}"));
    // The selector's panel frame would draw a bare outline around its combo.
    ui->DebunceButton->setStyleSheet(QStringLiteral("QFrame{border:none;}"));
    for (QWidget* area : {static_cast<QWidget*>(ui->scrollArea_4), static_cast<QWidget*>(ui->scrollArea_3),
                          static_cast<QWidget*>(ui->scrollArea_7), static_cast<QWidget*>(ui->scrollArea_8),
                          static_cast<QWidget*>(ui->scrollArea_10), static_cast<QWidget*>(ui->scrollArea_6),
                          static_cast<QWidget*>(ui->scrollArea_9), static_cast<QWidget*>(ui->scrollArea_12)})
        area->setStyleSheet(QLatin1Char('#') + area->objectName() + QStringLiteral("{border: 0;}"));
}

Buttoninterface::~Buttoninterface()
{
    // A pass blocked in an emit to this page would wait for a page that is
    // going away: take the page off those signals, then end the pass, never
    // waiting without limit.
    DropBlockingConnections();
    if (Worker* worker = g_worker) {
        if (worker->Shutdown()) {
            g_worker = nullptr;
            delete worker;
        } else {
            // Deleting a running thread would take the process down, and the
            // process is ending anyway.
            qWarning() << "the connection pass did not end; left to the process exit";
        }
    }
    StopUsbChanged();
    delete ui;
}

void Buttoninterface::DropBlockingConnections()
{
    PostMsg* hub = PostMsg::GetInstance();
    disconnect(hub, SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(SlotUpDataButtonUIButton(FlashDataMap)));
    disconnect(hub, SIGNAL(SigUpDataConfigUI(int,int,bool)), this, SLOT(SlotUpDataConfigUI(int,int,bool)));
    disconnect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetButton()));
}

QToolButton* Buttoninterface::KeyButton(int key) const
{
    switch (key) {
    case 0: return ui->FireKey;
    case 1: return ui->RightKey;
    case 2: return ui->BackKey;
    case 3: return ui->TopMusic;
    case 4: return ui->StartPause;
    case 5: return ui->BackMusic;
    default: return nullptr;
    }
}

int Buttoninterface::SelectedKey() const
{
    for (int key : kKeyVisitOrder) {
        if (KeyButton(key)->isChecked())
            return key;
    }
    return -1;
}

void Buttoninterface::InitButtonGroup()
{
    for (QAbstractButton* button : {static_cast<QAbstractButton*>(ui->FireKey), static_cast<QAbstractButton*>(ui->RightKey),
                                    static_cast<QAbstractButton*>(ui->BackKey), static_cast<QAbstractButton*>(ui->StartPause),
                                    static_cast<QAbstractButton*>(ui->TopMusic), static_cast<QAbstractButton*>(ui->BackMusic)})
        KeyButtonGroup->addButton(button);

    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(ui->LeftKey_3), static_cast<QAbstractButton*>(ui->RightKey_3),
          static_cast<QAbstractButton*>(ui->MidKey), static_cast<QAbstractButton*>(ui->BackKey_2),
          static_cast<QAbstractButton*>(ui->ForWardKey), static_cast<QAbstractButton*>(ui->DPI_2),
          static_cast<QAbstractButton*>(ui->DPI_3), static_cast<QAbstractButton*>(ui->DPI_4),
          static_cast<QAbstractButton*>(ui->DPI_5), static_cast<QAbstractButton*>(ui->DPI_6),
          static_cast<QAbstractButton*>(ui->DPI_7), static_cast<QAbstractButton*>(ui->DPI_8),
          static_cast<QAbstractButton*>(ui->DPI_9), static_cast<QAbstractButton*>(ui->DPI_10),
          static_cast<QAbstractButton*>(ui->DPI_11), static_cast<QAbstractButton*>(ui->DPI_12),
          static_cast<QAbstractButton*>(ui->DPI_13)})
        TopItemGroup->addButton(button);

    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(ui->Player), static_cast<QAbstractButton*>(ui->StartPause_2),
          static_cast<QAbstractButton*>(ui->BackMusic_2), static_cast<QAbstractButton*>(ui->TopMusic_2),
          static_cast<QAbstractButton*>(ui->Mute), static_cast<QAbstractButton*>(ui->VolumeUp),
          static_cast<QAbstractButton*>(ui->VolumeDown), static_cast<QAbstractButton*>(ui->VolumeDown_3),
          static_cast<QAbstractButton*>(ui->VolumeDown_4), static_cast<QAbstractButton*>(ui->VolumeDown_5),
          static_cast<QAbstractButton*>(ui->VolumeDown_6), static_cast<QAbstractButton*>(ui->VolumeDown_7),
          static_cast<QAbstractButton*>(ui->VolumeDown_8), static_cast<QAbstractButton*>(ui->VolumeDown_9),
          static_cast<QAbstractButton*>(ui->VolumeDown_10), static_cast<QAbstractButton*>(ui->VolumeDown_11),
          static_cast<QAbstractButton*>(ui->VolumeDown_12), static_cast<QAbstractButton*>(ui->VolumeDown_13),
          static_cast<QAbstractButton*>(ui->VolumeUp_4), static_cast<QAbstractButton*>(ui->VolumeUp_5),
          static_cast<QAbstractButton*>(ui->VolumeUp_6), static_cast<QAbstractButton*>(ui->VolumeUp_7),
          static_cast<QAbstractButton*>(ui->VolumeUp_11), static_cast<QAbstractButton*>(ui->VolumeUp_12),
          static_cast<QAbstractButton*>(ui->VolumeUp_13), static_cast<QAbstractButton*>(ui->VolumeUp_15),
          static_cast<QAbstractButton*>(ui->VolumeUp_16), static_cast<QAbstractButton*>(ui->VolumeUp_18),
          static_cast<QAbstractButton*>(ui->VolumeUp_19), static_cast<QAbstractButton*>(ui->VolumeUp_20),
          static_cast<QAbstractButton*>(ui->VolumeUp_21), static_cast<QAbstractButton*>(ui->VolumeUp_22),
          static_cast<QAbstractButton*>(ui->VolumeUp_23), static_cast<QAbstractButton*>(ui->VolumeUp_24),
          static_cast<QAbstractButton*>(ui->VolumeDown_2), static_cast<QAbstractButton*>(ui->VolumeUp_2),
          static_cast<QAbstractButton*>(ui->VolumeUp_10), static_cast<QAbstractButton*>(ui->VolumeUp_8),
          static_cast<QAbstractButton*>(ui->VolumeUp_9), static_cast<QAbstractButton*>(ui->VolumeUp_14),
          static_cast<QAbstractButton*>(ui->VolumeDown_14)})
        SubItemGroup->addButton(button);

    for (QAbstractButton* button : {static_cast<QAbstractButton*>(ui->Number1), static_cast<QAbstractButton*>(ui->Number2),
                                    static_cast<QAbstractButton*>(ui->Number3), static_cast<QAbstractButton*>(ui->Number4),
                                    static_cast<QAbstractButton*>(ui->Number5), static_cast<QAbstractButton*>(ui->Number6)})
        MarkerGroup->addButton(button);
}

void Buttoninterface::ApplyPictureTemplate()
{
    ui->widget->setStyleSheet(QStringLiteral("#widget{border:0px;background-position:center;background-repeat:no-repeat;"
                                             "background-image: url(") +
                              PictureDir + QStringLiteral("mouse0.png);}"));
}

void Buttoninterface::ApplyStyleSheets()
{
    const QString& P = PictureDir;
    const QString& B = ButtonColorText;
    const QString subMenuPage = QStringLiteral("QToolButton{color: rgb(") + B + QStringLiteral(";);border-image: url(") + P +
                                QStringLiteral("CMenuTitle.png);}QToolButton:checked{color: rgb(") + B +
                                QStringLiteral(";);border-image: url(") + P + QStringLiteral("CMenuTitleChecked.png); }");
    const QPair<QWidget*, QWidget*> subMenus[] = {
        {ui->scrollAreaWidgetContents_3, ui->page_3},   {ui->scrollAreaWidgetContents_4, ui->page_9},
        {ui->scrollAreaWidgetContents_6, ui->page_4},   {ui->scrollAreaWidgetContents_8, ui->page_6},
        {ui->scrollAreaWidgetContents_9, ui->page_7},   {ui->scrollAreaWidgetContents_12, ui->page_10},
    };
    for (const auto& pair : subMenus) {
        pair.first->setStyleSheet(kTransparent);
        pair.second->setStyleSheet(subMenuPage);
    }
    ui->scrollAreaWidgetContents_11->setStyleSheet(
        QStringLiteral("#scrollAreaWidgetContents_11{background-color:transparent;border:none;}"
                       "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(") +
        B + QStringLiteral(";);background-image: url(") + P + QStringLiteral("AMenuTitle.png);}QToolButton:checked{background-image: url(") +
        P + QStringLiteral("AMenuTitleChecked.png); }QToolButton:unchecked{background-image: url(") + P +
        QStringLiteral("AMenuTitle.png); }QLabel{color: rgb(255, 255, 255);border:0px;background-position:center;"
                       "background-repeat:no-repeat;background-image: url(") +
        P + QStringLiteral("LabelNumber.png);}"));
    ui->scrollAreaWidgetContents_10->setStyleSheet(kTransparent);
    ui->page_8->setStyleSheet(subMenuPage);

    ui->scrollArea_11->setFrameShape(QFrame::NoFrame);
    ui->groupBox_4->setStyleSheet(QStringLiteral("QGroupBox{border:none;}"));
    ui->groupBox_2->setStyleSheet(QStringLiteral("QGroupBox{border:none;}"));

    const QString T = OptionColour(QStringLiteral("ComboxTextColor"));
    const QString S = OptionColour(QStringLiteral("ComboxSelectColor"));
    const QString G = OptionColour(QStringLiteral("ComboxBackGroundColor"));
    ui->ProjectChoose->setStyleSheet(
        QStringLiteral("QComboBox{border: 1px solid gray; color: rgb(") + T + QStringLiteral("); border-image: url(") + P +
        QStringLiteral("ComboboxBack.png);}QComboBox::drop-down:button{border-radius:5px; background:rgb(") + G +
        QStringLiteral(");} QComboBox::down-arrow{image: url(") + P +
        QStringLiteral("Menu.png); right: 8px; }QComboBox::down-arrow:on{ image: url(") + P +
        QStringLiteral("MenuClicked.png);}QComboBox QAbstractItemView::item{height:25px;}QComboBox QAbstractItemView "
                       "{outline: 0px solid gray; border: 1px  solid gray;color: rgb(") +
        T + QStringLiteral("); border-image: url(") + P + QStringLiteral("ComboboxTextBack.png);selection-background-color: rgb(") + S +
        QStringLiteral("); }QComboBox:disabled{color: rgb(0, 0, 0);}"));
    auto* popup = new QListView;
    popup->setStyleSheet(QStringLiteral("QListView::item:selected{background-color: rgb(") + S +
                         QStringLiteral(");}QListView::item:hover{background-color: rgb(") + S + QStringLiteral(");}"));
    ui->ProjectChoose->setView(popup);

    ReadDefineTable(AppFolder() + QStringLiteral("/driver_sensor.h"), &DefineNames, &DefineValues);

    ui->label_3->setStyleSheet(QStringLiteral("QLabel{color: rgb(") + OptionColour(QStringLiteral("LabelColor")) +
                               QStringLiteral(";);}"));

    const QString pageButton =
        QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(") + B +
        QStringLiteral(";);border-image: url(") + P + QStringLiteral("Reset.png);}QToolButton:hover{border-image: url(") + P +
        QStringLiteral("ResetHover.png); }QToolButton:pressed{border-image: url(") + P + QStringLiteral("ResetClick.png); }");
    for (QWidget* button : {static_cast<QWidget*>(ui->Reset), static_cast<QWidget*>(ui->ImportData),
                            static_cast<QWidget*>(ui->OutputData)})
        button->setStyleSheet(pageButton);

    const QString marker =
        QStringLiteral("QToolButton{color: rgb(255, 255, 255);border:0px;background-position:center;background-repeat:no-repeat;"
                       "background-image: url(") +
        P + QStringLiteral("NumberOrigin.png);}QToolButton:hover{background-image: url(") + P +
        QStringLiteral("NumberHover.png);}QToolButton:pressed{padding-left: 0px;background-image: url(") + P +
        QStringLiteral("NumberClick.png);}");
    for (QAbstractButton* button : MarkerGroup->buttons())
        button->setStyleSheet(marker);

    // The top items' rules, well-formed: the older templates carried stray
    // braces and a loose colour declaration, and a sheet that does not parse
    // is dropped whole, leaving the menu without its pictures.
    auto topItem = [&](const QString& normal, const QString& checked) {
        return QStringLiteral("QToolButton{border:0px;color: rgb(255,255,255);background-position:center;"
                              "background-repeat:no-repeat;background-image: url(") +
               P + normal + QStringLiteral(");}QToolButton:checked{color: rgb(255,255,255);background-image: url(") + P +
               checked + QStringLiteral(");}");
    };
    ui->LeftKey_3->setStyleSheet(topItem(QStringLiteral("BMenuTitle.png"), QStringLiteral("BMenuTitleChecked.png")));
    const QString topA = topItem(QStringLiteral("BMenuTitle.png"), QStringLiteral("BMenuTitleChecked.png"));
    for (QWidget* item : {static_cast<QWidget*>(ui->RightKey_3), static_cast<QWidget*>(ui->MidKey),
                          static_cast<QWidget*>(ui->BackKey_2), static_cast<QWidget*>(ui->ForWardKey),
                          static_cast<QWidget*>(ui->DPI_2), static_cast<QWidget*>(ui->DPI_3), static_cast<QWidget*>(ui->DPI_6),
                          static_cast<QWidget*>(ui->DPI_8), static_cast<QWidget*>(ui->DPI_5)})
        item->setStyleSheet(topA);
    const QString topB = topItem(QStringLiteral("BMenuTitleB.png"), QStringLiteral("BMenuTitleCheckedB.png"));
    for (QWidget* item : {static_cast<QWidget*>(ui->DPI_13), static_cast<QWidget*>(ui->DPI_11),
                          static_cast<QWidget*>(ui->DPI_10), static_cast<QWidget*>(ui->DPI_9), static_cast<QWidget*>(ui->DPI_7),
                          static_cast<QWidget*>(ui->DPI_12), static_cast<QWidget*>(ui->DPI_4)})
        item->setStyleSheet(topB);
    ui->label->setStyleSheet(QStringLiteral("#label{border:0px;color: rgb(255, 255, 255);background-position:center;"
                                            "background-repeat:no-repeat;background-image: url(") +
                             P + QStringLiteral("Config.png);}"));
}

void Buttoninterface::ReadDefineTable(const QString& path, QVector<QString>* names, QVector<int>* values)
{
    // The sensor page's reader: both pages take the same definitions from
    // any file; each keeps its own copy.
    SensorFeatureFile file;
    file.Read(path);
    *names += file.defineNames.toVector();
    *values += file.defineValues;
}

void Buttoninterface::CloseMenus()
{
    ui->stackedWidget->setCurrentWidget(ui->page);
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(QStringLiteral("QScrollBar {width:10px;}"));
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
}

void Buttoninterface::ReleaseKeys()
{
    KeyButtonGroup->setExclusive(false);
    for (QAbstractButton* button : KeyButtonGroup->buttons())
        button->setChecked(false);
    KeyButtonGroup->setExclusive(true);
    CloseMenus();
}

void Buttoninterface::UncheckMarkers()
{
    MarkerGroup->setExclusive(false);
    for (QAbstractButton* button : MarkerGroup->buttons())
        button->setChecked(false);
    MarkerGroup->setExclusive(true);
}

void Buttoninterface::changeEvent(QEvent* event)
{
    if (event->type() != QEvent::LanguageChange)
        return;
    const int profile = ui->ProjectChoose->currentIndex();
    ui->ProjectChoose->blockSignals(true);
    ui->retranslateUi(this);
    ui->ProjectChoose->setCurrentIndex(profile);
    ui->ProjectChoose->blockSignals(false);
}

void Buttoninterface::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Child geometries are compared as they are, relative to their own
    // parents, without mapping: a press on the background nearly always
    // releases the keys.
    const QPoint p = event->pos();
    const QPoint raised(p.x(), p.y() - 340);
    auto inside = [](QWidget* widget, const QPoint& point) { return widget->geometry().contains(point); };
    auto topOpen = [this] { return ui->stackedWidget->currentIndex() != 0; };
    auto subOpen = [this] { return ui->stackedWidget_2->currentIndex() != 4; };

    if (topOpen() && subOpen()) {
        if (!inside(ui->groupBox, p))
            CloseMenus();
    } else if (topOpen() && !subOpen()) {
        if (!inside(ui->scrollArea_11, p) && !inside(ui->stackedWidget, raised))
            CloseMenus();
    }

    if (!topOpen() && !subOpen()) {
        if (!inside(ui->scrollArea_11, p) || inside(ui->stackedWidget, raised))
            ReleaseKeys();
    } else if (topOpen() && !subOpen()) {
        if (!inside(ui->groupBox, p))
            ReleaseKeys();
    } else if (topOpen() && subOpen()) {
        if (!inside(ui->scrollArea_11, p) && !inside(ui->stackedWidget, p) && !inside(ui->stackedWidget_2, p))
            ReleaseKeys();
    }

    const bool onFirstMarkerOnly = inside(ui->Number1, p) && !inside(ui->Number2, p) && !inside(ui->Number3, p) &&
                                   !inside(ui->Number4, p) && !inside(ui->Number5, p) && !inside(ui->Number6, p);
    if (!onFirstMarkerOnly)
        UncheckMarkers();

    if (inside(ui->widget, p))
        ReleaseKeys();
}

void Buttoninterface::SlotMouseIndex(int index)
{
    Q_UNUSED(index) // every model shows the same picture
    ApplyPictureTemplate();
}

void Buttoninterface::ShowNoDevice()
{
    for (int key = 0; key < kKeyCount; ++key)
        KeyButton(key)->setText(unfilledKeyTexts[key]);
    ui->ProjectChoose->blockSignals(true);
    ui->ProjectChoose->clear();
    ui->ProjectChoose->blockSignals(false);
    ui->ProjectChoose->setEnabled(profileListEnabledAsMade);
    // A language change must not render the image of the device before.
    imageShown = false;
}

void Buttoninterface::SlotFormResetButton()
{
    g_buttonPageUpdating = true;
    // Opened after another device, nothing of that one stays (its macro's
    // name, its profile); the same device keeps them until its image comes.
    const QString device = CurrentDeviceCopy().path;
    if (device != shownDevicePath)
        ShowNoDevice();
    shownDevicePath = device;
    ApplyPictureTemplate();
    emit PostMsg::GetInstance()->SigMouseIndex(0);
    ui->stackedWidget->setCurrentWidget(ui->page);
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);

    // Left, right, middle, back and forward click, then DPI cycle.
    keyStore.Clear();
    const int types[] = {1, 1, 1, 1, 1, 2};
    const int firsts[] = {1, 2, 4, 8, 16, 1};
    for (int key = 0; key < kKeyCount; ++key)
        keyStore.Append(types[key], firsts[key], 0);

    ui->DebunceButton->BlockLevelSignals(true);
    ui->DebunceButton->SetLevel(4);
    ui->DebunceButton->BlockLevelSignals(false);

    emit PostMsg::GetInstance()->SigLightToFrom(60);
    g_buttonPageUpdating = false;
}

void Buttoninterface::on_stackedWidget_currentChanged(int index)
{
    if (index == 0)
        return;
    TopItemGroup->setExclusive(false);
    TopItemGroup->setExclusive(true);
}

void Buttoninterface::on_stackedWidget_2_currentChanged(int index)
{
    Q_UNUSED(index)
}
