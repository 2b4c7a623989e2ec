#pragma once
// Account codes: six levels written one after the other, each as wide as a
// company setting says. Loads the level sizes, shows a code with "-" between
// its levels, filters the keys typed into code fields, and opens documents.

#include <QString>
#include <QVariant>
#include <cstdint>

namespace Mod_Macuentas {

// Level sizes from the DIGITOS_* keys into gDigitosNivel1..6 (absent: 0).
void CargaDigitosPlan();
// Cumulative ends into gFinNivel1..6; gFinNivel6 is the full code length.
void CargaNivelesPlan();
// Display form: the levels the code reaches joined by "-", except that levels
// 5 and 6 are written together; any surplus follows directly. A code no
// longer than level 1 comes back trimmed. The sizes are read on every call.
QString FormateaCuenta(const QString& Codigo);
// While one lives, the level sizes are read from the configuration once: a
// routine that judges, formats and looks up codes many times (loading an
// account, a save) does not read the keys again for each code.
class NivelesDeUnaVez {
public:
    NivelesDeUnaVez();
    ~NivelesDeUnaVez();
    NivelesDeUnaVez(const NivelesDeUnaVez&) = delete;
    NivelesDeUnaVez& operator=(const NivelesDeUnaVez&) = delete;
};
// Key filter of code fields (Windows-1252 character codes): with
// ESCRIBE_SOLO_MAYUSCULAS on, a digit, point or letter (Ñ included) comes
// back in upper case; every other key passes as typed.
std::int16_t MayusculaCodigo(std::int16_t KeyAscii);
// Opens a file or an address with the program the desktop associates with
// it; Minimizado asks for a minimised window.
void EjecutaArchivo(const QString& Archivo, const QVariant& Minimizado);

} // namespace Mod_Macuentas
