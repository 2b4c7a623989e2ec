#pragma once
// The lookup object: one per process, created on first use and kept for the
// run. Every lookup of the program goes through it: the caller sets
// CampoDevuelto (and Checks or UsaCantidades for several rows), runs the
// lookup and reads ValorDevuelto ("" = cancelled) or Valores and Cantidades.

#include <QString>
#include <QStringList>
#include <QVariant>

class Lib_ClsCons3 {
public:
    // Reads the stock colours, the stock switch and the contains-anywhere
    // search switch from the configuration.
    Lib_ClsCons3();

    // Stock colours of article rows (colour numbers as configured; a key
    // stored empty reads as 0, an absent one as " ").
    QVariant StkNivel1;
    QVariant StkNivel2;
    QVariant StkNivel3;
    QVariant StkNivel4;
    // Stock colouring switch handed to the list window, as configured.
    QString MuestraStock;
    // For the caller's own use; lookups work on the list they are given.
    QStringList CmpsDevueltos;
    // Values chosen in check-box mode, and those of the requested columns.
    QStringList Valores;
    // Quantities typed in quantity mode.
    QStringList Cantidades;
    // Check-box (several rows) mode; every lookup that reaches a window resets it.
    bool Checks = false;
    // The single value chosen; the empty text means the user cancelled.
    QVariant ValorDevuelto;
    // Connection string of the lookups' own queries; when empty at the time
    // of a lookup, the data object's is used.
    QString gConnString;
    // Full path of the query-mask file ("consultas.zub").
    QString gRutaMascaraConsultas;
    // Bare table names take their columns, filter and order from the
    // query-mask file while this is on.
    bool gUsarMascarasConsultas = false;
    // Quantity mode of the list window.
    bool UsaCantidades = false;
    // Header of the column whose value becomes ValorDevuelto; every lookup
    // that reaches a window clears it.
    QString CampoDevuelto;

    // Contains-anywhere search of the list window (key "UsaConsultaLike").
    bool UsaConsultaLike() const { return usaConsultaLike_; }

    // A check list over the options (each begins with "1" when it starts
    // checked); the checked ones come back in Valores. Returns "".
    QString CheckOpciones(const QString& Titulo, QStringList& CmpsDevueltos,
                          const QStringList& Opc);
    // A one-choice menu over the options; the chosen text, "" when cancelled.
    QString MenuOpciones(const QString& Titulo, const QStringList& Opc);
    // Runs a lookup: SQL is a full SELECT or a table or view name. The
    // choice comes back in ValorDevuelto ("" = cancelled), or in Valores and
    // Cantidades. CampoBusqueda and Where come back as the lookup used them;
    // CmpsDevueltos names further columns wanted in Valores and comes back
    // empty. With TreeView the tree window opens instead of the list.
    void ConsultaSearch(QString SQL, QStringList& CmpsDevueltos, const QString& Clave,
                        QString& CampoBusqueda, QString& Where, const QString& SentenciaOpcional,
                        bool TreeView, const QString& ValoresDefault);
    // The lines of a text file as a one-choice list; the chosen line, "" when
    // cancelled or when the file does not exist.
    QString ConsultaDesdeArchivo(const QString& Titulo, const QString& QueArchivo,
                                 const QString& Separador);

private:
    bool usaConsultaLike_ = false;
};

// The process-wide lookup object.
Lib_ClsCons3& gConsulta();
// Drops it; the next use creates a new one. For tests.
void resetConsulta();

// Lets the start-up set the three values of gConsulta(). Call once before
// CNStuffContable::IniciaSistema.
void ConectaConsultasConInicio();
