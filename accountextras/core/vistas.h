#pragma once
// What the additional-data window shows of an account: the optional fields
// that the view of its range lists, and the descriptions of the codes typed
// into its fields. Window-free: the window applies the results to its
// controls.

#include <QString>
#include <array>
#include <map>
#include <optional>
#include <vector>

namespace cuentasadic {

// An optional field of the "Más Datos" tab that a view shows or hides.
struct CampoOpcional {
    QString Etiqueta;   // the label a view lists in TA_VISTAS.Campo
    QString CampoDatos; // data field of the text field
    int Leyenda;        // index of its caption in Label1
};
// Purchase/sale condition, credit limit and category, in that order.
const std::array<CampoOpcional, 3>& CamposOpcionales();

// How the window's optional fields stand for an account.
struct VistaDeCampos {
    bool MasDatos = false; // the "Más Datos" frame enabled
    // Per CamposOpcionales(); meaningful only with MasDatos: a disabled frame
    // leaves the three fields as they were.
    std::array<bool, 3> Visible{};
};

// The optional fields of the view of the account's range; none (the window
// changes nothing) when no range holds the code or its range names no view.
// A view that lists no field disables the frame. A label counts when the
// view's list contains it, without regard to case. Failures show the
// operator error box ("DeterminaVista").
std::optional<VistaDeCampos> DeterminaVista(const QString& Cuenta);

// The description labels (lblDetalle) by index, each with its Tag.
using EtiquetasDetalle = std::map<int, QString>;

// What the window does after a code field changed.
struct Descripciones {
    std::vector<std::pair<int, QString>> Leyendas; // label index and its caption, in order
    QString Mensaje;                               // "CODIGO INCORRECTO" for a missing code
    bool HayError = false;
};

// Descriptions of the code in the field bound to CampoDatos, whose Tag and
// text are given, for every label whose Tag names the same table or view
// ("TA_..." or "V_TA_..."). A blank field gives "..."; a code found gives its
// DESCRIPCION (NOMBRE for V_TA_VENDEDORES), looked up by CODIGO, or by the
// field's own column in a "V_TA_" view; a code missing stops with
// "CODIGO INCORRECTO". Any failure stops with HayError and no message.
Descripciones MostrarDescripcion(const QString& CampoDatos, const QString& TagCampo,
                                 const QString& TextoCampo, const EtiquetasDetalle& Detalles);

inline const QString MsgCodigoIncorrecto = QStringLiteral("CODIGO INCORRECTO");

} // namespace cuentasadic
