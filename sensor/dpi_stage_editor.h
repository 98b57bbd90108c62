// The common part of the two DPI stage editors, SensorDPI (stage buttons in a
// row, one slider) and SensorDPIB (a row per stage): the stage-count combo
// box, the title, the current stage and stage count the host sets, the
// online gate, and what a new stage count does on screen and in the mouse.
// Each editor keeps its own form and slots and shows the stages its own way.
#ifndef DPI_STAGE_EDITOR_H
#define DPI_STAGE_EDITOR_H

#include <QFrame>
#include <QString>

class QAbstractSlider;
class QComboBox;
class QLabel;

class DpiStageEditor : public QFrame {
    Q_OBJECT
public:
    // --- host operations ---
    bool BlockStageCountSignals(bool block); // returns the previous state
    void ClearStageCountItems();
    void InsertStageCountItem(int index, const QString& text);
    void SetStageCountIndex(int index);
    void SetCurrentStage(int stage);
    void SetStageCount(int count);
    void SetTitleText(const QString& text);
    // Shows stages 0 to lastStage and hides the others; a stage outside 0..7
    // does nothing.
    virtual void ShowStages(int lastStage) = 0;

    int CurrentStage() const { return currentStage; }
    int StageCountValue() const { return stageCount; }

protected:
    explicit DpiStageEditor(QWidget* parent);

    // Call once the form is set up: keeps and styles the title and the
    // stage-count combo box.
    void AttachCommonParts(QLabel* title, QComboBox* stageCountBox);

    // The gate of a stage selection: false, with the offline notice, when
    // sending is enabled and the mouse does not answer.
    static bool MaySelectStage();
    // A DPI value put on the segments of the model's range; the slider takes
    // the matching segment's step as its page step.
    static int SnapSliderValue(QAbstractSlider* slider, int value);

    // The body of the stage-count combo box's slot.
    void StageCountChosen(int index);
    // Stages `from` and `to` change places on screen (colour and DPI), and
    // `to` becomes the checked stage.
    virtual void ExchangeStagesOnScreen(int from, int to) = 0;

    QString imageDir;
    int currentStage = 1;
    int stageCount = 1;
    int previousStage = 0;

private:
    QLabel* m_title = nullptr;
    QComboBox* m_stageCountBox = nullptr;
};

#endif // DPI_STAGE_EDITOR_H
