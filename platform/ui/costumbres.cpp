// What the users expect of a window from the Windows program they come from,
// whatever the machine: Qt's own texts in Spanish, Enter pressing the focused
// command button, drop-down lists that open under their box, windows whole on
// the screen, and no warning about a missing runtime folder.

#include "platform/ui/widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTranslator>
#include <unistd.h>

namespace ui {

namespace {

// A drop-down list opens under its box, at most kFilasLista rows high,
// instead of over the whole screen as the default style places it. A
// focused button shows its focus however it got it, as on Windows: the
// default style marks it only after a Tab, not when the program moves the
// focus (Generar once the letter is accepted, a box's default button).
class ListasBajoCaja : public QProxyStyle {
    static bool conFoco(const QStyleOption* option, const QWidget* widget) {
        return (option->state & State_HasFocus) && qobject_cast<const QAbstractButton*>(widget);
    }

public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (const auto* foco = qstyleoption_cast<const QStyleOptionFocusRect*>(option);
            foco && conFoco(option, widget)) {
            QStyleOptionFocusRect marcada(*foco);
            marcada.state |= State_KeyboardFocusChange;
            QProxyStyle::drawPrimitive(element, &marcada, painter, widget);
        } else if (const auto* boton = qstyleoption_cast<const QStyleOptionButton*>(option);
                   boton && conFoco(option, widget)) {
            QStyleOptionButton marcado(*boton);
            marcado.state |= State_KeyboardFocusChange;
            QProxyStyle::drawPrimitive(element, &marcado, painter, widget);
        } else {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (const auto* boton = qstyleoption_cast<const QStyleOptionButton*>(option);
            boton && conFoco(option, widget)) {
            QStyleOptionButton marcado(*boton);
            marcado.state |= State_KeyboardFocusChange;
            QProxyStyle::drawControl(element, &marcado, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

constexpr int kFilasQt = 10;

class TeclasWindows : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Polish) {
            // Only lists still at Qt's own height (10 rows): a window may
            // choose another.
            if (auto* lista = qobject_cast<QComboBox*>(objeto);
                lista && lista->maxVisibleItems() == kFilasQt)
                lista->setMaxVisibleItems(kFilasLista);
            return false;
        }
        if (evento->type() == QEvent::Show) {
            if (auto* ventana = qobject_cast<QWidget*>(objeto);
                ventana && ventana->isWindow() &&
                (ventana->windowType() == Qt::Window || ventana->windowType() == Qt::Dialog))
                fitToScreen(*ventana);
            return false;
        }
        if (evento->type() != QEvent::KeyPress)
            return false;
        auto* boton = qobject_cast<QPushButton*>(objeto);
        if (!boton || !boton->isEnabled() || !boton->isVisible() || boton->isCheckable())
            return false;
        const auto* k = static_cast<QKeyEvent*>(evento);
        if ((k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) ||
            (k->modifiers() & ~Qt::KeypadModifier))
            return false;
        // Qt presses a button on Enter only in a dialog, and only some; the
        // focused command button takes it everywhere, once per key press.
        if (!k->isAutoRepeat())
            boton->click();
        return true;
    }
};

bool CarpetaPrivada(const QString& ruta) {
    const QFileInfo info(ruta);
    return info.isDir() && !info.isSymLink() && info.ownerId() == ::getuid() &&
           info.permissions() == (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                  QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

} // namespace

void ensureRuntimeDir() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    // One folder per user, as the desktop gives one; a temporary one of this
    // run when that name is taken by something else.
    const QString ruta =
        QDir::temp().filePath(QStringLiteral("quarzelo-runtime-%1").arg(::getuid()));
    QDir().mkpath(ruta);
    QFile::setPermissions(ruta, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    if (CarpetaPrivada(ruta)) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(ruta));
        return;
    }
    static QTemporaryDir propia(QDir::temp().filePath(QStringLiteral("quarzelo-runtime-XXXXXX")));
    if (propia.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(propia.path()));
}

void installSpanish() {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    auto* app = QCoreApplication::instance();
    if (!app)
        return;
    // Debian ships them apart (qt6-translations-l10n); without them Qt's own
    // texts stay in English and nothing else changes.
    auto* traduccion = new QTranslator(app);
    if (traduccion->load(QLocale(QLocale::Spanish, QLocale::Argentina), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traduccion);
    else
        delete traduccion;
}

void installWindowsKeys() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    if (!dynamic_cast<ListasBajoCaja*>(QApplication::style()))
        QApplication::setStyle(new ListasBajoCaja(QApplication::style()->name()));
    static TeclasWindows* filtro = nullptr;
    if (!filtro) {
        filtro = new TeclasWindows(app);
        app->installEventFilter(filtro);
    }
}

} // namespace ui
