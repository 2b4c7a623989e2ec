// The checks of the account's fields.
//
// Every field is checked when it is left and once more before a save: the
// code decides between a new and an existing account (a dropped one only
// when the operator reuses it), the name must be given with a code, the main
// account must be an active postable one, the optional code must be unique.
// After each field the check digit and the controls only a postable account
// uses are refreshed, and while saving the code must suit the chosen kind.

#include "accounts/ui/frmma_cuentas.h"

#include "accounts/core/carga.h"
#include "accounts/core/clsreglasplan.h"
#include "accounts/core/codigos.h"
#include "accounts/core/satelites.h"
#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"
#include "startup/core/mod_macuentas.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

const QString kAvisoOperador = QStringLiteral("Aviso al operador...");

// The parts of a title-list entry: the name first, the code last.
QString NombreDeTitulo(const QString& item) {
    return item.left(80).trimmed();
}
QString CodigoDeTitulo(const QString& item) {
    return item.right(50).trimmed();
}

} // namespace

ClsReglasPlan& FrmMA_CUENTAS::Reglas() {
    if (!ReglasPlan)
        ReglasPlan = std::make_unique<ClsReglasPlan>();
    return *ReglasPlan;
}

void FrmMA_CUENTAS::Campo_Valida(int Index) {
    const Mod_Macuentas::NivelesDeUnaVez niveles;
    HayError = false;
    if (Index < 0 || Index >= int(txtFields.size()))
        return;
    QLineEdit* campo = txtFields[size_t(Index)];
    const QString columna = campo->property("DataField").toString();
    const auto es = [&](const char* c) {
        return ClsFormulario::mismoCampo(columna, QString::fromLatin1(c));
    };
    QString valor;
    ++RutinasEnCurso;
    pasos::RunSteps(
        {
            [&] { valor = campo->text().trimmed(); },
            [&] { return !es("Codigo") || ValidaCodigo(Index, valor); },
            [&] {
                if (es("Descripcion") && valor.isEmpty() &&
                    !Campo(QStringLiteral("codigo"))->text().trimmed().isEmpty()) {
                    Rechaza(Index, QStringLiteral("Debe ingresar el nombre de la cuenta"));
                    return false;
                }
                return true;
            },
            [&] { return !es("CuentaPrincipal") || ValidaCuentaPrincipal(Index, valor); },
            [&] { return !es("CodigoOpcional") || ValidaCodigoOpcional(Index, valor); },
            [&] { RefrescaSegunTipo(Index); },
        },
        [](const ado::Error& e) {
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("Campo_Valida")));
        },
        pasos::Trap::AllErrors);
    --RutinasEnCurso;
}

bool FrmMA_CUENTAS::ValidaCodigo(int Index, const QString& Valor) {
    const QString valor = cuentas::CodigoSinGuiones(Valor);
    CodigoCuenta = valor;
    // An empty code has no digits to count: it is refused as a short one.
    const cuentas::JuicioCodigo juicio = valor.isEmpty() ? cuentas::JuicioCodigo::CantidadDigitos
                                                         : cuentas::JuzgaCodigo(valor, Reglas());
    if (juicio != cuentas::JuicioCodigo::Valido) {
        // The user corrects the code in its box: nothing typed elsewhere is
        // cleared and the window stays on what it showed.
        CodigoRechazado = Valor;
        Rechaza(Index, cuentas::MensajeJuicio(juicio));
        // Set last: the refusal's focus move may run a check of its own.
        UltimoJuicio = Juicio::Rechazado;
        return false;
    }

    // While saving, the code is the one accepted (every command judges an
    // edited one first): its row is read again inside the save's own
    // transaction, so the state it was accepted in stays.
    if (!Grabando) {
        if (cuentas::BuscaCuenta(CodigoCuenta, RsCuentas)) {
            const auto desiste = [&] {
                UltimoJuicio = Juicio::Desistido;
                RestauraCodigo();
                return false;
            };
            if (cuentas::DadaDeBaja(RsCuentas) &&
                vb::MsgBox(QStringLiteral("La cuenta Solicitada se encuentra Actualmente dada de "
                                          "Baja ¿Desea reutilizarla?"),
                           vb::vbYesNo + vb::vbQuestion,
                           QStringLiteral("Confirmación!!!")) != vb::vbYes)
                return desiste();
            if (!AbandonaLoEscrito())
                return desiste();
            // The title is read before the fields change: a read lets the
            // window paint, and it paints once, after the account is shown.
            QString titulo;
            const bool conTitulo = cuentas::ExisteNivelSuperior(valor, titulo);
            if (Combo1->count() > 0)
                Combo1->setCurrentIndex(0);
            AsignarDatos();
            if (conTitulo)
                SeleccionaTituloPadre(valor, titulo);
            EsModificacion = true;
            EsNuevo = false;
            UltimoJuicio = Juicio::Cargado;
        } else {
            // A new code keeps what the user typed in the other fields, but
            // not the values of a stored account shown before it.
            if (EsModificacion) {
                if (!AbandonaLoEscrito()) {
                    UltimoJuicio = Juicio::Desistido;
                    RestauraCodigo();
                    return false;
                }
                VaciaCuenta();
            }
            EsNuevo = true;
            EsModificacion = false;
            FilaCargada.reset();
            UltimoJuicio = Juicio::Aceptado;
        }
        CodigoEstablecido = valor;
        CodigoDejado = valor;
    }
    CNStuffContable::CuentaActual = valor;
    HabilitarControles(true);
    ChkBloqueo->setEnabled(EsModificacion);
    DatosModificados = true;
    return true;
}

