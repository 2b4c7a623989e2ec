#pragma once
// The query-mask file "consultas.zub": per table or view, the columns and the
// condition that a lookup of a bare table name shows. A random-access file of
// fixed 1202-byte records, no header, Windows-1252 text padded to width:
//
//   offset  width  field
//        0    100  free text (never read)
//      100    100  table or view name
//      200    500  column names separated by "|"
//      700    500  condition, without the word WHERE
//     1200      2  not read (our writer puts CR LF there)

#include <QString>
#include <optional>
#include <vector>

namespace consultas_zub {

inline constexpr int LargoRegistro = 1202;
inline constexpr int AnchoLibre = 100;
inline constexpr int AnchoTabla = 100;
inline constexpr int AnchoCampos = 500;
inline constexpr int AnchoCondicion = 500;

struct MascaraConsulta {
    QString Libre;
    QString Tabla;
    // As stored: names between "|" (outer bars allowed).
    QString Campos;
    QString Condicion;
};

// The first record whose table field, without NUL and character 255 and
// trimmed, equals the trimmed Tabla (letter case ignored). Its table, column
// and condition fields come back cleaned the same way and trimmed (a NUL in
// the column list could only break the statement built from it).
// std::nullopt when the file is missing, unreadable or holds no such record.
std::optional<MascaraConsulta> BuscaMascara(const QString& Ruta, const QString& Tabla);

// Writes the records in order, each field blank-padded to its width. The file
// is replaced only when every record was written. False, with the reason in
// Error, when a field does not fit its width or holds a character that
// Windows-1252 lacks, or when the file cannot be written.
bool GrabaMascaras(const QString& Ruta, const std::vector<MascaraConsulta>& Registros,
                   QString& Error);

} // namespace consultas_zub
