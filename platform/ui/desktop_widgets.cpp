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

// The window's frame centred on the area.
void centra(QWidget& ventana, const QRect& area) {
    ventana.move(ventana.pos() + area.center() - outerGeometry(ventana).center());
}

class WidgetDesktop : public quindel2::Desktop {
public:
    void setWaitCursor(bool on) override {
        if (on)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    }

    // Centred over its parent or the screen, whole on the screen.
    void prepareWindow(QWidget* formulario, int /*modo*/) override {
        if (!formulario || !formulario->isWindow())
            return;
        fitToScreen(*formulario);
        QRect area;
        if (QWidget* padre = formulario->parentWidget())
            area = padre->window()->frameGeometry();
        else if (QScreen* pantalla = formulario->screen())
            area = pantalla->availableGeometry();
        if (area.isValid())
            centra(*formulario, area);
        fitToScreen(*formulario);
    }

    // Centred on its screen, whole.
    void setUpMainWindow(QWidget* ventana) override {
        if (!ventana)
            return;
        fitToScreen(*ventana);
        if (QScreen* pantalla = ventana->screen())
            centra(*ventana, pantalla->availableGeometry());
        fitToScreen(*ventana);
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

void fitToScreen(QWidget& window, const QRect& area) {
    if (!window.isWindow() || !area.isValid() ||
        (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QRect marco = outerGeometry(window);
    const QRect dentro = window.geometry();
    const QMargins bordes(dentro.left() - marco.left(), dentro.top() - marco.top(),
                          marco.right() - dentro.right(), marco.bottom() - dentro.bottom());
    const QSize cabe = area.size().shrunkBy(bordes);
    if (window.width() > cabe.width() || window.height() > cabe.height())
        window.resize(window.size().boundedTo(cabe));
    // Moved back inside, the left and top edges first when it is still wider.
    const QRect ahora = outerGeometry(window);
    QPoint corre;
    if (ahora.right() > area.right())
        corre.rx() = area.right() - ahora.right();
    if (ahora.left() + corre.x() < area.left())
        corre.rx() = area.left() - ahora.left();
    if (ahora.bottom() > area.bottom())
        corre.ry() = area.bottom() - ahora.bottom();
    if (ahora.top() + corre.y() < area.top())
        corre.ry() = area.top() - ahora.top();
    if (!corre.isNull())
        window.move(window.pos() + corre);
}

QRect outerGeometry(const QWidget& window) {
    const QRect marco = window.frameGeometry();
    if (marco != window.geometry())
        return marco;
    const QRect dentro = window.geometry();
    // Not yet shown, its position is where the frame will start, as move()
    // places a window's frame; shown without one, the frame goes around it.
    if (!window.isVisible())
        return QRect(dentro.topLeft(), dentro.size().grownBy(kAssumedFrame));
    return dentro.marginsAdded(kAssumedFrame);
}

void fitToScreen(QWidget& window) {
    if (const QScreen* pantalla = window.screen())
        fitToScreen(window, pantalla->availableGeometry());
}

void installWidgets() {
    installSpanish();
    installWindowsKeys();
    vb::setDefaultDialogResponder(widgetDialogs());
    quindel2::setDesktop(std::make_shared<WidgetDesktop>());
}

} // namespace ui
