#include "platform/ado/ado.h"
#include "platform/ui/paxtor.h"
#include "platform/ui/skinframework.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "startup/core/cnstuffcontable.h"
#include "startup/ui/cns_ventana.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

using namespace CNStuffContable;

namespace {

class Ventana : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setAppPath(programa.path());
        qputenv("USER", "ana");
        vb::setDialogResponder(responder);
    }
    void TearDown() override {
        vb::setAppPath(QString());
        qputenv("USER", usuario_);
        vb::setDialogResponder(std::make_shared<vb::ScriptedResponder>());
        gFlatToolbars = false;
    }
    void escribe(const QString& relativa, const QByteArray& contenido) const {
        const QString ruta = QDir(programa.path()).filePath(relativa);
        QDir().mkpath(QFileInfo(ruta).path());
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    }
    static QIcon icono(const QColor& color) {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(color);
        return QIcon(QPixmap::fromImage(img));
    }
    static QColor color(const QWidget& w) {
        return w.windowIcon().pixmap(16).toImage().pixelColor(8, 8);
    }

    QTemporaryDir programa;
    std::shared_ptr<vb::ScriptedResponder> responder = std::make_shared<vb::ScriptedResponder>();
    QByteArray usuario_ = qgetenv("USER");
};

struct Skinnable : QWidget {
    SkinFramework* SkinFramework1 = new SkinFramework(this);
};

TEST_F(Ventana, SkinNumberPicksTheSheetAppliedToTheWindow) {
    escribe(QStringLiteral("Styles/WinXP.Luna.qss"), "QWidget { color: #020202; }");
    escribe(QStringLiteral("Styles/iTunes/Normalitunes.qss"), "QWidget { color: #040404; }");
    escribe(QStringLiteral("Styles/Office2007.qss"), "QWidget { color: #050505; }");
    const struct {
        const char* valor;
        int numero;
        const char* color;
    } casos[] = {{"2", 2, "#020202"},
                 {"3.5", 4, "#040404"},
                 {"7", 7, "#050505"},
                 {"abc", 0, "#050505"},
                 {"99999", 0, "#050505"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.valor);
        escribe(QStringLiteral("cn000pr.ini"), QByteArray("[ANAStyles]\r\nStyles=") + c.valor);
        Skinnable w;
        w.SkinFramework1->setApplyOptions(SkinFramework::ApplyColors);
        AplicaSkin(&w);
        EXPECT_EQ(gEstiloSkin, c.numero);
        EXPECT_TRUE(w.styleSheet().contains(QLatin1String(c.color)));
        EXPECT_EQ(w.SkinFramework1->ApplyOptions(), 3); // frame added, colours kept
    }
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Ventana, NoIniNoSheetOrNoSkinControl) {
    Skinnable w;
    w.setStyleSheet(QStringLiteral("QWidget { color: red; }"));
    AplicaSkin(&w); // Vista, whose sheet is not there
    EXPECT_EQ(gEstiloSkin, 1);
    EXPECT_EQ(w.styleSheet(), QStringLiteral("QWidget { color: red; }"));
    EXPECT_TRUE(responder->shown.empty());

    QWidget sinControl;
    EXPECT_THROW(AplicaSkin(&sinControl), ado::Exception);
}

TEST_F(Ventana, IconFromTheIniAndToolbarsFromTheFlatFlag) {
    ASSERT_TRUE(icono(Qt::red).pixmap(16).save(programa.filePath(QStringLiteral("Otro.png"))));
    QWidget w;
    auto* paxtor = new Paxtor(&w);
    paxtor->setObjectName(QStringLiteral("Paxtor1"));
    auto* reportes = new Paxtor(new QWidget(&w)); // nested inside a frame
    reportes->setObjectName(QStringLiteral("TBarRep1"));
    auto* otra = new Paxtor(&w);
    otra->setObjectName(QStringLiteral("Tbar"));

    escribe(QStringLiteral("CN000p.INI"), "[ICONOS]\r\nIconoDelSistema=otro\r\n");
    gFlatToolbars = true;
    ConfiguraIconoYBarras(&w);
    EXPECT_EQ(color(w), QColor(Qt::red));
    EXPECT_TRUE(paxtor->StyleBar());
    EXPECT_TRUE(reportes->StyleBar());
    EXPECT_FALSE(otra->StyleBar());

    // A name with no image keeps the icon; the bars are still styled.
    escribe(QStringLiteral("CN000p.INI"), "[Iconos]\r\nIconoDelSistema=NOEXISTE\r\n");
    w.setWindowIcon(icono(Qt::yellow));
    gFlatToolbars = false;
    ConfiguraIconoYBarras(&w);
    EXPECT_EQ(color(w), QColor(Qt::yellow));
    EXPECT_FALSE(paxtor->StyleBar());
    EXPECT_FALSE(reportes->StyleBar());
    EXPECT_TRUE(responder->shown.empty());
}

} // namespace
