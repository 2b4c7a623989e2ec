// Choosing in the list lookup window: the keys of the list (accept, typing
// into the search, quantities) and the accept button, which copies the
// chosen values into the public values and hides the window.

#include "lookup/lib_frmcons3.h"

#include "lookup/lib_frmcons3_interno.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"

#include <QComboBox>
#include <QTreeView>

using namespace frmcons3;

namespace {

// A quantity as the column shows it: written by the window in the regional
// form ("3,0") or by the query either way ("2.00"). Reading it with the
// leading-number rule alone would drop the decimals after a comma.
double Cantidad(const QString& texto) {
    QString t = texto.trimmed();
    const QChar decimal = vb::regional().decimalSeparator;
    const QChar miles = vb::regional().thousandsSeparator;
    if (decimal != u'.' && t.contains(decimal)) {
        t.remove(miles);
        t.replace(decimal, u'.');
    }
    return vb::Val(t);
}

// What a key types when the caller gave only its code.
QString TextoDeCodigo(int codigo) {
    if ((codigo >= 48 && codigo <= 57) || (codigo >= 65 && codigo <= 90) || codigo == 32)
        return QString(QChar(codigo));
    if (codigo >= 96 && codigo <= 105)
        return QString(QChar(u'0' + (codigo - 96)));
    return QString();
}

bool Imprimible(const QString& texto) {
    if (texto.isEmpty())
        return false;
    for (const QChar c : texto)
        if (!c.isPrint())
            return false;
    return true;
}

} // namespace

void Lib_FrmCons3::ListView1_KeyDown(int& KeyCode, int Shift, const QString& Texto) {
    if (KeyCode == 32 && CheckBoxes) {
        const int fila = FilaSeleccionada();
        if (fila >= 0)
            Modelo->setMarcada(fila, !Modelo->marcada(fila));
        KeyCode = 0;
        return;
    }
    if (KeyCode == 13) {
        CmdAceptar_Click();
        KeyCode = 0;
    } else if (UsaCantidades &&
               ((KeyCode == 45 && (Shift == 0 || Shift == 1)) || (KeyCode == 46 && Shift == 0))) {
        TeclasCantidad(KeyCode, Shift);
        KeyCode = 0;
    } else if (EscribeEnBusqueda(KeyCode, Shift, Texto)) {
        KeyCode = 0;
    }
}

void Lib_FrmCons3::TeclasCantidad(int KeyCode, int Shift) {
    int fila = -1;
    int columna = 0;
    // A step that needs the quantity cell fails again after an ignored failure.
    auto celda = [&] {
        if (fila < 0)
            vb::Raise(vb::errObjectNotSet);
        if (columna < 1)
            vb::Raise(vb::errSubscriptOutOfRange);
        return columna - 1;
    };
    pasos::RunSteps(
        {
            [&] { fila = FilaSeleccionada(); },
            [&] { columna = IndiceColumna(kColumnaCantidad); },
            [&] {
                const int c = celda();
                const QString q = Modelo->texto(fila, c);
                if (KeyCode == 45 && Shift == 1) {
                    const QString respuesta =
                        vb::InputBox(QStringLiteral("Ingrese la Cantidad del Articulo..."),
                                     QStringLiteral("Carga de Datos"), q);
                    // An answer that reads 0 leaves the quantity as it was.
                    const double valor = Cantidad(respuesta);
                    if (valor != 0)
                        Modelo->setTexto(fila, c,
                                         vb::Format(valor, QStringLiteral("########0.00")));
                } else if (KeyCode == 45) {
                    Modelo->setTexto(fila, c,
                                     vb::Format(Cantidad(q) + 1, QStringLiteral("########0.0")));
                } else {
                    Modelo->setTexto(fila, c,
                                     vb::Format(Cantidad(q) - 1, QStringLiteral("########0.0")));
                }
            },
            [&] {
                const int c = celda();
                if (KeyCode == 45) {
                    Modelo->setMarcada(fila, true);
                } else if (Cantidad(Modelo->texto(fila, c)) <= 0) {
                    Modelo->setMarcada(fila, false);
                    Modelo->setTexto(fila, c, QStringLiteral("0.00"));
                }
            },
        },
        CajaOperador(QStringLiteral("ListView1_KeyDown")), pasos::Trap::AllErrors);
}

