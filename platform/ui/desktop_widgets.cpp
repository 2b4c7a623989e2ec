#include "platform/ui/widgets.h"
#include "platform/vb/vb.h"
#include "platform/win/desktop.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace ui {

namespace {

class WidgetDesktop : public quindel2::Desktop {
public:
    void setWaitCursor(bool on) override {
        if (on)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    }

    // Centred over its parent or the screen.
    void prepareWindow(QWidget* formulario, int /*modo*/) override {
        if (!formulario || !formulario->isWindow())
            return;
        QRect area;
        if (QWidget* padre = formulario->parentWidget())
            area = padre->window()->frameGeometry();
        else if (QScreen* pantalla = formulario->screen())
            area = pantalla->availableGeometry();
        if (area.isValid())
            formulario->move(area.center() - formulario->rect().center());
    }

    // Centred on its screen.
    void setUpMainWindow(QWidget* ventana) override {
        if (!ventana)
            return;
        if (QScreen* pantalla = ventana->screen())
            ventana->move(pantalla->availableGeometry().center() - ventana->rect().center());
    }

    bool chooseDate(QString& fecha) override {
        QDialog dialogo(QApplication::activeWindow());
        dialogo.setWindowTitle(QStringLiteral("Fecha"));
        auto* calendario = new QCalendarWidget(&dialogo);
        const std::optional<QDateTime> actual = vb::ParseDate(fecha.trimmed());
        calendario->setSelectedDate(actual ? actual->date() : vb::Date());
        auto* botones =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialogo);
        auto* layout = new QVBoxLayout(&dialogo);
        layout->addWidget(calendario);
        layout->addWidget(botones);
        QObject::connect(botones, &QDialogButtonBox::accepted, &dialogo, &QDialog::accept);
        QObject::connect(botones, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
        QObject::connect(calendario, &QCalendarWidget::activated, &dialogo, &QDialog::accept);
        if (dialogo.exec() != QDialog::Accepted)
            return false;
        fecha = calendario->selectedDate().toString(QStringLiteral("dd/MM/yyyy"));
        return true;
    }

    QString chooseFileToOpen(const QString& title, const QString& filters) override {
        return QFileDialog::getOpenFileName(nullptr, title, QString(), filters);
    }

    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

} // namespace

void installWidgets() {
    installSpanish();
    installWindowsKeys();
    vb::setDefaultDialogResponder(widgetDialogs());
    quindel2::setDesktop(std::make_shared<WidgetDesktop>());
}

} // namespace ui
