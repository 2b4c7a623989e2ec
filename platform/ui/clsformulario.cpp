#include "platform/ui/clsformulario.h"

#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

const char* const kDataField = "DataField";
const char* const kDataType = "DataType";

QString nombreColumna(QString n) {
    n = n.trimmed();
    if (n.startsWith(u'[') && n.endsWith(u']'))
        n = n.mid(1, n.size() - 2).trimmed();
    return n;
}

QString campoDe(const QWidget* w) {
    return w ? w->property(kDataField).toString() : QString();
}

bool esTipoEntero(int tipo) {
    switch (tipo) {
    case ado::adSmallInt:
    case ado::adInteger:
    case ado::adTinyInt:
    case ado::adUnsignedTinyInt:
    case ado::adBigInt:
        return true;
    default:
        return false;
    }
}

bool esTipoNumero(int tipo) {
    switch (tipo) {
    case ado::adSingle:
    case ado::adDouble:
    case ado::adCurrency:
    case ado::adDecimal:
    case ado::adNumeric:
        return true;
    default:
        return esTipoEntero(tipo);
    }
}

bool esTipoFecha(int tipo) {
    return tipo == ado::adDate || tipo == ado::adDBDate || tipo == ado::adDBTimeStamp;
}

bool esTipoTexto(int tipo) {
    switch (tipo) {
    case ado::adBSTR:
    case ado::adChar:
    case ado::adWChar:
    case ado::adVarChar:
    case ado::adLongVarChar:
    case ado::adVarWChar:
    case ado::adLongVarWChar:
        return true;
    default:
        return false;
    }
}

