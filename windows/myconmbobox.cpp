#include "myconmbobox.h"

#include <QListView>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

MyConmboBox::MyConmboBox(QWidget* parent)
    : QComboBox(parent)
{
}

MyConmboBox::~MyConmboBox() = default;

void MyConmboBox::mousePressEvent(QMouseEvent* event)
{
    pressedIndex = currentIndex();
    QComboBox::mousePressEvent(event);
}

void MyConmboBox::SetRowHidden(int row, bool hidden)
{
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setRowHidden(row, hidden);
    if (auto* items = qobject_cast<QStandardItemModel*>(model())) {
        if (QStandardItem* item = items->item(row))
            item->setEnabled(!hidden);
    }
}

void MyConmboBox::paintEvent(QPaintEvent*)
{
    QStyleOptionComboBox comboOption;
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Text));
        initStyleOption(&comboOption);
        style()->drawComplexControl(QStyle::CC_ComboBox, &comboOption, &painter, this);
        if (isEditable()) {
            style()->drawControl(QStyle::CE_ComboBoxLabel, &comboOption, &painter, this);
            return;
        }
    }

    // Draw the current item the way a push button draws its label: centred.
    QStyleOptionButton label;
    label.initFrom(this);
    label.rect = style()->subControlRect(QStyle::CC_ComboBox, &comboOption, QStyle::SC_ComboBoxEditField, this);
    label.text = comboOption.currentText;
    label.icon = comboOption.currentIcon;
    label.iconSize = comboOption.iconSize;
    QPainter painter(this);
    style()->drawControl(QStyle::CE_PushButtonLabel, &label, &painter, this);
}
