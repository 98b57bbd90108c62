// Tells the user that the mouse is offline (or did not answer in time). Closes
// by itself once the online check finds the mouse again.
#ifndef MOUSE_OFF_LINE_H
#define MOUSE_OFF_LINE_H

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class MouseOffLine;
}

class MouseOffLine : public QDialog {
    Q_OBJECT
public:
    explicit MouseOffLine(QWidget* parent = nullptr);
    ~MouseOffLine() override;

    // True while a MouseOffLine exists. Every failed send raises the offline
    // signal, also while a notice is already up in its modal loop; openers
    // ask this first so that one notice at a time is shown:
    //     if (MouseOffLine::IsOpen()) return;
    //     MouseOffLine notice; ...; notice.exec();
    static bool IsOpen();

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    std::unique_ptr<Ui::MouseOffLine> ui;
    QString m_pictureFolder;
    static int s_openCount;
};

#endif // MOUSE_OFF_LINE_H
