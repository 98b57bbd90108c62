// The skeleton of the button page's and the macro page's notices: a
// frameless 300 x 140 window with a background frame holding a message, a
// close button in the top-right corner and, in most notices, an OK button.
// A notice is described by a Layout (names, geometries, order of the frame's
// children, default message, language section); both buttons close it, and
// so does Esc. Look and colours come from NoticeStyle.
#ifndef NOTICE_DIALOG_H
#define NOTICE_DIALOG_H

#include <QDialog>
#include <QRect>
#include <QString>

#include <vector>

class QFrame;
class QLabel;
class QToolButton;

class NoticeDialog : public QDialog {
    Q_OBJECT
public:
    enum Part { Message, Close, Ok };

    struct Layout {
        QString name;           // object name of the dialog (its class name)
        QString frameName;      // object name of the background frame
        QRect messageGeometry;
        QRect okGeometry;       // a null rectangle: the notice has no OK button
        std::vector<Part> childOrder; // creation, stacking and Tab order
        QString defaultMessage;
        QString section;        // language section
    };

    NoticeDialog(const Layout& layout, QWidget* parent);
    ~NoticeDialog() override;

    QLabel* Label() const { return m_label; }
    QToolButton* OkButton() const { return m_ok; }       // null without OK button
    QToolButton* CloseButton() const { return m_close; }

public slots:
    void SlotChangeLanguage(int index);

protected:
    // Called by OK (true) and the close button (false) before the notice closes.
    virtual void Answered(bool confirmed);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    QString m_section;
    QFrame* m_frame = nullptr;
    QLabel* m_label = nullptr;
    QToolButton* m_close = nullptr;
    QToolButton* m_ok = nullptr;
};

#endif // NOTICE_DIALOG_H
