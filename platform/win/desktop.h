#pragma once
// What the code below the windows asks of the desktop: the wait cursor,
// placing windows, the date and file choosers and opening a document with its
// program. These need widgets, so platform/ui puts the real desktop in place
// at program start; until then the cursor and the windows stay as they are,
// the choosers cancel and nothing opens.

#include <QString>
#include <memory>

class QUrl;
class QWidget;

namespace quindel2 {

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void setWaitCursor(bool on) = 0;
    // ClsUtilidades::PreparaFormulario and ClsEntorno::ConfiguraVentanaPrincipal.
    virtual void prepareWindow(QWidget* window, int mode) = 0;
    virtual void setUpMainWindow(QWidget* window) = 0;
    // The chosen date left in `date` as "dd/mm/yyyy"; false when cancelled.
    virtual bool chooseDate(QString& date) = 0;
    // A file to open, "" when cancelled; `filters` in Qt's form
    // ("Description (*.ext);;...").
    virtual QString chooseFileToOpen(const QString& title, const QString& filters) = 0;
    virtual bool openUrl(const QUrl& url) = 0;
};

// Installs the desktop; nullptr restores the one that does nothing.
void setDesktop(std::shared_ptr<Desktop> d);
Desktop& desktop();

} // namespace quindel2
