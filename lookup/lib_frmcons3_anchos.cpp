// The column widths the user last left in the list lookup, per table, in
// "CONSULTASLEN.ZUB" of the program folder: Windows-1252 text, CR LF lines,
// each line "TABLE","1200|3000|" with the widths in twips.

#include "lookup/lib_frmcons3.h"

#include "lookup/lib_frmcons3_interno.h"
#include "platform/vb/errors.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

#include <QFile>
#include <QHeaderView>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTreeView>
#include <cmath>
#include <cstdio>

using namespace frmcons3;

namespace {

const QString kArchivo = QStringLiteral("CONSULTASLEN.ZUB");
const QString kTemporal = QStringLiteral("CONSULTASLEN.AUX");

struct Registro {
    QString tabla;
    QString anchos;
};

QString Ruta(const QString& nombre) {
    return ClsUtilidades::CarpetaConBarra(vb::AppPath()) + nombre;
}

[[noreturn]] void FallaArchivo(long numero, const QString& texto) {
    throw vb::TrappableError(vb::Error{numero, texto, {}, 0, vb::AppExeName()});
}

// One field of a line as sequential input reads it: a quoted text up to the
// next quote, or a bare one up to the comma. False when nothing is left.
bool Campo(const QString& linea, qsizetype& i, QString& campo) {
    while (i < linea.size() && linea[i] == u' ')
        ++i;
    if (i >= linea.size())
        return false;
    if (linea[i] == u'"') {
        const qsizetype cierre = linea.indexOf(u'"', i + 1);
        const qsizetype fin = cierre < 0 ? linea.size() : cierre;
        campo = linea.mid(i + 1, fin - i - 1);
        i = cierre < 0 ? fin : cierre + 1;
        while (i < linea.size() && linea[i] != u',')
            ++i;
    } else {
        const qsizetype coma = linea.indexOf(u',', i);
        const qsizetype fin = coma < 0 ? linea.size() : coma;
        campo = linea.mid(i, fin - i).trimmed();
        i = fin;
    }
    if (i < linea.size())
        ++i; // the comma
    return true;
}

// The records of the file in order, up to the first line that cannot be
// read (`completo` false then). A missing file has none.
std::vector<Registro> LeeRegistros(const QString& ruta, bool& completo) {
    completo = true;
    std::vector<Registro> registros;
    QFile archivo(ruta);
    if (!archivo.exists())
        return registros;
    if (!archivo.open(QIODevice::ReadOnly)) {
        completo = false;
        return registros;
    }
    QStringDecoder ansi("windows-1252");
    const QString texto = ansi(archivo.readAll());
    for (QString linea : texto.split(u'\n')) {
        if (linea.endsWith(u'\r'))
            linea.chop(1);
        if (linea.trimmed().isEmpty())
            continue;
        Registro r;
        qsizetype i = 0;
        if (!Campo(linea, i, r.tabla) || !Campo(linea, i, r.anchos)) {
            completo = false;
            break;
        }
        registros.push_back(r);
    }
    return registros;
}

QByteArray Linea(const Registro& r) {
    QStringEncoder ansi("windows-1252");
    return ansi(u'"' + r.tabla + QStringLiteral("\",\"") + r.anchos + QStringLiteral("\"\r\n"));
}

} // namespace

QString Lib_FrmCons3::TablaAnchos() {
    // The articles' stock view keeps its widths under the articles' name.
    if (Igual(TablaConsulta, QStringLiteral("Stk_ma_articulos")))
        TablaConsulta = QStringLiteral("VT_MA_ARTICULOS");
    return TablaConsulta;
}

void Lib_FrmCons3::LeerAnchosColumnas() {
    const QString ruta = Ruta(kArchivo);
    if (!QFile::exists(ruta))
        return;
    const QString tabla = TablaAnchos();
    bool completo = true;
    QHeaderView* encabezado = ListView1->header();
    for (const Registro& r : LeeRegistros(ruta, completo)) {
        if (!Igual(r.tabla, tabla))
            continue;
        QString anchos = r.anchos;
        for (int i = 0; i < encabezado->count(); ++i) {
            const qsizetype barra = anchos.indexOf(u'|');
            // Fewer widths than columns: the reading ends with what it set.
            if (barra < 0)
                return;
            const double twips = ClsUtilidades::TextoAMoneda(anchos.left(barra)).toDouble();
            encabezado->resizeSection(i, int(std::lround(twips / kTwipsPorPixel)));
            anchos = anchos.mid(barra + 1);
        }
    }
}

void Lib_FrmCons3::GrabarAnchosColumnas() {
    if (!GrabarCfg)
        return;
    const QString ruta = Ruta(kArchivo);
    const QString temporal = Ruta(kTemporal);
    const QString tabla = TablaAnchos();
    bool completo = true;
    const std::vector<Registro> registros = LeeRegistros(ruta, completo);
    if (!completo)
        FallaArchivo(62, QStringLiteral("La entrada pasa del final del archivo"));

    QByteArray contenido;
    for (const Registro& r : registros)
        if (!Igual(r.tabla, tabla))
            contenido += Linea(r);
    Registro propio{tabla, QString()};
    const QHeaderView* encabezado = ListView1->header();
    for (int i = 0; i < encabezado->count(); ++i)
        propio.anchos += QString::number(encabezado->sectionSize(i) * kTwipsPorPixel) + u'|';
    contenido += Linea(propio);

    QFile aux(temporal);
    if (!aux.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        aux.write(contenido) != contenido.size() || !aux.flush()) {
        aux.remove();
        FallaArchivo(75, QStringLiteral("Error de acceso a la ruta o el archivo"));
    }
    aux.close();
    // rename() replaces the old file in one step: there is never a moment
    // without one.
    if (std::rename(QFile::encodeName(temporal).constData(), QFile::encodeName(ruta).constData()) !=
        0) {
        QFile::remove(temporal);
        FallaArchivo(75, QStringLiteral("Error de acceso a la ruta o el archivo"));
    }
}
