// A progress bar for a job of several stages: while a stage runs the bar
// creeps forward one percent per interval and waits just below the stage's
// end; each mUpdate() (one per finished stage) fills it quickly to that end.
#ifndef MYPROGRESSBAR_H
#define MYPROGRESSBAR_H

#include <QProgressBar>
#include <QVector>

class QTimer;

class MyProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit MyProgressBar(QWidget* parent = nullptr);
    ~MyProgressBar() override;

    // Restarts from 0 with `count` stages, creeping every `interval` ms.
    void StartStages(int count, int interval);
    // Sets the value and shows it as a percentage with one decimal ("37.0%").
    void SetProgressValue(int newValue);
    // Appends the stage boundaries in percent: 3 gives 0, 33, 66, 100.
    void BuildStages(int count);

    const QVector<int>& Boundaries() const { return m_boundaries; }
    int CurrentStage() const { return m_stage; }

public slots:
    void mUpdate();

private:
    void StepTick();
    void FillTick();

    QVector<int> m_boundaries;
    int m_stage = 0;
    QTimer* m_stepTimer;
    QTimer* m_fillTimer;
};

#endif // MYPROGRESSBAR_H