bool Lib_FrmCons3::EscribeEnBusqueda(int KeyCode, int Shift, const QString& Texto) {
    if (IndiceCombo < 0 || size_t(IndiceCombo) >= CmbSearch.size())
        return false;
    QComboBox* combo = CmbSearch[size_t(IndiceCombo)];
    QString texto = combo->currentText();
    if (KeyCode == 8) {
        texto.chop(1);
    } else {
        // Shortcuts with Ctrl or Alt type nothing.
        if (Shift & 6)
            return false;
        const QString tecla = Texto.isNull() ? TextoDeCodigo(KeyCode) : Texto;
        if (!Imprimible(tecla))
            return false;
        texto += tecla;
    }
    combo->setEditText(texto);
    combo->setFocus(Qt::OtherFocusReason);
    return true;
}

void Lib_FrmCons3::ListView1_DblClick() {
    CmdAceptar_Click();
}

void Lib_FrmCons3::CmdAceptar_Click() {
    bool leidas = true;
    pasos::RunSteps(
        {
            [&] {
                const int cantidad = UsaCantidades ? IndiceColumna(kColumnaCantidad) : 0;
                if (CheckBoxes) {
                    if (CampoDevuelto.isEmpty() && !Modelo->encabezados().isEmpty())
                        CampoDevuelto = Modelo->encabezados().front();
                    const int indice = IndiceColumna(CampoDevuelto);
                    QStringList valores, cantidades;
                    auto toma = [&](const FilaConsulta& f) {
                        if (!f.marcada)
                            return;
                        valores << (indice > 0 ? f.celdas.value(indice - 1) : QString());
                        if (cantidad > 0)
                            cantidades << f.celdas.value(cantidad - 1);
                    };
                    // Rows not read yet may start checked, be turned
                    // round by "Marcar", or have been checked before a
                    // sort read the list again. A list that reads on
                    // by key reads them without keeping them.
                    const bool sinLeer = MarcasInvertidas ||
                                         (!SinMarcasIniciales && !ValoresMarcados.isEmpty()) ||
                                         MarcasFijadas.values().contains(true);
                    const bool porClaves = sinLeer && PorClaves && Modelo->filas() > 0;
                    if (sinLeer && !porClaves)
                        Modelo->traerTodo();
                    leidas =
                        !(porClaves && Modelo->quedanAnteriores()) || RecorreNoLeidas(true, toma);
                    for (int fila = 0; leidas && fila < Modelo->filas(); ++fila) {
                        if (!Modelo->marcada(fila))
                            continue;
                        valores << ValorColumna(fila, indice);
                        if (cantidad > 0)
                            cantidades << ValorColumna(fila, cantidad);
                    }
                    leidas = leidas && (!(porClaves && Modelo->quedanFilas()) ||
                                        RecorreNoLeidas(false, toma));
                    // A list that could not be read whole returns
                    // nothing: the window stays for another try.
                    if (leidas) {
                        Valores << valores;
                        Cantidades << cantidades;
                    }
                    return;
                }
                const int fila = FilaSeleccionada();
                if (fila < 0)
                    return;
                QString ultimo;
                for (const QString& nombre : CmpsDevueltos) {
                    ultimo = ValorColumna(fila, IndiceColumna(nombre));
                    Valores << ultimo;
                }
                if (!CampoDevuelto.trimmed().isEmpty())
                    ultimo = ValorColumna(fila, IndiceColumna(CampoDevuelto));
                ValorDevuelto = ultimo;
                if (cantidad > 0)
                    Cantidades << ValorColumna(fila, cantidad);
            },
            [&] {
                if (leidas)
                    hide();
            },
        },
        CajaOperador(QStringLiteral("CmdAceptar_Click")), pasos::Trap::AllErrors);
}
