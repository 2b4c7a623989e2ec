#include "platform/ui/skinframework.h"

#include "platform/win/quindel2.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

SkinFramework::SkinFramework(QObject* parent, const QString& nombre) : QObject(parent) {
    setObjectName(nombre);
}

QString SkinFramework::RutaHoja(const QString& Ruta, const QString& Ini) {
    QString ruta = Ruta;
    ruta.replace(u'\\', u'/');
    if (ruta.isEmpty())
        return QString();
    if (!Ini.trimmed().isEmpty()) {
        QString ini = Ini.trimmed();
        ini.replace(u'\\', u'/');
        const QFileInfo nombre(ini);
        QString base = nombre.fileName();
        if (!nombre.suffix().isEmpty())
            base.chop(nombre.suffix().size() + 1);
        if (!ruta.endsWith(u'/'))
            ruta += u'/';
        return ruta + base + QStringLiteral(".qss");
    }
    const QFileInfo archivo(ruta);
    if (!archivo.suffix().isEmpty() && !archivo.completeBaseName().isEmpty())
        ruta.chop(archivo.suffix().size() + 1);
    return ruta + QStringLiteral(".qss");
}

bool SkinFramework::LoadSkin(const QString& Ruta, const QString& Ini) {
    hoja_.clear();
    cargada_ = false;
    const QString ruta = RutaHoja(Ruta, Ini);
    if (ruta.isEmpty())
        return false;
    QFile archivo(quindel2::localPath(ruta));
    if (!archivo.open(QIODevice::ReadOnly))
        return false;
    hoja_ = QString::fromUtf8(archivo.readAll());
    cargada_ = true;
    return true;
}

void SkinFramework::ApplyWindow(QWidget* ventana) {
    if (ventana && cargada_)
        ventana->setStyleSheet(hoja_);
}
