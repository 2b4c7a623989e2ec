// Saving and deleting the shown account.
//
// The account's statement runs as one transaction; what lives outside the
// row (configuration keys, the tree node, the audit row, the replication, the
// cost-centre row and the user-group rights) follows only once it has been
// committed, so a failed save leaves no trace of it. A delete removes the
// account with everything kept under its code in one transaction.

#include "accountextras/core/rangos.h"
#include "accounts/core/clsreglasplan.h"
#include "accounts/core/cuenta.h"
#include "accounts/core/mensajes.h"
#include "accounts/core/niveles.h"
#include "accounts/core/satelites.h"
#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/frmma_cuentas.h"
#include "accounts/ui/grilla_personalizados.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "data/mod_gruposemp.h"
#include "data/pasos.h"
#include "platform/sql/quoting.h"
#include "platform/ui/clsformulario.h"
#include "platform/vb/msgbox.h"
#include "platform/win/clsutilidades.h"
#include "startup/cnstuffcontable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace CNStuffContable;

namespace {

const QString kTituloAtencion = QStringLiteral("Atención!");

// The provider's number for a row other rows still name.
constexpr long kErrFilasRelacionadas = 3200;

QString TextoAuditoria(const QString& codigo, const QLineEdit* campoCodigo) {
    return codigo + u' ' + campoCodigo->text();
}

void Audita(const QString& texto, bool alta, bool modificacion, bool baja) {
    GrabaAccionComprobante(QString(), QString(), QStringLiteral("0"), alta, modificacion, texto,
                           baja);
}

void ReplicaCuenta(const QString& codigo) {
    QString tabla = QStringLiteral("@ADMIN_MA_CUENTAS");
    ModGruposEmp::ActualizaGEmpresas(tabla, ModGruposEmp::Alta, sqltext::literal(codigo));
}

} // namespace

void FrmMA_CUENTAS::ActualizaCuenta() {
    const QString codigo =
        ClsUtilidades::LimpiaTexto(Campo(QStringLiteral("CODIGO"))->text(), QStringLiteral("-"))
            .trimmed();
    if (codigo.size() > 15) {
        HayError = true;
        vb::MsgBox(cuentas::MsgLongitudCodigo, vb::vbInformation, QStringLiteral("Atención"));
        return;
    }
    if (EsBaja && !EsNuevo && !EsModificacion)
        BajaCuenta(codigo);
    else if (EsNuevo || EsModificacion)
        GrabaCuenta(codigo);
    // With neither mode there is nothing to save: no audit, no replication.
}

