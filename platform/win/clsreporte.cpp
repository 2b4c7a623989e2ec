#include "platform/win/clsreporte.h"

#include "platform/vb/vb.h"
#include "platform/win/quindel2.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

bool ClsReporte::EjecutaReporte(const QString& Reporte, const QStringList& Parametros) {
    const QString carpeta = carpeta_.trimmed().isEmpty() ? vb::AppPath() : carpeta_;
    const QString runner = BuscaPrograma(carpeta, Ejecutor());
    if (runner.isEmpty())
        return false;
    const QStringList argumentos =
        QStringList{QStringLiteral("@Menu=") + Reporte + u';'} + Parametros;
    return Inicia(runner, argumentos, QFileInfo(runner).absolutePath()) != 0;
}

QString ClsReporte::BuscaPrograma(const QString& carpeta, const QString& nombre) {
    QString base = nombre.trimmed();
    base.replace(u'\\', u'/');
    if (base.isEmpty() || base.contains(u'/'))
        return QString();
    if (base.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        base.chop(4);
    const QString conExe = base + QStringLiteral(".exe");
    const QDir dir(quindel2::localPath(carpeta.trimmed()));
    // The Windows name first, then the bare one.
    QString bare;
    const QFileInfoList archivos = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& f : archivos) {
        if (f.fileName().compare(conExe, Qt::CaseInsensitive) == 0)
            return f.absoluteFilePath();
        if (bare.isEmpty() && f.fileName().compare(base, Qt::CaseInsensitive) == 0)
            bare = f.absoluteFilePath();
    }
    return bare;
}

qint64 ClsReporte::Inicia(const QString& programa, const QStringList& argumentos,
                          const QString& carpeta) {
    qint64 pid = 0;
    if (!QProcess::startDetached(programa, argumentos, carpeta, &pid))
        return 0;
    return pid;
}
