#include "platform/win/clsentorno.h"

#include "platform/win/desktop.h"
#include "platform/win/quindel2.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QUrl>
#include <pwd.h>
#include <unistd.h>

QString ClsEntorno::NombrePC() {
    return QSysInfo::machineHostName();
}

QString ClsEntorno::UsuarioWindows() {
    const QString usuario = qEnvironmentVariable("USER");
    if (!usuario.isEmpty())
        return usuario;
    if (const passwd* pw = getpwuid(getuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString();
}

QString ClsEntorno::CarpetaSistema() {
    return QDir::tempPath();
}

void ClsEntorno::ConfiguraVentanaPrincipal(QWidget* ventana) {
    quindel2::desktop().setUpMainWindow(ventana);
}

bool ClsEntorno::EjecutaDocumento(long& /*hwnd*/, const QString& /*verbo*/, const QString& archivo,
                                  const QString& /*parametros*/, const QString& carpeta,
                                  int /*estiloVentana*/, const QVariant& /*extra*/) {
    QString destino = archivo.trimmed();
    // Paths with blanks come quoted for the Windows shell; the quotes are no
    // part of the name.
    if (destino.size() >= 2 && destino.startsWith(u'"') && destino.endsWith(u'"'))
        destino = destino.mid(1, destino.size() - 2).trimmed();
    if (destino.isEmpty())
        return false;
    const QString dir =
        carpeta.trimmed().isEmpty() ? QDir::currentPath() : quindel2::localPath(carpeta.trimmed());
    QString ruta = destino;
    ruta.replace(u'\\', u'/');
    if (!QDir::isAbsolutePath(ruta))
        ruta = QDir(dir).filePath(ruta);
    ruta = quindel2::localPath(ruta);
    const QUrl url = QFileInfo::exists(ruta)
                         ? QUrl::fromLocalFile(QFileInfo(ruta).absoluteFilePath())
                         : QUrl::fromUserInput(destino, dir);
    if (!url.isValid())
        return false;
    return quindel2::desktop().openUrl(url);
}
