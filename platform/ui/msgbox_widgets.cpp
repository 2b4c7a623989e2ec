#include "platform/ui/widgets.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace ui {

namespace {

using namespace vb;

QString boxTitle(const QString& title) {
    if (!title.isEmpty())
        return title;
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? AppExeName() : name;
}

// The buttons' underlined letters, as a Windows box underlines them: the
// letter alone answers (QMessageBox presses the button whose mnemonic it is).
struct ButtonSpec {
    QString text;
    QMessageBox::ButtonRole role;
};

ButtonSpec specOf(int code) {
    using R = QMessageBox::ButtonRole;
    switch (code) {
    case vbCancel:
        return {QStringLiteral("&Cancelar"), R::RejectRole};
    case vbAbort:
        return {QStringLiteral("&Anular"), R::DestructiveRole};
    case vbRetry:
        return {QStringLiteral("&Reintentar"), R::AcceptRole};
    case vbIgnore:
        return {QStringLiteral("&Omitir"), R::ActionRole};
    case vbYes:
        return {QStringLiteral("&Sí"), R::YesRole};
    case vbNo:
        return {QStringLiteral("&No"), R::NoRole};
    default:
        return {QStringLiteral("&Aceptar"), R::AcceptRole};
    }
}

// A box at least as wide as its title bar needs for the whole title: Qt
// counts the title in the box's font with little room for the frame's icon
// and buttons, and window managers draw it bold and larger.
// The window a box is raised over: the active one, or else the program's
// main window (the widest visible one); none before any is shown.
QWidget* ventanaDeLaCaja() {
    if (QWidget* activa = QApplication::activeWindow())
        return activa;
    QWidget* mayor = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() != Qt::Popup &&
            (!mayor || w->width() * w->height() > mayor->width() * mayor->height()))
            mayor = w;
    return mayor;
}

// Centred over its window (before there is one, on the screen), frame and
// all, once it has its final size.
void centraSobreSuVentana(QWidget& caja) {
    const QWidget* duenio = caja.parentWidget() ? caja.parentWidget()->window() : nullptr;
    QRect area;
    if (duenio)
        area = ui::outerGeometry(*duenio);
    else if (const QScreen* pantalla = caja.screen())
        area = pantalla->availableGeometry();
    if (!area.isValid())
        return;
    caja.move(caja.pos() + area.center() - ui::outerGeometry(caja).center());
    ui::fitToScreen(caja);
}

// Now, and again once the window manager has framed it: the frame it adds
// is known only then.
void centraAlMostrar(QWidget& caja) {
    centraSobreSuVentana(caja);
    QTimer::singleShot(0, &caja, [&caja] { centraSobreSuVentana(caja); });
}

class CajaEntrada : public QInputDialog {
public:
    explicit CajaEntrada(QWidget* parent) : QInputDialog(parent) {}

protected:
    void showEvent(QShowEvent* e) override {
        QInputDialog::showEvent(e);
        centraAlMostrar(*this);
    }
};

class CajaMensaje : public QMessageBox {
public:
    explicit CajaMensaje(QWidget* parent) : QMessageBox(parent) {}

protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);
        ensanchaParaTitulo();
        centraAlMostrar(*this);
    }
    bool event(QEvent* e) override {
        const bool hecho = QMessageBox::event(e);
        // Qt sizes the box again on these; the title's width goes on counting.
        if (e->type() == QEvent::LayoutRequest || e->type() == QEvent::FontChange ||
            e->type() == QEvent::StyleChange || e->type() == QEvent::WindowTitleChange)
            ensanchaParaTitulo();
        return hecho;
    }

private:
    void ensanchaParaTitulo() {
        int ancho = titleBarWidth(windowTitle());
        if (const QScreen* pantalla = screen())
            ancho = std::min(ancho, pantalla->availableGeometry().width());
        if (width() >= ancho)
            return;
        const int alto = layout() && layout()->hasHeightForWidth()
                             ? std::max(layout()->totalHeightForWidth(ancho), minimumHeight())
                             : height();
        setFixedSize(ancho, alto);
    }
};

// Real dialogs; without a widget application there is nobody to ask, so the
// prompt goes to standard error and the box takes its default answer.
class WidgetDialogs : public DialogResponder {
public:
    int messageBox(const QString& prompt, int buttons, const QString& title) override {
        const std::vector<int> choices = buttonCodes(buttons);
        const size_t defaultIndex = defaultButtonIndex(buttons);
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            std::fprintf(stderr, "%s\n", qPrintable(displayText(prompt)));
            return choices[defaultIndex];
        }
        CajaMensaje box(ventanaDeLaCaja());
        box.setWindowTitle(boxTitle(title));
        box.setText(displayText(prompt));
        box.setTextFormat(Qt::PlainText);
        switch (buttons & 0x70) {
        case vbCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case vbQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case vbExclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case vbInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
        }
        std::vector<QPushButton*> pushed;
        QPushButton* cancelButton = nullptr;
        for (const int code : choices) {
            const ButtonSpec s = specOf(code);
            QPushButton* b = box.addButton(s.text, s.role);
            pushed.push_back(b);
            if (code == vbCancel)
                cancelButton = b;
        }
        box.setDefaultButton(pushed[defaultIndex]);
        // Escape answers Cancel where there is one, OK on a lone OK box, and
        // nothing on Yes/No and Abort/Retry/Ignore boxes, as in the original.
        if (cancelButton)
            box.setEscapeButton(cancelButton);
        else if (choices.size() == 1)
            box.setEscapeButton(pushed.front());
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        for (size_t i = 0; i < pushed.size(); ++i)
            if (pushed[i] == clicked)
                return choices[i];
        return cancelButton ? vbCancel : choices[defaultIndex];
    }

    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            std::fprintf(stderr, "%s\n", qPrintable(displayText(prompt)));
            return defaultText;
        }
        CajaEntrada dialog(ventanaDeLaCaja());
        dialog.setWindowTitle(boxTitle(title));
        dialog.setLabelText(displayText(prompt));
        dialog.setTextValue(defaultText);
        dialog.setOkButtonText(QStringLiteral("&Aceptar"));
        dialog.setCancelButtonText(QStringLiteral("&Cancelar"));
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        return dialog.textValue();
    }
};

} // namespace

int titleBarWidth(const QString& title) {
    QFont fuente = QApplication::font("QMdiSubWindowTitleBar");
    fuente.setBold(true);
    if (fuente.pointSizeF() > 0)
        fuente.setPointSizeF(fuente.pointSizeF() * 1.2);
    return QFontMetrics(fuente).horizontalAdvance(title) + kTitleBarDecoration;
}

std::shared_ptr<vb::DialogResponder> widgetDialogs() {
    return std::make_shared<WidgetDialogs>();
}

} // namespace ui
