// Opening documents through the widget desktop: the path handling of
// ClsEntorno and the desktop's own opening together.

#include "platform/win/clsentorno.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

TEST(ClsEntorno, EjecutaDocumentoOpensFilesAndAddresses) {
    UrlCatcher catcher;
    for (const char* scheme : {"file", "https", "http", "mailto"})
        QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    QTemporaryDir dir;
    QFile f(dir.filePath("Manual.pdf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    long hwnd = 0;
    EXPECT_TRUE(ClsEntorno::EjecutaDocumento(hwnd, "", "https://www.ejemplo.com.ar/ayuda", "", "",
                                             6, QVariant()));
    EXPECT_TRUE(ClsEntorno::EjecutaDocumento(hwnd, "", "manual.PDF", "", dir.path(), 0));
    EXPECT_TRUE(ClsEntorno::EjecutaDocumento(
        hwnd, "", QString(dir.filePath("Manual.pdf")).replace('/', '\\'), "", "", 0));
    EXPECT_FALSE(ClsEntorno::EjecutaDocumento(hwnd, "", "  ", "", "", 0));
    EXPECT_FALSE(ClsEntorno::EjecutaDocumento(hwnd, "", "\"\"", "", "", 0));
    for (const char* scheme : {"file", "https", "http", "mailto"})
        QDesktopServices::unsetUrlHandler(scheme);

    ASSERT_EQ(catcher.urls.size(), 3);
    EXPECT_EQ(catcher.urls[0], QUrl("https://www.ejemplo.com.ar/ayuda"));
    EXPECT_EQ(catcher.urls[1], QUrl::fromLocalFile(dir.filePath("Manual.pdf")));
    EXPECT_EQ(catcher.urls[2], QUrl::fromLocalFile(dir.filePath("Manual.pdf")));
}

TEST(ClsEntorno, EjecutaDocumentoOpensAQuotedPathWithBlanksWithoutTheQuotes) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Mis Documentos"));
    const QString archivo = dir.filePath("Mis Documentos/Balance Anual.xls");
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    long hwnd = 0;
    const bool absoluta = ClsEntorno::EjecutaDocumento(
        hwnd, "", '"' + QString(archivo).replace('/', '\\') + '"', "", "", 0);
    const bool relativa = ClsEntorno::EjecutaDocumento(
        hwnd, "", "\"Mis Documentos\\Balance Anual.xls\"", "", dir.path(), 0);
    QDesktopServices::unsetUrlHandler("file");

    EXPECT_TRUE(absoluta);
    EXPECT_TRUE(relativa);
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0], QUrl::fromLocalFile(archivo));
    EXPECT_EQ(catcher.urls[1], QUrl::fromLocalFile(archivo));
}

} // namespace

#include "test_entorno.moc"
