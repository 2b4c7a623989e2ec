#include "accountextras/core/datos_adicionales.h"

#include "accountextras/core/interno.h"
#include "accounts/core/interno.h"
#include "data/instances.h"
#include "data/mod_gruposemp.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <functional>

namespace cuentasadic {

namespace {

const QString kRutina = QStringLiteral("ActualizarDatos");

QString Donde(const QString& codigo) {
    return QStringLiteral(" WHERE CODIGO = ") + sqltext::literal(codigo);
}

// One save's statements in the shared transaction runner, with the
// routine's error box; with ExigeFila the row must be there. AlComenzar
// reads inside the transaction before anything is written.
bool Ejecuta(const QStringList& sentencias, bool ExigeFila,
             const std::function<bool()>& AlComenzar = {}) {
    CNStuffContable::OpcionesTransaccion o;
    o.Rutina = kRutina;
    o.ExigeFila = ExigeFila;
    o.AlComenzar = AlComenzar;
    bool error = false;
    std::int32_t nativo = 0;
    CNStuffContable::EjecutaTransaccion(sentencias, error, nativo, o);
    return !error;
}

// The refusal of a save that finds what it relies on changed; empty when
// the save may go on.
QString Vigente(const DatosAdicionales& D, const QString& codigo) {
    if (!cuentas::interno::HayFila(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS") + Donde(codigo)))
        return MsgCuentaInexistente;
    ado::RecordsetPtr rs = cuentas::interno::Consulta(QStringLiteral("SELECT * FROM ") +
                                                      TablaAdicionales + Donde(codigo));
    const bool existe = !rs->EOF();
    const QStringList ahora = HuellaFila(rs);
    cuentas::interno::Cierra(rs);
    if (D.Nuevo)
        return existe ? MsgAltaPorOtro : QString();
    if (!D.Cargada)
        return QString();
    if (!existe)
        return MsgBorradosPorOtro;
    return ahora == *D.Cargada ? QString() : MsgCambiadosPorOtro;
}

bool Es(const QString& columna, const char* nombre) {
    return columna.trimmed().compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

// The codes of the commercial tables, stored with four characters.
bool EsCodigoDeCuatro(const QString& columna) {
    return Es(columna, "IDCATEGORIA") || Es(columna, "IDCOND_Cpra_Vta") ||
           Es(columna, "DOCUMENTO_TIPO");
}

// A value as its column takes it: a text as it stands, a blank of another
// type as Null, anything else converted (3421 with the column as Source when
// it does not convert).
QString Literal(int tipo, const QString& columna, const QString& texto) {
    if (DB_Dll::ADOText(tipo))
        return sqltext::literal(texto);
    if (texto.isEmpty())
        return QStringLiteral("Null");
    return cuentas::LiteralPersonalizado(tipo, columna, texto);
}

QString LiteralCampo(const CampoAdicional& c, int tipo) {
    const QString texto = c.Texto.trimmed();
    if (EsCodigoDeCuatro(c.Columna))
        return texto.isEmpty() ? QStringLiteral("Null")
                               : sqltext::literal(ClsUtilidades::RellenaCeros(texto, 4));
    return Literal(tipo, c.Columna, texto);
}

// The price class a customer or supplier account takes on every save; empty
// for any other view type, whose class is left alone.
QString ClaseDePrecio(const QString& codigo, bool& cambia) {
    const QString vista =
        ClsUtilidades::ValorCampo(
            gDatos().DatosTabla(QStringLiteral("MA_CUENTAS"), codigo, QStringLiteral("TIPOVISTA"),
                                QStringLiteral("CODIGO"), 8, QString(), true, false))
            .trimmed();
    cambia = true;
    if (vista.compare(u"CL", Qt::CaseInsensitive) == 0)
        return CNStuffContable::Cfg(QStringLiteral("ClaseDePrecioDefault"));
    if (vista.compare(u"PR", Qt::CaseInsensitive) == 0)
        return CNStuffContable::Cfg(QStringLiteral("ClaseDePrecioDefaultCompras"));
    cambia = false;
    return QString();
}

// The INSERT or UPDATE of the row. `asignando` tells which field was being
// converted when a conversion fails.
QString Sentencia(const DatosAdicionales& D, const QString& codigo,
                  const CampoAdicional*& asignando) {
    ado::RecordsetPtr columnas = Columnas();
    const auto tipo = [&](const QString& columna) { return columnas->Fields(columna).Type(); };
    CNStuffContable::ListaCampos& campos = CNStuffContable::gCamposSQL;
    campos.clear();
    const auto agrega = [&](const QString& columna, const QString& literal) {
        campos.push_back({columna, literal});
    };
    if (D.Nuevo)
        agrega(QStringLiteral("CODIGO"), sqltext::literal(codigo));
    for (const CampoAdicional& c : D.Campos) {
        // What the view hides is not the user's to change.
        if (Es(c.Columna, "CODIGO") || c.Oculto)
            continue;
        asignando = &c;
        agrega(c.Columna.trimmed(), LiteralCampo(c, tipo(c.Columna.trimmed())));
    }
    asignando = nullptr;
    const QString sello =
        D.Nuevo ? QStringLiteral("fechahora_grabacion") : QStringLiteral("fechahora_modificacion");
    agrega(sello,
           Literal(tipo(sello), sello, vb::Format(D.Ahora, CNStuffContable::FormatoFechaHora())));
    bool conClase = false;
    const QString clase = ClaseDePrecio(codigo, conClase);
    if (conClase)
        agrega(QStringLiteral("CLASE"),
               Literal(tipo(QStringLiteral("CLASE")), QStringLiteral("CLASE"), clase));
    for (const cuentas::CampoPersonalizado& p : D.Personalizados)
        cuentas::AgregaCampoPersonalizado(
            p.Campo, cuentas::ColumnaDe(columnas->Fields(p.Campo.trimmed())), p.Valor);
    cuentas::interno::Cierra(columnas);

    QStringList sentencias{QString()};
    QString donde = D.Nuevo ? QString() : QStringLiteral(" CODIGO = ") + sqltext::literal(codigo);
    CNStuffContable::ArmaSentenciaSQL(campos, sentencias, TablaAdicionales, !D.Nuevo, donde);
    return sentencias.first();
}

void Replica(std::int32_t operacion, const QString& codigo) {
    QString tabla = TablaAdicionales;
    ModGruposEmp::ActualizaGEmpresas(tabla, operacion, sqltext::literal(codigo));
}

} // namespace

Resultado GrabaDatosAdicionales(const DatosAdicionales& D) {
    const QString codigo = D.Codigo.trimmed();
    Resultado r;
    QString sentencia;
    const CampoAdicional* asignando = nullptr;
    const pasos::OnError recuadro = interno::RecuadroGrabacion(kRutina);
    const bool armada = pasos::RunSteps(
        {[&] { sentencia = Sentencia(D, codigo, asignando); }},
        [&](const ado::Error& e) {
            if (e.Number != ado::adErrDataConversion)
                return recuadro(e);
            r.estado = Resultado::Estado::Rechazado;
            r.Campo = asignando ? asignando->Columna.trimmed() : e.Source;
            r.Mensaje =
                pasos::MensajeConversion(asignando ? asignando->Tag + u'/' + r.Campo : e.Source);
            r.Titulo = QStringLiteral("Error en conversion de datos");
            r.Botones = vb::vbCritical;
            return pasos::Resume::Exit;
        },
        pasos::Trap::AllErrors);
    CNStuffContable::gCamposSQL.clear();
    if (!armada)
        return r;
    QString rechazo;
    const bool hecha = Ejecuta({sentencia}, !D.Nuevo, [&] {
        rechazo = Vigente(D, codigo);
        return rechazo.isEmpty();
    });
    if (!rechazo.isEmpty()) {
        r.estado = Resultado::Estado::Rechazado;
        r.Mensaje = rechazo;
        r.Titulo = TituloAviso;
        r.Botones = vb::vbInformation + vb::vbOKOnly;
    }
    if (!hecha)
        return r;
    Replica(ModGruposEmp::Alta, codigo);
    return Resultado::Hecho();
}

Resultado BorraDatosAdicionales(const QString& Codigo, const std::optional<QStringList>& Cargada) {
    const QString codigo = Codigo.trimmed();
    const QString donde = Donde(codigo);
    bool hayFila = false;
    if (!pasos::RunSteps({[&] {
                             hayFila = cuentas::interno::HayFila(
                                 QStringLiteral("SELECT CODIGO FROM ") + TablaAdicionales + donde);
                         }},
                         interno::RecuadroGrabacion(kRutina), pasos::Trap::AllErrors))
        return Resultado();
    if (!hayFila)
        return Resultado::Hecho();
    // What another user saved since the load is not deleted unseen.
    bool cambiada = false;
    const bool hecha =
        Ejecuta({QStringLiteral("DELETE FROM ") + TablaAdicionales + donde}, true, [&] {
            if (!Cargada)
                return true;
            ado::RecordsetPtr rs = cuentas::interno::Consulta(QStringLiteral("SELECT * FROM ") +
                                                              TablaAdicionales + donde);
            const bool existe = !rs->EOF();
            cambiada = existe && HuellaFila(rs) != *Cargada;
            cuentas::interno::Cierra(rs);
            return !cambiada;
        });
    if (cambiada) {
        Resultado r;
        r.estado = Resultado::Estado::Rechazado;
        r.Mensaje = MsgCambiadosPorOtro;
        r.Titulo = TituloAviso;
        r.Botones = vb::vbInformation + vb::vbOKOnly;
        return r;
    }
    if (!hecha)
        return Resultado();
    Replica(ModGruposEmp::Baja, codigo);
    return Resultado::Hecho();
}

QStringList HuellaFila(const ado::RecordsetPtr& Rs) {
    QStringList huella;
    if (!Rs || Rs->State() != ado::adStateOpen || Rs->BOF() || Rs->EOF())
        return huella;
    for (int i = 0; i < Rs->fieldCount(); ++i) {
        const ado::Field f = Rs->Fields(i);
        huella << f.Name().toUpper() + u'=' + interno::ValorComparable(f.Value());
    }
    return huella;
}

ado::RecordsetPtr PrimeraFila() {
    return cuentas::interno::Consulta(QStringLiteral("SELECT TOP 1 * FROM ") + TablaAdicionales);
}

ado::RecordsetPtr Columnas() {
    return cuentas::interno::Consulta(QStringLiteral("SELECT * FROM ") + TablaAdicionales +
                                      QStringLiteral(" WHERE 1 = 0"));
}

QString SentenciaPlanilla() {
    return QStringLiteral("SELECT * FROM ") + TablaAdicionales;
}

} // namespace cuentasadic
