#pragma once
// The machine and the session the program runs in.

#include <QString>
#include <QVariant>

class QWidget;

class ClsEntorno {
public:
    // Host name of the machine.
    static QString NombrePC();
    // Log-on name of the user (USER, else the password database).
    static QString UsuarioWindows();
    // A system folder that is always there: the temporary folder.
    static QString CarpetaSistema();
    // Common set-up of a main window: centred on its screen.
    static void ConfiguraVentanaPrincipal(QWidget* ventana);
    // Opens a document or an address with the program the desktop associates
    // with it. `archivo` may be a path ("\" allowed; relative to `carpeta`
    // when given; one pair of enclosing double quotes is dropped) or an
    // address. The handle, verb, parameters, window style and last value are
    // accepted for the call's shape. False when nothing could open it.
    static bool EjecutaDocumento(long& hwnd, const QString& verbo, const QString& archivo,
                                 const QString& parametros, const QString& carpeta,
                                 int estiloVentana, const QVariant& extra = QVariant());
};
