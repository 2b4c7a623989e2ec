#pragma once
// Text, number and path helpers of the suite library, its operator error box
// and the password encoding. Stateless apart from the wait cursor and the
// engine that date literals are written for; every operation is static, so
// the shared instance of the callers and the class name work alike. The
// cursor, the window set-up and the date chooser go to the desktop
// (platform/win/desktop.h), which the widget layer provides.

#include "platform/ado/ado.h"
#include "platform/vb/vb.h"

#include <QString>
#include <QVariant>
#include <optional>

class QWidget;

// Engine a date literal is written for.
enum class MotorSQL { SQLite, SqlServer, Oracle };

class ClsUtilidades {
public:
    // The value as text the way the regional settings write it; Null and
    // Empty give "".
    static QString ValorCampo(const QVariant& valor);
    static QString ValorCampo(const ado::Field& campo);

    // The folder with exactly one trailing separator. "\" and "/" both count
    // as one; when none is there "/" is added.
    static QString CarpetaConBarra(const QString& carpeta);

    // The text without any of the characters of `caracteres` (and of
    // `caracteres2`).
    static QString LimpiaTexto(const QString& texto, const QString& caracteres,
                               const QString& caracteres2 = QString());
    // Every occurrence of `buscado` replaced (letter case counts).
    static QString CambiaCaracter(const QString& texto, const QString& buscado,
                                  const QString& reemplazo);
    // Every occurrence of `buscado` replaced, letter case ignored.
    static QString ReemplazaTexto(const QString& texto, const QString& buscado,
                                  const QString& reemplazo);
    // The first n characters; the whole text when shorter.
    static QString PrimerosCaracteres(const QString& texto, int n);
    static QString CortaTexto(const QString& texto, int n);

    // Numbers written in the regional form ("1.234,56"), blanks around
    // allowed. A text that holds no number gives 0.
    static vb::Currency TextoAMoneda(const QString& texto);
    static double TextoANumero(const QString& texto);
    static int TextoAEntero(const QString& texto); // rounds half to even
    // True only when the whole text, without any blank, is a regional number:
    // a code padded with blanks is not a number.
    static bool EsNumero(const QString& texto);
    // Empty, blanks or NUL characters only.
    static bool EsVacio(const QString& texto);
    // Digits 0-9 only (the empty text passes).
    static bool EsCodigoNumerico(const QString& texto);
    // Words separated by blanks, tabs or line breaks.
    static int CuentaPalabras(const QString& texto);

    // A number code (digits only) with leading zeros up to `ancho`
    // characters; a longer one keeps its last `ancho` characters. Any other
    // text (a letter code such as "FC"), the empty text, and every text
    // without a width (0 or less) come back unchanged.
    static QString RellenaCeros(const QString& texto, int ancho = 0);

    // SQL literal, delimiters included, of a day-first date text
    // ("31/12/2023"), at midnight so that it compares by calendar day:
    //   SQLite     '2023-12-31 00:00:00' (dates are stored as ISO text)
    //   SQL Server '20231231'
    //   Oracle     TO_DATE('2023-12-31','YYYY-MM-DD')
    // A text that is no date gives NULL, which matches no row.
    static QString FechaParaSQL(const QString& fecha);
    static QString FechaParaSQL(const QString& fecha, MotorSQL motor);
    // SQL literal of a date and time to the second (milliseconds when it has
    // them), in a form each engine reads the same whatever its language:
    //   SQLite     '2024-03-07 09:05:02'
    //   SQL Server '2024-03-07T09:05:02'
    //   Oracle     TO_DATE('2024-03-07 09:05:02','YYYY-MM-DD HH24:MI:SS')
    // An invalid date gives NULL.
    static QString FechaHoraParaSQL(const QDateTime& fecha);
    static QString FechaHoraParaSQL(const QDateTime& fecha, MotorSQL motor);
    // The engine of FechaParaSQL without one: SQLite until whoever opens the
    // connection sets the engine it reached.
    static void setMotorSQL(MotorSQL motor);
    static MotorSQL motorSQL();

    // The operator error box: "Ha ocurrido el Siguiente Error (<number>) "
    // and the description, titled with the source, " - " and the routine
    // when given, and " Aviso al operador!!! ". Buttons 18 (Abort, Retry,
    // Ignore, critical icon) unless given. Returns the button pressed
    // (4 Retry, 5 Ignore, ...), or 0 without a box when the number is 0.
    static int ReportaError(const ado::Error& error, std::optional<int> botones = std::nullopt,
                            const std::optional<QString>& rutina = std::nullopt);

    // Reversible password obfuscation, not encryption: it keeps a password
    // from being read at a glance in a file the suite shares (BASES.TXT), and
    // anyone with the program can undo it. The obfuscated text is plain ASCII
    // (letters and digits), so it holds no comma, quote or line break and
    // survives a Windows-1252 file. A text that is not of the encoded form (not hex
    // digits, or not text once decoded) is given back unchanged.
    static QString CodificaClave(const QString& clave);
    static QString DecodificaClave(const QString& codificada);

    // Wait cursor on or off; switching it off when it is off does nothing.
    static void CursorEspera(bool activar);
    // Common set-up of a window: centred over its parent or the screen.
    static void PreparaFormulario(QWidget* formulario, int modo = 0);
    // Date chooser; the chosen date is left in `fecha` as "dd/mm/yyyy".
    // False (text unchanged) when the operator cancels.
    static bool PideFecha(QString& fecha);
};
