// Window dressing: the user's skin, the program's icon, the toolbar style,
// the status bar's connection facts and the currency list.

#include "startup/ui/cns_ventana.h"

#include "data/instances.h"
#include "platform/ado/ado.h"
#include "platform/sql/quoting.h"
#include "platform/ui/paxtor.h"
#include "platform/ui/skinframework.h"
#include "platform/ui/statusbar.h"
#include "platform/vb/errors.h"
#include "platform/vb/vb.h"
#include "platform/win/clsentorno.h"
#include "platform/win/clsini.h"
#include "platform/win/clsutilidades.h"
#include "platform/win/quindel2.h"
#include "startup/core/cns_pasos.h"
#include "startup/core/cnstuffcontable.h"

#include <QComboBox>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QWidget>
#include <cmath>
#include <optional>

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

QString NombreIcono() {
    return ClsIni::LeeIni(QStringLiteral("CN000p.INI"), QStringLiteral("Iconos"),
                          QStringLiteral("IconoDelSistema"), QStringLiteral("ICONKQ"));
}

// A cash box is created with its number zero-padded to four characters. A
// longer number is kept whole: cut to four it would name another box.
QString CajaRellena(const QString& caja) {
    const QString numero = caja.trimmed();
    return numero.size() >= 4 ? numero : ClsUtilidades::RellenaCeros(numero, 4);
}

// The forms a cash-box number may be stored in: as given, padded and, for a
// number, without its leading zeros ("1", "0001"). Whether the key column
// holds numbers or texts, one of them finds the row.
QStringList FormasCaja(const QString& caja) {
    const QString dada = caja.trimmed();
    QStringList formas{dada, CajaRellena(dada)};
    if (ClsUtilidades::EsCodigoNumerico(dada)) {
        QString sinCeros = dada;
        while (sinCeros.size() > 1 && sinCeros.startsWith(u'0'))
            sinCeros.remove(0, 1);
        formas << sinCeros;
    }
    formas.removeDuplicates();
    return formas;
}

// The description of the run's cash box in that table, trimmed; nothing when
// no form of its number has a row.
std::optional<QString> DescripcionCaja(const QString& tabla) {
    DB_Dll& datos = gDatos();
    for (const QString& forma : FormasCaja(gCaja)) {
        ado::RecordsetPtr rs;
        std::optional<QString> descripcion;
        try {
            if (datos.ExisteEnTabla(tabla, forma, QStringLiteral("IdCajas"), &rs, 8, QString(),
                                    true))
                descripcion =
                    ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("Descripcion"))).trimmed();
        } catch (...) {
            if (rs)
                datos.CierraRecordset(rs);
            throw;
        }
        if (rs)
            datos.CierraRecordset(rs);
        if (descripcion)
            return descripcion;
    }
    return std::nullopt;
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

QString ArchivoIconoDelSistema() {
    return ArchivoIcono(NombreIcono());
}

void ConfiguraIconoYBarras(QWidget* Formulario) {
    if (!Formulario)
        return;
    QString icono;
    detail::Intenta([&] { icono = NombreIcono(); });
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

void CargaBarraEstado(StatusBar* Barra, const QString& Mensaje) {
    if (!Barra)
        return;
    const auto pon = [Barra](const char* clave, const QString& texto) {
        detail::Intenta([&] {
            if (QLabel* panel = Barra->Panel(QLatin1String(clave)))
                panel->setText(texto);
        });
    };
    pon("MENSAJE", Mensaje);
    // The facts stay from the first call; later ones change the message only.
    if (const QLabel* server = Barra->Panel(QStringLiteral("SERVER"));
        server && !server->text().isEmpty())
        return;

    DB_Dll& datos = gDatos();
    pon("SERVER", QStringLiteral("Srv: ") + datos.gServidor);
    pon("USUARIO", QStringLiteral("Uid: ") + datos.gUsuario);
    pon("BASEDEDATOS", QStringLiteral("Db: ") + datos.gDBName);

    if (gCaja.isEmpty())
        gCaja = QStringLiteral("1");
    // The box is created only when no form of its number is stored, so a
    // run started with "1" finds the "0001" an earlier run created.
    bool existe = true;
    detail::Intenta(
        [&] { existe = DescripcionCaja(QStringLiteral("@Admin_V_TA_Cajas")).has_value(); });
    detail::Intenta([&] {
        if (existe)
            return;
        long afectados = 0;
        datos.EjecutaConsultaSQL(
            QStringLiteral("INSERT INTO @Admin_V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES(") +
                sqltext::literal(CajaRellena(gCaja)) + u',' +
                sqltext::literal(QStringLiteral("CAJA ") + gCaja) + u')',
            afectados);
    });
    detail::Intenta([&] {
        pon("CAJA",
            gCaja + u' ' + DescripcionCaja(QStringLiteral("V_TA_Cajas")).value_or(QString()));
    });

    const vb::Version version = vb::AppVersion();
    pon("VERSION",
        QStringLiteral("V.%1.%2.%3").arg(version.Major).arg(version.Minor).arg(version.Revision));
}

void CargaComboMonedas(QComboBox* Combo) {
    gUsaMultiMonedas = CfgSi(QStringLiteral("UsaMultilesMonedas"));
    Combo->setVisible(gUsaMultiMonedas);
    Combo->clear();
    if (gUsaMultiMonedas) {
        DB_Dll& datos = gDatos();
        ado::RecordsetPtr rs;
        datos.AbrirRecordset(QStringLiteral("SELECT * FROM TA_MONEDAS ORDER BY CODIGO"), rs,
                             datos.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
        if (rs && rs->State() == ado::adStateOpen) {
            if (!rs->EOF()) {
                for (; !rs->EOF(); rs->MoveNext())
                    Combo->addItem(
                        ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("Descripcion")))
                            .trimmed()
                            .toUpper());
                Combo->setCurrentIndex(0);
            }
            datos.CierraRecordset(rs);
        }
    }
    Combo->setVisible(gUsaMultiMonedas);
}

} // namespace CNStuffContable
