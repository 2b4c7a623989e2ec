// Header fields of the adjustment window: what happens while a field is
// edited (focus, key filter, period formatting, accept key, right button) and
// the validation of each field against its rules.

#include "adjustment/ui/frmquarzelo.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/mouse.h"
#include "platform/ui/teclas.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsini.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"
#include "startup/core/mod_macuentas.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>

namespace {

const QString kAviso = QStringLiteral("Aviso al Operador");

bool Es(const QString& campo, const char* nombre) {
    return campo.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

QString Tag(const QLineEdit* campo) {
    return campo->property("Tag").toString();
}

// A regional number written without blanks, as the fields hold them.
bool Numerico(const QString& texto) {
    return ClsUtilidades::EsNumero(texto);
}

QString Relleno(const QString& numero, const char* patron) {
    return vb::Format(ClsUtilidades::TextoANumero(numero), QLatin1String(patron));
}

QString Letras(const QString& tc, const QString& condicion) {
    return vb::CStr(gDatos().DatosTabla(QStringLiteral("TA_COMPROBANTES"), tc,
                                        QStringLiteral("LETRAS"), QStringLiteral("Codigo"), 8,
                                        condicion, true, false));
}

// The first day of a "MM/AAAA" period, read day first.
std::optional<QDateTime> PrimerDia(const QString& periodo) {
    return vb::ParseDate(QStringLiteral("01/") + Recorta(periodo));
}

} // namespace

// ---- Rules by column -------------------------------------------------------------------

QString FrmQuarzelo::TextoCampo(const char* columna) const {
    return Campo(QLatin1String(columna))->text();
}

void FrmQuarzelo::PonCampo(const char* columna, const QString& texto) {
    Campo(QLatin1String(columna))->setText(texto);
}

std::optional<QString> FrmQuarzelo::ReglaCtaRei(const QString& Texto) {
    if (Texto.isEmpty())
        return QStringLiteral("Debe ingresar un código de Cuenta R.E.I.");
    DB_Dll& datos = gDatos();
    if (!datos.ExisteEnTabla(QStringLiteral("ma_cuentas"), Texto, QStringLiteral("codigo"), nullptr,
                             8, QString(), true))
        return QStringLiteral("Código inexistente");
    // The balancing line is posted on it: a title (or a blocked or dropped
    // account) takes no postings.
    if (!Reglas->CuentaImputable(Texto))
        return QStringLiteral("La Cuenta debe ser imputable");
    LblDescCuenta->setText(vb::CStr(
        datos.DatosTabla(QStringLiteral("ma_cuentas"), Texto, QStringLiteral("descripcion"),
                         QStringLiteral("codigo"), 8, QString(), true, false)));
    Modificado = true;
    CtaReiValidada = true;
    CuentaReiValidada = Texto;
    return std::nullopt;
}

std::optional<QString> FrmQuarzelo::ReglaTC(const QLineEdit* Control, const QString& Texto) {
    // Nothing reads it back: the voucher type has no remembered default.
    ClsIni::GrabaIni(QStringLiteral("CN000p.INI"), CNStuffContable::gSeccionIni,
                     QStringLiteral("Ajuste(TC)"), Texto);
    QString letras;
    if (!Recorta(Tag(Control)).isEmpty()) {
        letras = Letras(Texto, QStringLiteral(" SISTEMA = 'CONTABLE'"));
        if (letras.trimmed().isEmpty())
            return QStringLiteral("El tipo de comprobante ingresado no es valido o no tiene "
                                  "asignada ninguna letra");
    }
    QString letra = letras.trimmed().left(1);
    Campo(QStringLiteral("SUCURSAL"))->setEnabled(false);
    Campo(QStringLiteral("NUMERO"))->setEnabled(false);
    // The save check leaves the voucher the user accepted as it is.
    if (!SoloRevalida) {
        if (Reglas->ComprobanteEntrada(Texto)) {
            PonCampo("LETRA", letra);
        } else {
            QString suc, nro;
            Reglas->DatosComprobante(Texto, suc, nro, letra, QString());
            PonCampo("SUCURSAL", suc);
            PonCampo("NUMERO", nro);
            PonCampo("LETRA", letra);
        }
    }
    lbldesctc->setText(vb::CStr(
        gDatos().DatosTabla(QStringLiteral("TA_COMPROBANTES"), Texto, QStringLiteral("Descripcion"),
                            QStringLiteral("Codigo"), 8, QString(), true, false)));
    return std::nullopt;
}

namespace {

std::optional<QString> ReglaSucursal(QLineEdit* Control, const QString& Texto) {
    if (!Texto.isEmpty() && !Numerico(Texto))
        return QStringLiteral("El campo debe ser numérico ");
    Control->setText(Texto.isEmpty() ? QStringLiteral("0001") : Relleno(Texto, "0000"));
    return std::nullopt;
}

} // namespace

std::optional<QString> FrmQuarzelo::ReglaNumero(QLineEdit* Control, const QString& Texto) {
    const QString tc = TextoCampo("TC");
    const QString letras = Letras(tc, QString());
    if (letras.trimmed().isEmpty())
        return QStringLiteral("El comprobante no tiene letras asignadas");
    QString letra = TextoCampo("LETRA");
    if (letra.isEmpty())
        letra = letras.trimmed().left(1);
    QString suc, nro;
    Reglas->DatosComprobante(tc, suc, nro, letra, QString());
    if (!Numerico(Texto))
        return QStringLiteral("El campo debe ser numérico");
    Control->setText(Relleno(Texto, "00000000"));
    if (vb::Val(nro) < ClsUtilidades::TextoANumero(Texto) && !Reglas->ComprobanteEntrada(tc) &&
        !VerificaTotales)
        vb::MsgBox(QStringLiteral("El numero no es correlativo al último informado en "
                                  "configuracion"),
                   vb::vbInformation);
    return std::nullopt;
}

std::optional<QString> FrmQuarzelo::ReglaLetra(const QString& Texto) {
    if (!QStringLiteral("ABCXE ").contains(Texto, Qt::CaseInsensitive))
        return QStringLiteral("Debe ingresar A,B,C,X,E");
    const QString tc = TextoCampo("TC");
    QString suc = TextoCampo("SUCURSAL");
    QString nro = TextoCampo("NUMERO");
    const QString letras = Letras(tc, QString());
    if (!Texto.isEmpty() && !letras.contains(Texto, Qt::CaseInsensitive))
        return QStringLiteral("La letra Informada no forma parte de las informadas en la "
                              "configuracion");
    if (!Reglas->ComprobanteEntrada(tc)) {
        if (!Texto.isEmpty() && !SoloRevalida) {
            QString letra = Texto;
            Reglas->DatosComprobante(tc, suc, nro, letra, QString());
            PonCampo("SUCURSAL", suc);
            PonCampo("NUMERO", nro);
        }
        QString mensaje;
        if (!Reglas->ValidaComprobante(tc, suc, nro, Texto, mensaje))
            return mensaje;
        PonCampo("NUMERO", Relleno(nro, "00000000"));
    }
    if (!SoloRevalida && !Grabando) {
        // However the letter is left, the header is locked only with all its
        // fields validated as they stand: the refused one has been told.
        if (!ValidaCabecera(ClsFormulario::IndiceControl(QStringLiteral("LETRA"), txtFields)))
            return QString();
        HabilitaCabecera(true);
        if (CmdGenerar->isEnabled())
            CmdGenerar->setFocus();
    }
    return std::nullopt;
}

std::optional<QString> FrmQuarzelo::ReglaFecha(const QString& Texto) {
    QString mensaje;
    Reglas->FechaValidada(Texto, mensaje, HayError);
    if (HayError)
        return mensaje;
    const QDateTime fecha = vb::CDate(Texto);
    NumeroMostrado = QString::number(Reglas->UltimoNumeroAsiento(
        fecha.date().month(), QString(), QVariant(CNStuffContable::gPeriodoActual)));
    PonCampo("[NUMERO ASIENTO]", Reglas->FormatDisplayNroAsiento(NumeroMostrado, fecha));
    return std::nullopt;
}

FrmQuarzelo::ReglaPeriodoResultado FrmQuarzelo::ReglaPeriodo(const QString& Texto) {
    if (Texto.isEmpty())
        return {QStringLiteral("Debe Informar el Periodo!")};
    const QString formato = QStringLiteral("Debe informar los periodos en formato MM/AAAA");
    const qsizetype barra = Texto.indexOf(u'/');
    const qsizetype guion = Texto.indexOf(u'-');
    if (barra < 0 && guion < 0) {
        if (Texto.size() < 6)
            return {formato};
    } else if ((barra >= 0 ? barra : guion) != 2 || (barra >= 0 && guion >= 0 && guion < barra)) {
        // The month takes two digits before its separator ("1/2021" is no period).
        return {formato};
    }
    const QString invalido =
        QStringLiteral("Los datos ingresados no representan un periodo válido");
    const double mes = vb::Val(Texto.left(2));
    if (!PrimerDia(Texto) || mes > 12 || mes < 1)
        return {invalido};

    // Both fields, whichever is being validated.
    const std::optional<QDateTime> d1 = PrimerDia(TextoCampo("PERIODO_DESDE"));
    const std::optional<QDateTime> d2 = PrimerDia(TextoCampo("PERIODO_HASTA"));
    if (!d1 || !d2)
        return {invalido};
    if (*d2 < *d1)
        return {QStringLiteral("Periodo Desde Mayor que Hasta!")};

    const std::optional<QDateTime> c1 =
        vb::ParseDate(CNStuffContable::Cfg(QStringLiteral("[FECHA DESDE]")).trimmed());
    const std::optional<QDateTime> c2 =
        vb::ParseDate(CNStuffContable::Cfg(QStringLiteral("[FECHA HASTA]")).trimmed());
    if (!c1 || !c2)
        return {QStringLiteral("No se puede leer el rango del Ejercicio en la configuracion")};
    auto fuera = [&](const QDateTime& d) { return d.date() < c1->date() || d.date() > c2->date(); };
    if (fuera(*d1)) {
        vb::MsgBox(QStringLiteral("El Periodo Desde no pertenece al rango del Ejercicio"));
        return {QString(), true};
    }
    if (fuera(*d2)) {
        vb::MsgBox(QStringLiteral("El Periodo Hasta no pertenece al rango del Ejercicio"));
        return {QString(), true};
    }
    return {};
}

// ---- Event routing ---------------------------------------------------------------------

namespace {

bool EsTeclaFuncion(int codigo) {
    return codigo >= 112 && codigo <= 123;
}

using pasos::Protege;

} // namespace

class FiltroCabecera : public QObject {
public:
    explicit FiltroCabecera(FrmQuarzelo* w) : QObject(w), w_(w) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (reenvio_)
            return false;
        if (objeto == w_) {
            // Keys no control took: the toolbar's function keys.
            if (evento->type() == QEvent::KeyPress) {
                const int codigo = ui::vbKeyCode(*static_cast<QKeyEvent*>(evento));
                if (EsTeclaFuncion(codigo)) {
                    Protege([&] { w_->Paxtor1->ProcesaTecla(codigo); });
                    return true;
                }
            }
            return false;
        }
        const int indice = IndiceDe(objeto);
        if (indice < 0)
            return false;
        QLineEdit* campo = w_->txtFields[size_t(indice)];
        switch (evento->type()) {
        case QEvent::FocusIn:
            Protege([&] { w_->txtFields_GotFocus(indice); });
            return false;
        case QEvent::FocusOut:
            // The user left the field; the window's own moves and another
            // window's activation do not validate it.
            switch (static_cast<QFocusEvent*>(evento)->reason()) {
            case Qt::TabFocusReason:
            case Qt::BacktabFocusReason:
            case Qt::MouseFocusReason:
            case Qt::ShortcutFocusReason:
                Protege([&] { w_->txtFields_LostFocus(indice); });
                break;
            default:
                break;
            }
            return false;
        case QEvent::MouseButtonPress: {
            const auto* m = static_cast<QMouseEvent*>(evento);
            const int boton = ui::vbMouseButton(*campo, *m);
            if (boton == 0)
                return true;
            Protege([&] {
                w_->txtFields_MouseDown(indice, boton, 0, float(m->position().x()),
                                        float(m->position().y()));
            });
            return boton == 2;
        }
        case QEvent::KeyPress:
            return TeclaAbajo(indice, campo, static_cast<QKeyEvent*>(evento));
        case QEvent::KeyRelease: {
            auto* k = static_cast<QKeyEvent*>(evento);
            if (!k->isAutoRepeat())
                Protege([&] {
                    w_->txtFields_KeyUp(indice, ui::vbKeyCode(*k), ui::vbShift(k->modifiers()));
                });
            return false;
        }
        default:
            return false;
        }
    }

private:
    int IndiceDe(const QObject* objeto) const {
        for (size_t i = 0; i < w_->txtFields.size(); ++i)
            if (w_->txtFields[i] == objeto)
                return int(i);
        return -1;
    }

