#pragma once
// Status bar of the common controls: a row of text panels, each found by its
// key (letter case ignored, as the control's collection does).

#include <QStatusBar>
#include <QString>

class QLabel;

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    // Appends a panel with an empty text; one with a Stretch above 0 takes
    // the width the others leave.
    QLabel* AddPanel(const QString& Key, int Stretch = 0);
    // The panel of a key; nullptr when the bar has none.
    QLabel* Panel(const QString& Key) const;
};
