#pragma once
// Read-only sheet of a query result.

#include <QString>

class QWidget;

class ClsPlanilla {
public:
    // Runs the query on its own connection and shows its rows in a window of
    // its own with the given title (not modal; it deletes itself when
    // closed). A failing query goes to the operator error box: Retry runs it
    // again, any other answer shows nothing. Returns the window, or nullptr.
    static QWidget* MuestraPlanilla(const QString& sql, const QString& connString,
                                    const QString& titulo);
};
