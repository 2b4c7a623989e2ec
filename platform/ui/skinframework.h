#pragma once
// Window skins. A skin is a Qt style sheet kept beside the skin the program
// names: for a skin file ("Styles/Vista.cjstyles") the sheet is that path
// with ".qss" for its extension ("Styles/Vista.qss"); for a skin folder named
// together with an INI file ("Styles/iTunes" and "Normalitunes.ini") it is
// that INI's name with ".qss" inside the folder
// ("Styles/iTunes/Normalitunes.qss"). Skins are artwork outside the program:
// when the sheet is not there no skin is loaded and windows keep their look.

#include <QObject>
#include <QString>

class QWidget;

class SkinFramework : public QObject {
    Q_OBJECT
public:
    // Bits of ApplyOptions.
    enum Opcion {
        ApplyFrame = 1, // skin the window frames
        ApplyColors = 2,
        ApplyMetrics = 4,
        ApplyMenus = 8,
    };

    explicit SkinFramework(QObject* parent = nullptr,
                           const QString& nombre = QStringLiteral("SkinFramework1"));

    // The style sheet that stands for a skin ("\" separators allowed).
    static QString RutaHoja(const QString& Ruta, const QString& Ini);

    // Loads the skin; false, with no skin loaded, when its sheet cannot be read.
    bool LoadSkin(const QString& Ruta, const QString& Ini);
    // Gives the window (and everything on it) the loaded skin; a window is
    // left as it is while no skin is loaded.
    void ApplyWindow(QWidget* ventana);

    // The frames belong to the window manager here, so ApplyFrame is kept
    // for the callers but draws nothing.
    int ApplyOptions() const { return opciones_; }
    void setApplyOptions(int opciones) { opciones_ = opciones; }

    bool Cargada() const { return cargada_; }
    // The loaded sheet; empty when no skin is loaded.
    const QString& Hoja() const { return hoja_; }

private:
    bool cargada_ = false;
    QString hoja_;
    int opciones_ = 0;
};
