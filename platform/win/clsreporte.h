#pragma once
// The suite's report component. Reports are run by the suite's report runner
// (CN000R), a program of its own installed in the reports folder: the
// component finds it there and starts it with the report and the connection
// values, as the suite's programs hand each other a login.

#include <QString>
#include <QStringList>

class ClsReporte {
public:
    // Name of the report runner as installed on Windows.
    static QString Ejecutor() { return QStringLiteral("CN000R.EXE"); }

    // Folder of the program and its reports (the runner lives there).
    void CarpetaReportes(const QString& carpeta) { carpeta_ = carpeta; }
    QString CarpetaReportes() const { return carpeta_; }

    // Starts the runner from the reports folder, without waiting for it. Its
    // arguments are "@Menu=<Reporte>;" followed by Parametros, each one
    // argument of its own. False when the runner is missing or does not start.
    bool EjecutaReporte(const QString& Reporte, const QStringList& Parametros);

    // A program of the suite in a folder, found as Windows finds it: its name
    // without regard to letter case, with or without ".EXE" ("CN000R.EXE"
    // finds cn000r, CN000R.exe ...). Full path, "" when there is none.
    static QString BuscaPrograma(const QString& carpeta, const QString& nombre);

    // Starts a program, without waiting for it, in the given folder. The
    // arguments reach it as they are (no shell). Its process number, 0 when
    // it did not start.
    static qint64 Inicia(const QString& programa, const QStringList& argumentos,
                         const QString& carpeta);

private:
    QString carpeta_;
};