void FrmMA_CUENTAS::GrabaCuenta(const QString& Codigo) {
    const bool nuevo = EsNuevo;
    const bool modificacion = EsModificacion;
    const bool titulo = OptTipoCuenta[1]->isChecked();
    cuentas::Cuenta c;
    QString vista;
    QStringList sentencias{QString()};
    CodigoSiguiente.clear();

    auto aviso = [&](const QString& mensaje) {
        HayError = true;
        vb::MsgBox(mensaje, vb::vbCritical);
        return false;
    };
    const std::vector<pasos::Step> pasosGrabacion = {
        [&] {
            c.Codigo = Codigo;
            c.Descripcion = Campo(QStringLiteral("DESCRIPCION"))->text();
            c.CodigoOpcional =
                ClsUtilidades::ValorCampo(Campo(QStringLiteral("CODIGOOPCIONAL"))->text());
            c.CuentaPrincipal = Campo(QStringLiteral("CuentaPrincipal"))->text();
            c.CodTarjeta_ConcAuto = Campo(QStringLiteral("CodTarjeta_ConcAuto"))->text();
            c.Titulo = titulo;
            c.Ajuste = CHKAjustable->isChecked();
            c.Indice = CmbIndices->currentIndex();
            c.Bloqueo = ChkBloqueo->isChecked();
            c.Bienes = ChkBdu->isChecked();
            c.PideVencimiento = ChkVto->isChecked();
            c.MedioDePago = CmbMP->currentIndex();
            c.NoPideDatosTarjeta = chkTarjeta->isChecked();
            c.UsaCCostos = chkCCostos->isChecked();
            c.CajayBanco = ChkCyB->isChecked();
            c.Moneda = CmbMoneda->currentIndex();
        },
        [&] {
            if (titulo)
                return !Reglas().TieneMovimientos(Codigo) ||
                       aviso(QStringLiteral("La cuenta no puede cambiarse a Título porque tiene "
                                            "movimientos registrados!!!"));
            if (Reglas().TieneSubcuentas(Codigo))
                return aviso(QStringLiteral(
                    "No puede cambiar el tipo de cuenta porque existe un nivel inferior"));
            // The series is stored as its position plus one: without one the
            // account would silently take the second series.
            if (c.Ajuste && c.Indice < 0) {
                aviso(QStringLiteral("Debe elegir la serie de índices de la cuenta ajustable"));
                CmbIndices->setFocus();
                return false;
            }
            return true;
        },
        [&] {
            cuentasadic::ObtieneVistaRangoVto(Codigo, nullptr, nullptr, &c.VistaRango, nullptr,
                                              TituloBonos, TituloMutuales);
            vista = cuentas::TipoVistaDeCuenta(c);
        },
        [&] {
            if (Grilla)
                c.Personalizados = Grilla->Personalizados();
        },
        [&] { cuentas::ArmaSentenciaCuenta(c, nuevo, sentencias, RsCuentas); },
        [&] {
            std::int32_t nativo = 0;
            EjecutaTransaccion(sentencias, HayError, nativo);
            return !HayError;
        },
        [&] { cuentas::GrabaClavesMedioDePago(c.MedioDePago, Codigo); },
        [&] {
            if (!MuestraArbol)
                return;
            if (TreeV)
                TreeV->ActualizaTreeV(Codigo, Campo(QStringLiteral("Descripcion"))->text());
        },
        [&] { Audita(TextoAuditoria(Codigo, txtFields[1]), nuevo, modificacion, false); },
        [&] { ReplicaCuenta(Codigo); },
        [&] {
            if (!titulo)
                cuentas::ActualizaCCostoCuenta(Codigo, chkCCostos->isChecked(),
                                               chkCCostos->isEnabled(), CCostoPorDefecto);
        },
        [&] { CuentaActual = Codigo; },
        [&] {
            if (nuevo)
                cuentas::AgregaGruposCuentaNueva(Codigo);
        },
        [&] { LimpiarPantalla(); },
        [&] { HabilitarControles(false); },
        [&] { CodigoSiguiente = cuentas::NivelesPlan::Lee().PrefijoPadre(CuentaActual); },
        [&] {
            const bool preguntar =
                CfgSi(QStringLiteral("USADATOSADIC")) && !vista.trimmed().isEmpty();
            if (preguntar &&
                vb::MsgBox(QStringLiteral("Esta cuenta esta informada en el rango de cuentas de "
                                          "datos adicionales,") +
                               vb::vbCr +
                               QStringLiteral("                ¿Desea Actualizar los datos "
                                              "adicionales?"),
                           vb::vbYesNo + vb::vbExclamation, kTituloAtencion) == vb::vbYes &&
                AbreDatosAdicionales)
                AbreDatosAdicionales();
            else
                CuentaActual.clear();
        },
    };
    pasos::RunSteps(
        pasosGrabacion,
        [&](const ado::Error& e) {
            HayError = true;
            ClsUtilidades::CursorEspera(0);
            if (e.Number == ado::adErrDataConversion) {
                // A text field names itself by its lookup tag and column and
                // takes the focus; a custom column of the grid by its name.
                const int i = ClsFormulario::IndiceControl(e.Source, txtFields);
                QLineEdit* campo = i >= 0 ? txtFields[size_t(i)] : nullptr;
                const QString nombre = campo ? campo->property("Tag").toString() + u'/' +
                                                   campo->property("DataField").toString()
                                             : e.Source;
                pasos::AvisaConversion(nombre);
                if (campo && campo->isEnabled())
                    campo->setFocus();
                return pasos::Resume::Exit;
            }
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("ActualizarDatos")));
        },
        pasos::Trap::AllErrors);
}

void FrmMA_CUENTAS::BajaCuenta(const QString& Codigo) {
    const std::vector<pasos::Step> pasosBaja = {
        [&] {
            if (!Reglas().TieneSubcuentas(Codigo))
                return true;
            HayError = true;
            vb::MsgBox(QStringLiteral("No se puede eliminar esta cuenta porque posee un nivel "
                                      "inferior") +
                           vb::vbCr +
                           QStringLiteral("Elimine primero las demás cuentas e inténtelo "
                                          "nuevamente"),
                       vb::vbCritical);
            return false;
        },
        [&] {
            return vb::MsgBox(QStringLiteral("Confirma la baja de este registro?"),
                              vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                              kTituloAtencion) == vb::vbYes;
        },
        [&] {
            return !cuentas::EstaEnCashFlow(Codigo) ||
                   vb::MsgBox(QStringLiteral("La cuenta está asociada a un Cash-Flow se darán de "
                                             "baja sus movimientos") +
                                  vb::vbCr + QStringLiteral("Acepta???"),
                              vb::vbYesNo + vb::vbInformation,
                              QStringLiteral("Aviso al Operador...")) == vb::vbYes;
        },
        [&] {
            const auto filasRelacionadas = [](std::int32_t nativo) {
                return ado::Exception(
                    ado::Error{kErrFilasRelacionadas,
                               QStringLiteral("La cuenta tiene registros relacionados."),
                               QStringLiteral("23000"), nativo, QString()});
            };
            // Journal lines name the account whether or not the database
            // declares it: such a delete is refused as the server refuses it.
            if (Reglas().TieneMovimientos(Codigo))
                throw filasRelacionadas(ado::nativeConstraint);
            std::int32_t nativo = 0;
            EjecutaTransaccion(cuentas::SentenciasBajaCuenta(Codigo), HayError, nativo);
            // A delete the server refuses by a reference constraint: rows
            // elsewhere still name the account.
            if (HayError && nativo == ado::nativeConstraint)
                throw filasRelacionadas(nativo);
            return !HayError;
        },
        [&] { Audita(TextoAuditoria(Codigo, txtFields[1]), false, false, true); },
        [&] { cuentas::ReplicaBajaCuenta(Codigo); },
        [&] {
            if (TreeV && TreeV->SeleccionaCuenta(Codigo))
                TreeV->QuitaNodoSeleccionado();
        },
        [&] { LimpiarPantalla(); },
        [&] { AbreRecordsetCuentas(TablaCuentas); },
    };
    pasos::RunSteps(
        pasosBaja,
        [&](const ado::Error& e) {
            HayError = true;
            ClsUtilidades::CursorEspera(0);
            if (e.Number == kErrFilasRelacionadas) {
                BajaLogica(Codigo);
                return pasos::Resume::Exit;
            }
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("ActualizarDatos")));
        },
        pasos::Trap::AllErrors);
}

