#include "myprogressbar.h"

#include <QTimer>

MyProgressBar::MyProgressBar(QWidget* parent)
    : QProgressBar(parent)
    , m_stepTimer(new QTimer(this))
    , m_fillTimer(new QTimer(this))
{
    setOrientation(Qt::Horizontal);
    setRange(0, 100);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetProgressValue(0);
    connect(m_stepTimer, &QTimer::timeout, this, &MyProgressBar::StepTick);
    connect(m_fillTimer, &QTimer::timeout, this, &MyProgressBar::FillTick);
}

MyProgressBar::~MyProgressBar() = default;

void MyProgressBar::SetProgressValue(int newValue)
{
    setValue(newValue);
    const double span = maximum() - minimum();
    const double percent = span > 0 ? (value() - minimum()) * 100.0 / span : 0.0;
    setFormat(QStringLiteral("%1%").arg(QString::number(percent, 'f', 1)));
}

void MyProgressBar::BuildStages(int count)
{
    m_boundaries.append(0);
    if (count > 1) {
        const int step = 100 / count;
        for (int i = 0; i <= count - 2; ++i)
            m_boundaries.append(m_boundaries[i] + step);
    }
    m_boundaries.append(100);
}

void MyProgressBar::StartStages(int count, int interval)
{
    m_boundaries.clear();
    m_stage = 0;
    SetProgressValue(0);
    BuildStages(count);
    m_stepTimer->start(interval);
}

void MyProgressBar::mUpdate()
{
    if (m_stage + 1 >= m_boundaries.size())
        return;
    ++m_stage;
    m_fillTimer->start(5);
    if (m_boundaries[m_stage] == m_boundaries.last())
        m_stepTimer->stop();
}

void MyProgressBar::StepTick()
{
    if (m_stage + 1 < m_boundaries.size() && value() <= m_boundaries[m_stage + 1] - 2)
        SetProgressValue(value() + 1);
}

void MyProgressBar::FillTick()
{
    if (value() < m_boundaries[m_stage])
        SetProgressValue(value() + 1);
    else
        m_fillTimer->stop();
}
