#include "platform/win/clsini.h"

#include "platform/vb/vb.h"
#include "platform/win/quindel2.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

struct Archivo {
    QStringList lineas;
    QString finDeLinea = QStringLiteral("\r\n");
};

Archivo leeArchivo(const QString& ruta) {
    Archivo a;
    const std::optional<QString> texto = quindel2::readTextFile(ruta);
    if (!texto || texto->isEmpty())
        return a;
    if (!texto->contains(QStringLiteral("\r\n")) && texto->contains(u'\n'))
        a.finDeLinea = QStringLiteral("\n");
    a.lineas = texto->split(u'\n');
    // A final line end leaves an empty tail that is no line.
    if (a.lineas.last().isEmpty())
        a.lineas.removeLast();
    for (QString& l : a.lineas) {
        if (l.endsWith(u'\r'))
            l.chop(1);
    }
    return a;
}

// Section name of a header line; std::nullopt for any other line.
std::optional<QString> seccionDe(const QString& linea) {
    const QString t = linea.trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype cierre = t.indexOf(u']');
    return (cierre < 0 ? t.mid(1) : t.mid(1, cierre - 1)).trimmed();
}

// Key and value of a "key=value" line; std::nullopt for comments and others.
std::optional<std::pair<QString, QString>> claveDe(const QString& linea) {
    const QString t = linea.trimmed();
    if (t.isEmpty() || t.startsWith(u';'))
        return std::nullopt;
    const qsizetype igual = t.indexOf(u'=');
    if (igual < 0)
        return std::nullopt;
    return std::make_pair(t.left(igual).trimmed(), t.mid(igual + 1).trimmed());
}

bool mismoNombre(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QString sinComillas(const QString& v) {
    if (v.size() >= 2 &&
        ((v.front() == u'"' && v.back() == u'"') || (v.front() == u'\'' && v.back() == u'\'')))
        return v.mid(1, v.size() - 2);
    return v;
}

// Index of the first header of the section, -1 when absent.
qsizetype buscaSeccion(const QStringList& lineas, const QString& seccion) {
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const std::optional<QString> s = seccionDe(lineas.at(i));
        if (s && mismoNombre(*s, seccion))
            return i;
    }
    return -1;
}

qsizetype finDeSeccion(const QStringList& lineas, qsizetype cabecera) {
    qsizetype i = cabecera + 1;
    while (i < lineas.size() && !seccionDe(lineas.at(i)))
        ++i;
    return i;
}

} // namespace

QString ClsIni::RutaIni(const QString& archivo) {
    QString ruta = archivo.trimmed();
    ruta.replace(u'\\', u'/');
    if (!QDir::isAbsolutePath(ruta))
        ruta = QDir(vb::AppPath()).filePath(ruta);
    return quindel2::localPath(ruta);
}

QString ClsIni::LeeIni(const QString& archivo, const QString& seccion, const QString& clave,
                       const QString& porDefecto) {
    const Archivo a = leeArchivo(RutaIni(archivo));
    const qsizetype cabecera = buscaSeccion(a.lineas, seccion);
    if (cabecera < 0)
        return porDefecto;
    const qsizetype fin = finDeSeccion(a.lineas, cabecera);
    for (qsizetype i = cabecera + 1; i < fin; ++i) {
        const auto kv = claveDe(a.lineas.at(i));
        if (kv && mismoNombre(kv->first, clave))
            return sinComillas(kv->second);
    }
    return porDefecto;
}

bool ClsIni::GrabaIni(const QString& archivo, const QString& seccion, const QString& clave,
                      const QString& valor) {
    const QString ruta = RutaIni(archivo);
    Archivo a = leeArchivo(ruta);
    const qsizetype cabecera = buscaSeccion(a.lineas, seccion);
    if (cabecera < 0) {
        a.lineas.append(u'[' + seccion.trimmed() + u']');
        a.lineas.append(clave.trimmed() + u'=' + valor);
    } else {
        const qsizetype fin = finDeSeccion(a.lineas, cabecera);
        qsizetype ultima = cabecera; // last line of the section that is not blank
        bool hecho = false;
        for (qsizetype i = cabecera + 1; i < fin && !hecho; ++i) {
            const auto kv = claveDe(a.lineas.at(i));
            if (kv && mismoNombre(kv->first, clave)) {
                a.lineas[i] = kv->first + u'=' + valor;
                hecho = true;
            }
            if (!a.lineas.at(i).trimmed().isEmpty())
                ultima = i;
        }
        if (!hecho)
            a.lineas.insert(ultima + 1, clave.trimmed() + u'=' + valor);
    }
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes =
        quindel2::encodeWindows1252(a.lineas.join(a.finDeLinea) + a.finDeLinea);
    if (f.write(bytes) != bytes.size())
        return false;
    return f.commit();
}