void FrmMA_CUENTAS::BajaLogica(const QString& Codigo) {
    const QString consulta = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE CUENTA = ") +
                             sqltext::literal(Codigo) +
                             QStringLiteral(" AND CAST(PERIODO AS INT) = ") +
                             QString::number(gPeriodoActual.trimmed().toInt()) +
                             QStringLiteral(" AND (ES_SALDO_APERTURA = ");
    const QString titulo = QStringLiteral("Aviso al operador!!!");
    ado::RecordsetPtr rs;
    gDatos().AbrirRecordset(consulta + QStringLiteral("0)"), rs);
    const bool conMovimientos = !rs->EOF();
    gDatos().CierraRecordset(rs);
    if (conMovimientos) {
        vb::MsgBox(QStringLiteral("La cuenta que intenta eliminar Tiene movimientos en este "
                                  "Ejercicio"),
                   vb::vbCritical, titulo);
        return;
    }
    gDatos().AbrirRecordset(consulta + QStringLiteral("1)"), rs);
    const bool conSaldo = !rs->EOF() && rs->value(QStringLiteral("Importe")).toDouble() != 0;
    gDatos().CierraRecordset(rs);
    if (conSaldo) {
        vb::MsgBox(QStringLiteral("La cuenta que intenta eliminar no tiene Saldo 0 de Apertura"),
                   vb::vbCritical, titulo);
        return;
    }
    long afectados = 0;
    gDatos().EjecutaConsultaSQL(QStringLiteral("UPDATE MA_CUENTAS SET DADA_DE_BAJA = 1 WHERE "
                                               "CODIGO = ") +
                                    sqltext::literal(Codigo),
                                afectados);
    Audita(TextoAuditoria(Codigo, txtFields[1]), false, false, true);
    ReplicaCuenta(Codigo);
}

bool FrmMA_CUENTAS::ValidaCuentaSubD(const QString& QueCuenta) {
    const QString cuenta = QueCuenta.trimmed();
    bool alimenta = false;
    ado::RecordsetPtr rs;
    const auto sinGuiones = [&](const char* columna) {
        return ClsUtilidades::LimpiaTexto(
                   ClsUtilidades::ValorCampo(rs->value(QString::fromLatin1(columna))),
                   QStringLiteral("-"))
            .trimmed();
    };
    pasos::RunSteps(
        {
            [&] {
                gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MA_SUBDIARIOS"), rs, nullptr,
                                        ado::adOpenStatic, ado::adLockReadOnly, -1, true);
            },
            [&] {
                for (; !alimenta && !rs->EOF(); rs->MoveNext()) {
                    const QString sub = sinGuiones("CUENTA");
                    const QString desde = sinGuiones("CUENTA-DESDE");
                    const QString hasta = sinGuiones("CUENTA-HASTA");
                    if (Reglas().ValidaSubdiario(sub))
                        alimenta = cuenta.compare(sub, Qt::CaseInsensitive) == 0;
                    else if (desde.isEmpty())
                        alimenta = cuenta.startsWith(sub, Qt::CaseInsensitive);
                    else
                        alimenta = desde.compare(cuenta, Qt::CaseInsensitive) <= 0 &&
                                   cuenta.compare(hasta, Qt::CaseInsensitive) <= 0;
                }
            },
        },
        [&](const ado::Error& e) {
            const pasos::Resume r = pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("ValidaCuentaSubd")));
            if (r == pasos::Resume::Exit)
                alimenta = false;
            return r;
        },
        pasos::Trap::AllErrors);
    if (rs)
        gDatos().CierraRecordset(rs);
    return alimenta;
}
