#include "accounts/core/codigos.h"

#include "accounts/core/clsreglasplan.h"
#include "accounts/core/interno.h"
#include "accounts/core/mensajes.h"
#include "accounts/core/niveles.h"
#include "data/db_dll.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QSet>
#include <QStringList>

namespace cuentas {

using interno::Cierra;
using interno::Consulta;
using interno::Marcado;

QString CodigoSinGuiones(const QString& Texto) {
    return ClsUtilidades::LimpiaTexto(Texto.trimmed(), QStringLiteral("-")).trimmed();
}

JuicioCodigo JuzgaCodigo(const QString& Codigo, ClsReglasPlan& Reglas) {
    const QString codigo = CodigoSinGuiones(Codigo);
    if (!CNStuffContable::CfgSi(QStringLiteral("CUENTASALFANUMERICAS")) &&
        !ClsUtilidades::EsCodigoNumerico(codigo))
        return JuicioCodigo::Alfanumerico;
    if (!Reglas.ValidaCantidadDigitos(codigo))
        return JuicioCodigo::CantidadDigitos;
    return JuicioCodigo::Valido;
}

QString MensajeJuicio(JuicioCodigo Juicio) {
    switch (Juicio) {
    case JuicioCodigo::Alfanumerico:
        return MsgAlfanumericas;
    case JuicioCodigo::CantidadDigitos:
        return MsgCantidadDigitos;
    case JuicioCodigo::Valido:
        break;
    }
    return QString();
}

QString TextoDigitoVerificador(const QString& Codigo, bool Titulo, ClsReglasPlan& Reglas) {
    if (Titulo)
        return QStringLiteral("0");
    return QString::number(Reglas.DigitoVerificador(CodigoSinGuiones(Codigo)));
}

bool ValidaCodigoSegunTipo(const QString& CodigoMostrado, bool Titulo, ClsReglasPlan& Reglas,
                           QString& Mensaje) {
    if (!Titulo)
        return Reglas.ValidaCodigoImputable(CodigoMostrado.trimmed(), Mensaje);
    QString sinTexto;
    if (Reglas.ValidaCodigoTitulo(CodigoSinGuiones(CodigoMostrado), sinTexto))
        return true;
    Mensaje = MsgNoPuedeSerTitulo;
    return false;
}

bool ExisteNivelSuperior(const QString& Codigo, QString& Nombre) {
    const QString codigo = Codigo.trimmed();
    if (codigo.isEmpty())
        return false;
    // Only the code itself and the codes that begin it can answer.
    QStringList candidatos;
    for (qsizetype largo = 1; largo <= codigo.size(); ++largo)
        candidatos << sqltext::literal(codigo.left(largo));
    ado::RecordsetPtr rs =
        Consulta(QStringLiteral("SELECT CODIGO, DESCRIPCION, TITULO FROM MA_CUENTAS WHERE "
                                "DADA_DE_BAJA = 0 AND CODIGO IN (") +
                 candidatos.join(u',') + u')');
    bool existe = false;
    qsizetype largoPadre = 0;
    QString nombre;
    while (!rs->EOF()) {
        const QString fila = ClsUtilidades::ValorCampo(rs->value(0)).trimmed();
        if (fila.compare(codigo, Qt::CaseInsensitive) == 0) {
            existe = true;
        } else if (Marcado(rs->value(2)) && fila.size() < codigo.size() &&
                   codigo.startsWith(fila, Qt::CaseInsensitive) && fila.size() > largoPadre) {
            largoPadre = fila.size();
            nombre = ClsUtilidades::ValorCampo(rs->value(1));
        }
        rs->MoveNext();
    }
    Cierra(rs);
    if (existe)
        Nombre = nombre;
    return existe;
}

namespace {

// Codes of MA_CUENTAS that begin with the title, in upper case; none when
// the read fails (the proposal then starts from the first number).
QSet<QString> CodigosBajo(const QString& titulo) {
    QSet<QString> codigos;
    ado::RecordsetPtr rs;
    try {
        rs = Consulta(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO LIKE ") +
                      sqltext::likeStarting(titulo));
        while (!rs->EOF()) {
            codigos.insert(ClsUtilidades::ValorCampo(rs->value(0)).trimmed().toUpper());
            rs->MoveNext();
        }
    } catch (const ado::Exception&) {
    }
    CierraSinAviso(rs);
    return codigos;
}

// The title after this one at its own level: its number plus one with the
// same width ("0199" gives "0200"). Empty for a title that is no number or
// whose next number does not fit its width.
QString TituloSiguiente(const QString& titulo) {
    if (!ClsUtilidades::EsCodigoNumerico(titulo) || titulo.isEmpty())
        return QString();
    bool ok = false;
    const qlonglong numero = titulo.toLongLong(&ok);
    if (!ok)
        return QString();
    const QString siguiente = QString::number(numero + 1).rightJustified(titulo.size(), u'0');
    return siguiente.size() == titulo.size() ? siguiente : QString();
}

} // namespace

QString ProponeCodigoLibre(const QString& Titulo) {
    QString titulo = Titulo.trimmed();
    while (!titulo.isEmpty()) {
        int ancho = 0;
        try {
            ancho = NivelesPlan::Lee().AnchoNivelSiguiente(int(titulo.size()));
        } catch (const std::exception&) {
            ancho = 0;
        }
        if (ancho <= 0)
            return QString();
        const QSet<QString> ocupados = CodigosBajo(titulo);
        qint64 tope = 1;
        for (int i = 0; i < ancho; ++i)
            tope *= 10;
        // The first free number lies within the count of taken codes.
        for (qint64 n = 1; n < tope; ++n) {
            const QString candidato = titulo + QString::number(n).rightJustified(ancho, u'0');
            if (!ocupados.contains(candidato.toUpper()))
                return candidato;
        }
        const QString desborde = titulo + QString::number(tope);
        const QString siguiente = TituloSiguiente(titulo);
        if (siguiente.isEmpty())
            return desborde;
        const int respuesta = vb::MsgBox(
            QStringLiteral("No hay espacio en la cuenta titulo actual. ¿Buscar en la siguiente?") +
                vb::vbCrLf + QStringLiteral("Siguiente cuenta a buscar : ") + siguiente,
            vb::vbYesNo + vb::vbInformation, TituloAvisoOperador);
        if (respuesta != vb::vbYes)
            return desborde;
        titulo = siguiente;
    }
    return QString();
}

} // namespace cuentas