    bool TeclaAbajo(int indice, QLineEdit* campo, QKeyEvent* k) {
        int codigo = ui::vbKeyCode(*k);
        const bool funcion = EsTeclaFuncion(codigo);
        Protege([&] { w_->txtFields_KeyDown(indice, codigo, ui::vbShift(k->modifiers())); });
        // The toolbar has taken its key; it must not reach the window again.
        if (funcion)
            return true;
        const QString texto = k->text();
        if (texto.size() != 1 || texto.at(0).unicode() < 32 || texto.at(0).unicode() > 255 ||
            (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        const int original = texto.at(0).unicode();
        int ascii = original;
        Protege([&] { w_->txtFields_KeyPress(indice, ascii); });
        if (ascii == original)
            return false;
        // The character the filter chose is typed instead.
        ui::TecleaEnLugar(campo, *k, ascii, reenvio_);
        return true;
    }

    FrmQuarzelo* w_;
    bool reenvio_ = false;
};

void FrmQuarzelo::ConectaEventos() {
    FiltroEventos = new FiltroCabecera(this);
    installEventFilter(FiltroEventos);
    Validado.assign(txtFields.size(), false);
    Tocado.assign(txtFields.size(), false);
    for (size_t i = 0; i < txtFields.size(); ++i) {
        QLineEdit* t = txtFields[i];
        t->installEventFilter(FiltroEventos);
        // The right button opens the field's lookup.
        t->setContextMenuPolicy(Qt::NoContextMenu);
        connect(t, &QLineEdit::textChanged, this,
                [this, i] { Protege([&] { txtFields_Change(int(i)); }); });
        connect(t, &QLineEdit::textEdited, this, [this] { CabeceraTecleada = true; });
    }
    connect(Paxtor1, &Paxtor::ButtonClick, this,
            [this](const QString& Key) { Protege([&] { Paxtor1_ButtonClick(Key); }); });
}

QString FrmQuarzelo::FormateaPeriodo(const QString& Texto) {
    const QString s =
        ClsUtilidades::LimpiaTexto(Texto, QStringLiteral("-"), QStringLiteral("/")).trimmed();
    if (s.size() < 2)
        return Texto;
    return s.left(2).trimmed() + u'/' + s.mid(2).trimmed();
}

void FrmQuarzelo::txtFields_GotFocus(int Index) {
    QLineEdit* campo = txtFields[size_t(Index)];
    IndiceActual = Index;
    Paxtor1->setEstado(Paxtor::EstadoConsultar, !Recorta(Tag(campo)).isEmpty());
    // Only while the header is edited, on the REI account validated as it
    // is shown: once generated the entry keeps its lines until a new one is
    // started.
    if (FrmCabecera->isEnabled())
        CmdGenerar->setEnabled(ReiVigente() && Estado == Contenido::SinLineas);
    ClsFormulario::MarcaControl(campo, QString());
}

void FrmQuarzelo::txtFields_KeyDown(int Index, int& KeyCode, int Shift) {
    Q_UNUSED(Shift);
    QLineEdit* campo = txtFields[size_t(Index)];
    if (ClsFormulario::EsTeclaAceptar(KeyCode)) {
        ValidaCampo(Index);
        // A field whose rule sent the user elsewhere (LETRA to "&Generar")
        // keeps that choice.
        if (!HayError && QApplication::focusWidget() == campo)
            ClsFormulario::MueveFoco(KeyCode);
    }
    Paxtor1->setEstado(Paxtor::EstadoConsultar, !Recorta(Tag(campo)).isEmpty());
    Paxtor1->ProcesaTecla(KeyCode);
    IndiceActual = Index;
}

void FrmQuarzelo::txtFields_KeyPress(int Index, int& KeyAscii) {
    ClsFormulario::FiltraTecla(txtFields[size_t(Index)], KeyAscii);
    if (KeyAscii <= 0)
        return;
    if (Index == 3 || Index == 6) {
        const QString mayuscula = QString(QChar(char16_t(KeyAscii))).toUpper();
        if (mayuscula.size() == 1 && mayuscula.at(0).unicode() <= 255)
            KeyAscii = mayuscula.at(0).unicode();
    } else {
        KeyAscii = Mod_Macuentas::MayusculaCodigo(std::int16_t(KeyAscii));
    }
}

void FrmQuarzelo::txtFields_KeyUp(int Index, int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    QLineEdit* campo = txtFields[size_t(Index)];
    if (!campo->property("DataField").toString().contains(u"Periodo", Qt::CaseInsensitive))
        return;
    switch (KeyCode) {
    case 37:
    case 38:
    case 39:
    case 40:
    case 8:
    case 46:
    case 36:
    case 16:
    case 17:
        return;
    default:
        break;
    }
    campo->setText(FormateaPeriodo(campo->text()));
    campo->setCursorPosition(int(campo->text().trimmed().size()));
}

void FrmQuarzelo::txtFields_MouseDown(int Index, int Button, int Shift, float X, float Y) {
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    IndiceActual = Index;
    if (Button == 2)
        ConsultaCampo();
}

void FrmQuarzelo::txtFields_Change(int Index) {
    if (size_t(Index) < Validado.size()) {
        Validado[size_t(Index)] = false;
        Tocado[size_t(Index)] = true;
    }
    RechazoAlSalir = false;
    if (!Es(Recorta(txtFields[size_t(Index)]->property("DataField").toString()), "CTA_REI"))
        return;
    // Another text is no longer the account validated: Generar waits for it
    // while the user can validate it; behind the locked header Generar reads
    // it again itself.
    CtaReiValidada = false;
    CuentaReiValidada.clear();
    if (FrmCabecera->isEnabled())
        CmdGenerar->setEnabled(false);
}

bool FrmQuarzelo::ReiVigente() const {
    const int i = ClsFormulario::IndiceControl(QStringLiteral("CTA_REI"), txtFields);
    return CtaReiValidada && i >= 0 && size_t(i) < Validado.size() && Validado[size_t(i)];
}

void FrmQuarzelo::txtFields_LostFocus(int Index) {
    QLineEdit* campo = txtFields[size_t(Index)];
    // A field passed by untouched has nothing to check yet: the header's
    // lock checks every field all the same.
    if (ValidandoAlSalir || size_t(Index) >= Validado.size() || Validado[size_t(Index)] ||
        !Tocado[size_t(Index)] || !FrmCabecera->isAncestorOf(campo) || !campo->isEnabled() ||
        campo->isReadOnly())
        return;
    ValidandoAlSalir = true;
    struct Fin {
        bool& b;
        ~Fin() { b = false; }
    } fin{ValidandoAlSalir};
    CampoRechazado = nullptr;
    ValidaCampo(Index);
    if (!HayError)
        return;
    RechazoAlSalir = true;
    // Back to the refused field (another one when the check went on to it),
    // also when a message box has taken the activation meanwhile.
    (CampoRechazado ? CampoRechazado : campo)->setFocus(Qt::OtherFocusReason);
}

bool FrmQuarzelo::ValidaCabecera(int Salvo) {
    const bool antes = SoloRevalida;
    struct Restaura {
        bool& b;
        bool v;
        ~Restaura() { b = v; }
    } restaura{SoloRevalida, antes};
    for (size_t i = 0; i < txtFields.size(); ++i) {
        QLineEdit* campo = txtFields[i];
        if (int(i) == Salvo || (i < Validado.size() && Validado[i]) ||
            !FrmCabecera->isAncestorOf(campo) || !campo->isEnabled() || campo->isReadOnly())
            continue;
        SoloRevalida = true;
        ValidaCampo(campo, int(i), true);
        if (HayError) {
            CampoRechazado = campo;
            campo->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

bool FrmQuarzelo::ValidaCampo(int Index) {
    ValidaCampo(txtFields[size_t(Index)], Index, true);
    return !HayError;
}

void FrmQuarzelo::ValidaCampo(QLineEdit* Control, int Index, bool MostrarMensaje) {
    Q_UNUSED(Index);
    HayError = false;
    const auto posicion = std::find(txtFields.begin(), txtFields.end(), Control);
    const size_t indice = size_t(posicion - txtFields.begin());
    if (indice < Validado.size())
        Validado[indice] = false;
    QString Mensaje;
    const QString Texto = Recorta(Control->text());
    const QString Campo_ = Recorta(Control->property("DataField").toString());

    std::optional<QString> rechazo;
    if (Es(Campo_, "CTA_REI")) {
        rechazo = ReglaCtaRei(Texto);
        if (rechazo) {
            CtaReiValidada = false;
            CuentaReiValidada.clear();
            // The name shown is the account's that passed, no longer the field's.
            LblDescCuenta->clear();
        }
    } else if (Es(Campo_, "TC")) {
        rechazo = ReglaTC(Control, Texto);
    } else if (Es(Campo_, "SUCURSAL")) {
        rechazo = ReglaSucursal(Control, Texto);
    } else if (Es(Campo_, "NUMERO")) {
        rechazo = ReglaNumero(Control, Texto);
    } else if (Es(Campo_, "LETRA")) {
        rechazo = ReglaLetra(Texto);
    } else if (Es(Campo_, "DETALLE")) {
        if (Texto.isEmpty())
            rechazo = QStringLiteral("Debe ingresar el Concepto");
    } else if (Es(Campo_, "FECHA")) {
        rechazo = ReglaFecha(Texto);
    } else if (Es(Campo_, "PERIODO_DESDE") || Es(Campo_, "PERIODO_HASTA")) {
        const ReglaPeriodoResultado p = ReglaPeriodo(Texto);
        if (p.aviso) {
            HayError = true;
            return;
        }
        rechazo = p.rechazo;
    }

    if (rechazo) {
        HayError = true;
        Mensaje = *rechazo;
    } else {
        ControlaTotalCabecera(Mensaje);
        if (!HayError) {
            if (indice < Validado.size())
                Validado[indice] = true;
            RechazoAlSalir = false;
            if (Es(Campo_, "CTA_REI") && FrmCabecera->isEnabled() && Estado == Contenido::SinLineas)
                CmdGenerar->setEnabled(true);
            return;
        }
    }
    if (!Mensaje.trimmed().isEmpty() && MostrarMensaje)
        vb::MsgBox(Mensaje, vb::vbExclamation, kAviso);
}
