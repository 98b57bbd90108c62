// The pairing dialog: pairs a mouse in pairing mode with a receiver. It
// switches the device connection to its own report callback, asks the
// receiver to pair with a mouse of the catalogue's customer id, polls the
// pairing status every second and shows success or failure on its button.
//
// Openers create it on the stack without parent, call InitPair, centre it on
// themselves and run it modally. However it ends (its close button, Escape,
// deletion), its timers stop, a pairing request in progress is dropped and a
// device selection it suspended is given back.
#ifndef MATCH_H
#define MATCH_H

#include <QDialog>
#include <QString>

#include <atomic>
#include <memory>

class QTimer;

namespace Ui {
class Match;
}

// Pairing state shared with the library's report callback, which has no
// context argument (one pairing at a time).
enum PairState { PairIdle = 0, PairRequested = 1, PairDone = 2, PairFailed = 3 };
extern std::atomic<int> g_pairState;
// A pairing request is out and the status poll runs.
extern std::atomic<bool> g_pairingActive;
// g_deviceSelected was 1 when the pairing started and is 0 until it ends.
extern std::atomic<bool> g_pairSelectionSuspended;
// The timers of the dialog that is open (null when none is).
extern QTimer* g_pairUsbTimer;
extern QTimer* g_pairPollTimer;
extern QTimer* g_pairTextTimer;
extern int g_pairTextStep;          // 0..4, the dots of the waiting text
extern QString g_pairImageFolder;   // <program>/Picture/Setting/
extern QString g_pairButtonColor;   // Option/ButtonColor as "r,g,b"

// The report callback handed to the library while pairing runs (library
// thread); it reaches the dialog through the hub only.
void PairReportCallback(const unsigned char* header, int headerLength, const unsigned char* payload,
                        int payloadLength);

class QPoint;
class QWidget;

// Runs a pairing dialog centred on `opener` (moved by `shift`) and, once it
// is closed, gives the connection its report callback back; while a device
// window is shown (devicePage) hot plug goes back to the device page, which
// the dialog handed to the home page.
void RunPairingDialog(const QWidget* opener, const QPoint& shift, bool devicePage);

class Match : public QDialog {
    Q_OBJECT
public:
    explicit Match(QWidget* parent = nullptr);
    ~Match() override;

    // Prepares a run: the receiver to pair through is the selected device,
    // else the repair target, else the first listed device. Every opener
    // calls it once before exec().
    void InitPair();
    // Sends the pairing request (opening the connection with
    // PairReportCallback first when no request is out).
    void EnterPair();

    // False until the USB-state timer has found a receiver to pair through.
    bool CanPair() const { return m_canPair; }

    // Asked once per dialog: with a compositing manager the corners are
    // translucent, without one the window takes the background's rounded
    // shape. Tests replace it.
    static bool (*CompositingRunning)();

public slots:
    // The close button: refused while a request is out; otherwise gives the
    // home page its hot-plug callback back and closes.
    void WindowClosedSet();
    void onUSBTimeupDestroy();
    void onPairTimeupDestroy();
    void onTextTimeupDestroy();
    void SlotStopTimer();
    void SlotButtonenable(int index);
    void SlotChangeLanguage(int index);

private slots:
    void on_MatchButton_clicked();

public:
    // Every way out (close, Escape, accept) passes here.
    void done(int result) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void SetButtonPicture(const QString& picture, const QString& textColor);
    // The window shaped like its background picture, painted opaque.
    void UseOpaqueRoundedShape();
    // Stops the timers, drops the request and gives back a suspended
    // selection.
    void EndPairing();

    std::unique_ptr<Ui::Match> ui;
    bool m_canPair = false;
    QString m_constructionPath;
    unsigned char m_pairingId = 0;
    bool m_hasTarget = false;
    QString m_targetPath;
    QString m_targetVid;
    QString m_targetPid;
    bool m_targetWired = false;
    QString m_idleText;
    QString m_pairingText;
    QString m_failureText;
    QString m_successText;
    QTimer* m_usbTimer = nullptr;
    QTimer* m_pollTimer = nullptr;
    QTimer* m_textTimer = nullptr;
};

#endif // MATCH_H
