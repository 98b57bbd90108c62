// The pictures a widget's looks depend on, for tests that check every one of
// them is shipped.
#ifndef STYLE_PICTURES_H
#define STYLE_PICTURES_H

#include <QAbstractItemView>
#include <QComboBox>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

// Every picture path named by url(...) in the style sheets of `root`, its
// children and the lists of its combo boxes, in order, repeats included.
inline QStringList PicturesNamed(QWidget* root)
{
    QStringList sheets = {root->styleSheet()};
    for (QWidget* child : root->findChildren<QWidget*>())
        sheets << child->styleSheet();
    for (QComboBox* combo : root->findChildren<QComboBox*>())
        sheets << combo->view()->styleSheet();
    QStringList pictures;
    const QRegularExpression url(QStringLiteral("url\\(([^)]+)\\)"));
    for (const QString& sheet : qAsConst(sheets)) {
        auto matches = url.globalMatch(sheet);
        while (matches.hasNext())
            pictures << matches.next().captured(1).remove(QLatin1Char('"')).trimmed();
    }
    return pictures;
}

#endif // STYLE_PICTURES_H
