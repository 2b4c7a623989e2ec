// Window dressing: the user's skin, the program's icon and the toolbar style.

#include "platform/ado/ado.h"
#include "platform/ui/paxtor.h"
#include "platform/ui/skinframework.h"
#include "platform/vb/errors.h"
#include "platform/vb/vb.h"
#include "platform/win/clsentorno.h"
#include "platform/win/clsini.h"
#include "platform/win/clsutilidades.h"
#include "platform/win/quindel2.h"
#include "startup/cns_pasos.h"
#include "startup/cnstuffcontable.h"

#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QWidget>
#include <cmath>

namespace CNStuffContable {

namespace {

// Skin file (relative to the program folder) and the INI name that goes with it.
struct Skin {
    QString Archivo;
    QString Ini;
};

Skin SkinDeNumero(int numero) {
    switch (numero) {
    case 1:
        return {QStringLiteral("Styles\\Vista.cjstyles"), QString()};
    case 2:
        return {QStringLiteral("Styles\\WinXP.Luna.cjstyles"), QString()};
    case 3:
        return {QStringLiteral("Styles\\WinXP.Royale.cjstyles"), QString()};
    case 4:
        return {QStringLiteral("Styles\\iTunes"), QStringLiteral("Normalitunes.ini")};
    default:
        return {QStringLiteral("Styles\\Office2007.cjstyles"), QString()};
    }
}

// The leading number of the text to the nearest 16-bit integer, ties to even.
// A number beyond that range names no skin and reads as 0, rather than
// stopping the window's load.
int NumeroSkin(const QString& texto) {
    const double numero = std::nearbyint(vb::Val(texto));
    if (!(numero >= -32768.0 && numero <= 32767.0))
        return 0;
    return int(numero);
}

// The program's icons are image files in its folder under the name the INI
// gives; a name without extension is looked for as ".ico", then ".png".
// Empty when there is no readable image of that name.
QString ArchivoIcono(const QString& nombre) {
    const QString n = nombre.trimmed();
    if (n.isEmpty())
        return QString();
    const QString ruta = ClsUtilidades::CarpetaConBarra(vb::AppPath()) + n;
    QStringList candidatos;
    if (QFileInfo(QString(n).replace(u'\\', u'/')).suffix().isEmpty())
        candidatos << ruta + QStringLiteral(".ico") << ruta + QStringLiteral(".png");
    else
        candidatos << ruta;
    for (const QString& candidato : candidatos) {
        const QString archivo = quindel2::localPath(candidato);
        if (QFileInfo(archivo).isFile() && QImageReader(archivo).canRead())
            return archivo;
    }
    return QString();
}

} // namespace

void AplicaSkin(QWidget* Formulario) {
    const QString seccion = ClsEntorno::UsuarioWindows().toUpper() + QStringLiteral("Styles");
    gEstiloSkin = NumeroSkin(ClsIni::LeeIni(QStringLiteral("cn000pr.ini"), seccion,
                                            QStringLiteral("Styles"), QStringLiteral("1")));
    const Skin skin = SkinDeNumero(gEstiloSkin);
    const QString ruta = ClsUtilidades::CarpetaConBarra(vb::AppPath()) + skin.Archivo;

    if (!Formulario)
        vb::Raise(vb::errObjectNotSet);
    auto* control = Formulario->findChild<SkinFramework*>(QStringLiteral("SkinFramework1"),
                                                          Qt::FindDirectChildrenOnly);
    if (!control)
        vb::Raise(vb::errNotSupported);
    control->LoadSkin(ruta, skin.Ini);
    control->ApplyWindow(Formulario);
    control->setApplyOptions(control->ApplyOptions() | SkinFramework::ApplyFrame);
}

void ConfiguraIconoYBarras(QWidget* Formulario) {
    if (!Formulario)
        return;
    QString icono;
    detail::Intenta([&] {
        icono = ClsIni::LeeIni(QStringLiteral("CN000p.INI"), QStringLiteral("Iconos"),
                               QStringLiteral("IconoDelSistema"), QStringLiteral("ICONKQ"));
    });
    detail::Intenta([&] {
        const QString archivo = ArchivoIcono(icono);
        if (!archivo.isEmpty())
            Formulario->setWindowIcon(QIcon(archivo));
    });

    // The MDI frame keeps its own place and has no toolbars of these.
    if (QString::fromLatin1(Formulario->metaObject()->className())
            .compare(u"FRMMDI", Qt::CaseInsensitive) == 0)
        return;

    detail::Intenta([&] { ClsEntorno::ConfiguraVentanaPrincipal(Formulario); });
    for (const QString& nombre :
         {QStringLiteral("Paxtor1"), QStringLiteral("TBarRep1"), QStringLiteral("Util0011")}) {
        detail::Intenta([&] {
            if (auto* barra = Formulario->findChild<Paxtor*>(nombre))
                barra->setStyleBar(gFlatToolbars);
        });
    }
    detail::Intenta([] { vb::DoEvents(); });
}

} // namespace CNStuffContable