void FrmMA_CUENTAS::SeleccionaTituloPadre(const QString& Codigo, const QString& Nombre) {
    const QString nombre = Nombre.trimmed();
    // Two titles may share a name: only one above the account is its own.
    // Of the titles whose codes begin the account's, the last in the list
    // with that name; found by code, not by walking thousands of entries.
    int elegido = 0;
    for (qsizetype largo = 1; largo <= Codigo.size(); ++largo) {
        const QString titulo = Codigo.left(largo);
        const auto i = PosicionTitulo.constFind(titulo.toCaseFolded());
        if (i == PosicionTitulo.constEnd() || *i < 1 || *i >= Combo1->count())
            continue;
        const QString item = Combo1->itemText(*i);
        if (*i > elegido && NombreDeTitulo(item) == nombre &&
            CodigoDeTitulo(item).compare(titulo, Qt::CaseInsensitive) == 0)
            elegido = *i;
    }
    if (elegido > 0)
        Combo1->setCurrentIndex(elegido);
}

bool FrmMA_CUENTAS::ValidaCuentaPrincipal(int Index, const QString& Valor) {
    if (Valor.isEmpty()) {
        LblDescRelacionado->clear();
        return true;
    }
    const cuentas::ResumenCuenta principal = cuentas::ResumeCuenta(Valor);
    if (!principal.Existe) {
        LblDescRelacionado->clear();
        Rechaza(Index, QStringLiteral("La cuenta ingresada no existe!"));
        return false;
    }
    if (principal.DadaDeBaja || principal.Titulo) {
        Rechaza(Index, principal.DadaDeBaja
                           ? QStringLiteral("La cuenta Solicitada se encuentra Actualmente dada "
                                            "de Baja ")
                           : QStringLiteral("Debe seleccionar una Cuenta Imputable"));
        return false;
    }
    LblDescRelacionado->setText(principal.Descripcion);
    return true;
}

bool FrmMA_CUENTAS::ValidaCodigoOpcional(int Index, const QString& Valor) {
    if (Valor.isEmpty())
        return true;
    QString otroCodigo, otraDescripcion;
    if (cuentas::CodigoOpcionalRepetido(Valor, Campo(QStringLiteral("CODIGO"))->text(), otroCodigo,
                                        otraDescripcion)) {
        Rechaza(Index, cuentas::MensajeCodigoOpcionalRepetido(otroCodigo, otraDescripcion));
        return false;
    }
    // Measured as stored: the "-" a user types between levels is not kept.
    if (cuentas::CodigoSinGuiones(Valor).size() > 4)
        vb::MsgBox(QStringLiteral("Recuerde, si el codigo opcional tiene mas de 4 caracteres no "
                                  "podrá utilizarlo en el modulo de caja y banco, se recomienda "
                                  "dejar codigos opcionales de 4 caracteres maximo!"),
                   vb::vbOKOnly + vb::vbInformation, QStringLiteral("Aviso al operador"));
    return true;
}

bool FrmMA_CUENTAS::RefrescaSegunTipo(int Index) {
    const bool imputable = OptTipoCuenta[0]->isChecked();
    if (!imputable && !OptTipoCuenta[1]->isChecked())
        return true;
    LblDV->setText(cuentas::TextoDigitoVerificador(CodigoCuenta, !imputable, Reglas()));
    QString mensaje;
    if (Grabando && !cuentas::ValidaCodigoSegunTipo(Campo(QStringLiteral("CODIGO"))->text(),
                                                    !imputable, Reglas(), mensaje)) {
        Rechaza(Index, mensaje);
        return false;
    }
    CHKAjustable->setEnabled(imputable);
    ChkBdu->setEnabled(imputable);
    ChkBloqueo->setEnabled(imputable);
    BotonTbar(4)->setEnabled(imputable);
    return true;
}

void FrmMA_CUENTAS::Detiene() {
    HayError = true;
    ++Rechazos;
}

void FrmMA_CUENTAS::Rechaza(int Index, const QString& Mensaje) {
    Detiene();
    vb::MsgBox(Mensaje, vb::vbOKOnly + vb::vbInformation, kAvisoOperador);
    // Leaving the field by focus moves on all the same.
    if (EnValidate)
        return;
    QWidget* campo = txtFields[size_t(Index)];
    // While browsing the code is typed in its box, its member being off.
    if (!campo->isEnabled() && campo == Campo(QStringLiteral("Codigo")))
        campo = TxtCodigo;
    campo->setFocus();
}

bool FrmMA_CUENTAS::ValidaDatos() {
    // Counted, not read from HayError: a check that a refusal's focus move
    // starts must not clear the refusal before it is read here.
    const int antes = Rechazos;
    HayError = false;
    for (int i = 0; i < int(txtFields.size()) && Rechazos == antes; ++i)
        Campo_Valida(i);
    QString legajo, empresa;
    if (cuentas::LegajoDeCuenta(Campo(QStringLiteral("CODIGO"))->text(), legajo, empresa)) {
        Detiene();
        vb::MsgBox(cuentas::MensajeLegajo(legajo, empresa), vb::vbOKOnly + vb::vbInformation,
                   cuentas::TituloAvisoUsuario);
    }
    HayError = Rechazos != antes;
    return !HayError;
}