bool puedeTomarFoco(const QWidget* w, const QWidget* ventana) {
    return w->window() == ventana && w->isVisible() && w->isEnabled() &&
           (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

bool tomaTexto(const QWidget* w) {
    if (const auto* l = qobject_cast<const QLineEdit*>(w))
        return !l->isReadOnly();
    if (const auto* t = qobject_cast<const QTextEdit*>(w))
        return !t->isReadOnly();
    if (const auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return !t->isReadOnly();
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

} // namespace

bool ClsFormulario::FocoAlPrimerCampo(QWidget* dentro) {
    if (!dentro)
        return false;
    QWidget* ventana = dentro->window();
    for (QWidget* w = ventana->nextInFocusChain(); w && w != ventana; w = w->nextInFocusChain()) {
        // Before the window is shown its controls are not visible yet: those
        // it would show count.
        if ((w == dentro || dentro->isAncestorOf(w)) && w->isVisibleTo(ventana) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && tomaTexto(w)) {
            w->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

void ClsFormulario::OrdenTabulacion(const QList<QWidget*>& controles) {
    QWidget* anterior = nullptr;
    for (QWidget* c : controles) {
        if (!c)
            continue;
        if (anterior)
            QWidget::setTabOrder(anterior, c);
        anterior = c;
    }
}

bool ClsFormulario::mismoCampo(const QString& enlazado, const QString& campo) {
    const QString a = nombreColumna(enlazado);
    return !a.isEmpty() && a.compare(nombreColumna(campo), Qt::CaseInsensitive) == 0;
}

int ClsFormulario::indiceControl(const QString& campo, const QList<QWidget*>& controles) {
    for (qsizetype i = 0; i < controles.size(); ++i) {
        if (mismoCampo(campoDe(controles.at(i)), campo))
            return int(i);
    }
    return -1;
}

bool ClsFormulario::EsTeclaAceptar(int keyCode) {
    return keyCode == 13;
}

void ClsFormulario::MueveFoco(int /*keyCode*/) {
    QWidget* actual = QApplication::focusWidget();
    if (!actual)
        return;
    const QWidget* ventana = actual->window();
    for (QWidget* w = actual->nextInFocusChain(); w && w != actual; w = w->nextInFocusChain()) {
        if (puedeTomarFoco(w, ventana)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void ClsFormulario::FiltraTecla(QWidget* control, int& keyAscii) {
    if (!control || keyAscii < 32)
        return;
    bool ok = false;
    const int tipo = control->property(kDataType).toInt(&ok);
    if (!ok)
        return;
    const QChar c(keyAscii);
    if (esTipoNumero(tipo)) {
        if (c.isDigit() || c == u'-')
            return;
        if ((c == u',' || c == u'.') && !esTipoEntero(tipo)) {
            const QChar separador = vb::regional().decimalSeparator;
            keyAscii = texto(control).contains(separador) ? 0 : separador.unicode();
            return;
        }
        keyAscii = 0;
    } else if (esTipoFecha(tipo)) {
        if (!(c.isDigit() || c == u'/'))
            keyAscii = 0;
    }
}

QString ClsFormulario::FiltraNumerico() {
    return QString(vb::regional().decimalSeparator);
}

void ClsFormulario::MarcaControl(QWidget* control, const QString& /*texto*/) {
    if (auto* e = qobject_cast<QLineEdit*>(control))
        e->selectAll();
    else if (auto* p = qobject_cast<QPlainTextEdit*>(control))
        p->selectAll();
    else if (auto* t = qobject_cast<QTextEdit*>(control))
        t->selectAll();
}

void ClsFormulario::LimpiaFormulario(QWidget* formulario, int /*modo*/,
                                     const QString& soloControl) {
    if (!formulario)
        return;
    const QList<QWidget*> hijos = formulario->findChildren<QWidget*>();
    for (QWidget* w : hijos) {
        if (campoDe(w).trimmed().isEmpty())
            continue;
        if (!soloControl.isEmpty() &&
            w->objectName().compare(soloControl, Qt::CaseInsensitive) != 0)
            continue;
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->clear();
        else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
            p->clear();
        else if (auto* t = qobject_cast<QTextEdit*>(w))
            t->clear();
    }
}

QString ClsFormulario::texto(const QWidget* control) {
    if (auto* e = qobject_cast<const QLineEdit*>(control))
        return e->text();
    if (auto* p = qobject_cast<const QPlainTextEdit*>(control))
        return p->toPlainText();
    if (auto* t = qobject_cast<const QTextEdit*>(control))
        return t->toPlainText();
    if (auto* l = qobject_cast<const QLabel*>(control))
        return l->text();
    if (auto* c = qobject_cast<const QComboBox*>(control))
        return c->currentText();
    return QString();
}

void ClsFormulario::setTexto(QWidget* control, const QString& texto) {
    if (auto* e = qobject_cast<QLineEdit*>(control))
        e->setText(texto);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(control))
        p->setPlainText(texto);
    else if (auto* t = qobject_cast<QTextEdit*>(control))
        t->setPlainText(texto);
    else if (auto* l = qobject_cast<QLabel*>(control))
        l->setText(texto);
    else if (auto* c = qobject_cast<QComboBox*>(control); c && c->isEditable())
        c->setEditText(texto);
}

void ClsFormulario::ajustaCamposATabla(const QList<QWidget*>& controles, const QString& tabla,
                                       const QString& connString) {
    try {
        const ado::ConnectionPtr cnn = ado::Connection::create();
        cnn->Open(connString);
        const ado::RecordsetPtr rs = ado::Recordset::create();
        rs->Open(QStringLiteral("SELECT * FROM ") + tabla + QStringLiteral(" WHERE 1 = 0"), cnn);
        for (QWidget* w : controles) {
            const QString campo = nombreColumna(campoDe(w));
            if (campo.isEmpty() || !rs->hasField(campo))
                continue;
            const ado::Field f = rs->Fields(campo);
            w->setProperty(kDataType, f.Type());
            auto* e = qobject_cast<QLineEdit*>(w);
            if (e && esTipoTexto(f.Type()) && f.DefinedSize() > 0)
                e->setMaxLength(int(f.DefinedSize()));
        }
        rs->Close();
        cnn->Close();
    } catch (const ado::Exception&) {
        // The members keep their limits; the window works without them.
    }
}

void ClsFormulario::copiaRegistro(const ado::Recordset& rs, const QList<QWidget*>& controles) {
    if (rs.State() != ado::adStateOpen || rs.BOF() || rs.EOF())
        return;
    for (QWidget* w : controles) {
        const QString campo = nombreColumna(campoDe(w));
        if (!campo.isEmpty() && rs.hasField(campo))
            setTexto(w, ClsUtilidades::ValorCampo(rs.Fields(campo)));
    }
}
