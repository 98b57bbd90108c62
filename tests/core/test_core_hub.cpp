// The signal hub: its signal list, and the delivery rules the pages and the
// device threads rely on.
#include "post_msg.h"
#include "report_thread.h"

#include <QtTest>

#include <atomic>
#include <thread>

class Receiver : public QObject {
    Q_OBJECT
public:
    QStringList calls;
    QList<int> emitsDoneAtCall;
    QList<uint8_t> firstBytes;
    bool allOnMainThread = true;
    DeviceAllInfo selected;
    std::atomic<int>* emitsDone = nullptr;

    void note(const QString& name, const FlashDataMap* image = nullptr)
    {
        calls << name;
        emitsDoneAtCall << (emitsDone ? emitsDone->load() : -1);
        if (image)
            firstBytes << image->at(0);
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            allOnMainThread = false;
    }

public slots:
    void SlotButton(FlashDataMap map)
    {
        note("button", &map);
        map.at(0) = 0xEE; // the emitter's image must not change
    }
    void SlotLight(FlashDataMap map) { note("light", &map); }
    void SlotSensor(FlashDataMap map) { note("sensor", &map); }
    void SlotForm() { note("form"); }
    void SlotFormReset() { note("reset"); }
    void SlotSetver(int index) { note(QStringLiteral("setver %1").arg(index)); }
    void SlotSelectMouseInfo(DeviceAllInfo info)
    {
        note("select");
        selected = info;
    }
};

class TestCoreHub : public QObject {
    Q_OBJECT
private slots:
    void signalsInDeclarationOrder();
    void oneInstance();
    void blockingQueuedRunsEachSlotBeforeTheEmitterGoesOn();
    void blockingQueuedReachesEveryReceiver();
    void automaticFromWorkerIsQueued();
    void selectedRecordIsDeliveredAsCopy();
};

void TestCoreHub::signalsInDeclarationOrder()
{
    static const char* const expected[] = {
        "SigChangeMainDialog(int)", "SigChangeSize(int)", "SigUpDataConfigUI(int,int,bool)",
        "SigUpDataLightUIButton(FlashDataMap)", "SigUpDataLightLight(FlashDataMap)",
        "SigUpDataLightSensor(FlashDataMap)", "SigUpDataLightUIA(FlashDataMap)",
        "SigUpDataSensorUIB(FlashDataMap)", "SigUpDataButtonUIC(FlashDataMap)",
        "SigButtonToMacro(FlashDataMap,int)", "SigSelectMouseInfo(DeviceAllInfo)", "SigMouseOffLineo(int)",
        "SigMainPageChange()", "SigSecondPageChange()", "SigUpPageLight()", "SigAddMacroButton()",
        "SigDeleteMacroButton(QString)", "SigMacroDownLoadData(QString,int)", "SigUpDataMacro(QString,int)",
        "SigUpDataParam(int)", "SigUpDataReportRate(int)", "SigUpDataDPI(int)", "SigUpDataDPILed(FlashDataMap)",
        "SigTimerStop()", "SigButtonEnable(int)", "SigLabelText(int,QString)", "SigLabelTextB(QString,QString)",
        "SigCloseUpdate()", "SigProgress(int,int)", "SigBattery(bool,int,bool)", "SigAutoRepair(int)",
        "SigAutoRepairProgress(int)", "SigChangeLanguage(int)", "SigLanguageSameA(int)", "SigLanguageSameB(int)",
        "SigCloseOffOnline()", "SigSetMacroPage()", "SigStartRecord(int)", "SigUpDateButton(bool)",
        "SigMacroRename(QString,QString)", "SigSetver(int)", "SigCloseProgress()", "SigRGBValue(DongleRGB*)",
        "SigLongRangeMode(bool)", "SigForm()", "SigFormB()", "SigEnterKey()", "SigFormReset()",
        "SigHideModel(int)", "SigContinue(int)", "SigMouseIndex(int)", "SigUpdateStart()", "SigCheckUpdate()",
        "SigRepairCheckUpdate()", "SigSetNewVer()", "SigLightToFrom(int)"};
    const QMetaObject& meta = PostMsg::staticMetaObject;
    QCOMPARE(meta.methodCount() - meta.methodOffset(), int(std::size(expected)));
    QCOMPARE(int(std::size(expected)), 56);
    for (int i = 0; i < int(std::size(expected)); ++i) {
        const QMetaMethod method = meta.method(meta.methodOffset() + i);
        QCOMPARE(method.methodType(), QMetaMethod::Signal);
        QCOMPARE(method.methodSignature(), QByteArray(expected[i]));
    }
}

void TestCoreHub::oneInstance()
{
    PostMsg* hub = PostMsg::GetInstance();
    QVERIFY(hub);
    QCOMPARE(PostMsg::GetInstance(), hub);
    QVERIFY(!hub->parent());
    QCOMPARE(hub->thread(), QCoreApplication::instance()->thread());
}

// The report thread emits a dump's three image signals and SigForm. Each
// slot runs on the user-interface thread while the emitter still waits in
// that emit, and sees the image as it was at the emit.
void TestCoreHub::blockingQueuedRunsEachSlotBeforeTheEmitterGoesOn()
{
    PostMsg* hub = PostMsg::GetInstance();
    std::atomic<int> emitsDone{0};
    Receiver receiver;
    receiver.emitsDone = &emitsDone;
    const auto bq = Qt::BlockingQueuedConnection;
    QVERIFY(connect(hub, SIGNAL(SigUpDataLightUIButton(FlashDataMap)), &receiver,
                    SLOT(SlotButton(FlashDataMap)), bq));
    QVERIFY(connect(hub, SIGNAL(SigUpDataLightLight(FlashDataMap)), &receiver, SLOT(SlotLight(FlashDataMap)), bq));
    QVERIFY(connect(hub, SIGNAL(SigUpDataLightSensor(FlashDataMap)), &receiver,
                    SLOT(SlotSensor(FlashDataMap)), bq));
    QVERIFY(connect(hub, SIGNAL(SigForm()), &receiver, SLOT(SlotForm()), bq));

    uint8_t seenByEmitter = 0;
    QVERIFY(EmitFromReportThread([&] {
        FlashDataMap image;
        image.at(0) = 1;
        emit hub->SigUpDataLightUIButton(image);
        seenByEmitter = image.at(0);
        ++emitsDone;
        image.at(0) = 2;
        emit hub->SigUpDataLightLight(image);
        ++emitsDone;
        image.at(0) = 3;
        emit hub->SigUpDataLightSensor(image);
        ++emitsDone;
        emit hub->SigForm();
        ++emitsDone;
    }));

    QCOMPARE(receiver.calls, (QStringList{"button", "light", "sensor", "form"}));
    QCOMPARE(receiver.emitsDoneAtCall, (QList<int>{0, 1, 2, 3}));
    QCOMPARE(receiver.firstBytes, (QList<uint8_t>{1, 2, 3}));
    QVERIFY(receiver.allOnMainThread);
    QCOMPARE(int(seenByEmitter), 1);
}

void TestCoreHub::blockingQueuedReachesEveryReceiver()
{
    PostMsg* hub = PostMsg::GetInstance();
    std::atomic<int> emitsDone{0};
    Receiver sensor, buttons, settings;
    for (Receiver* r : {&sensor, &buttons, &settings}) {
        r->emitsDone = &emitsDone;
        QVERIFY(connect(hub, SIGNAL(SigFormReset()), r, SLOT(SlotFormReset()), Qt::BlockingQueuedConnection));
    }
    int seenAfterEmit = 0;
    QVERIFY(EmitFromReportThread([&] {
        emit hub->SigFormReset();
        seenAfterEmit = sensor.calls.size() + buttons.calls.size() + settings.calls.size();
        ++emitsDone;
    }));
    QCOMPARE(seenAfterEmit, 3);
    for (Receiver* r : {&sensor, &buttons, &settings})
        QCOMPARE(r->emitsDoneAtCall, QList<int>{0});
}

// An automatic connection from another thread queues the call: the emitter
// finishes even though the user-interface thread runs no event loop meanwhile.
void TestCoreHub::automaticFromWorkerIsQueued()
{
    PostMsg* hub = PostMsg::GetInstance();
    Receiver receiver;
    QVERIFY(connect(hub, SIGNAL(SigSetver(int)), &receiver, SLOT(SlotSetver(int))));
    std::thread worker([hub] { emit hub->SigSetver(0); });
    worker.join();
    QVERIFY(receiver.calls.isEmpty());
    QCoreApplication::sendPostedEvents(&receiver);
    QCOMPARE(receiver.calls, QStringList{"setver 0"});
    QVERIFY(receiver.allOnMainThread);
}

void TestCoreHub::selectedRecordIsDeliveredAsCopy()
{
    PostMsg* hub = PostMsg::GetInstance();
    Receiver receiver;
    QVERIFY(connect(hub, SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), &receiver,
                    SLOT(SlotSelectMouseInfo(DeviceAllInfo))));
    DeviceAllInfo chosen;
    chosen.path = QStringLiteral("sim://receiver/4k");
    chosen.receiverAddress = {1, 2, 3};
    chosen.modelIndex = 2;
    emit hub->SigSelectMouseInfo(chosen);
    chosen.path.clear();
    chosen.receiverAddress[1] = 9;
    chosen.modelIndex = 0;

    QCOMPARE(receiver.calls, QStringList{"select"});
    QCOMPARE(receiver.selected.path, QStringLiteral("sim://receiver/4k"));
    QCOMPARE(receiver.selected.receiverAddress, (QList<uint8_t>{1, 2, 3}));
    QCOMPARE(receiver.selected.modelIndex, 2);
}

QTEST_GUILESS_MAIN(TestCoreHub)
#include "test_core_hub.moc"
