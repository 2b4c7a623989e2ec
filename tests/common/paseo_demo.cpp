#include "common/paseo_demo.h"

#include "platform/sql/quoting.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace walk {

InMemory::InMemory() {
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
}

DemoCompany::DemoCompany(const std::vector<Table>& watched, const QString& extra) {
    tmpdir.restore();
    const auto read = [](const char* name) {
        QFile f(QStringLiteral(QUARZELO_SOURCE_DIR "/demo/") + QLatin1String(name));
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error(std::string("cannot read demo/") + name);
        return QString::fromUtf8(f.readAll());
    };
    const QString data = read("data.sql");
    company.exec(QStringLiteral("BEGIN;\n") + data +
                 QStringLiteral("\n;UPDATE V_TA_TPV SET Server = 'PUESTO/' || %1;"
                                "UPDATE TA_CONFIGURACION SET VALOR = %1 WHERE CLAVE = "
                                "'GRP_Server';"
                                "INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) "
                                "VALUES ('sa', '0001', 1); COMMIT;")
                     .arg(sqltext::literal(company.folder())));
    const QString copy = read("copia.sql");
    for (const testutil::TempDatabase* d : {&group, &pointOfSale})
        d->exec(QStringLiteral("BEGIN;\n") + data + u'\n' + copy + QStringLiteral("\n;COMMIT;"));
    if (!extra.isEmpty())
        for (const testutil::TempDatabase* d : databases())
            d->exec(QStringLiteral("BEGIN;\n") + extra + QStringLiteral("\n;COMMIT;"));
    size_t i = 0;
    for (const testutil::TempDatabase* d : databases()) {
        QFile f(d->path());
        f.open(QIODevice::ReadOnly);
        files_.emplace_back(d->path(), f.readAll());
        DbReader db;
        db.open(d->path());
        snapshots[i++] = snapshot(db, watched);
    }
}

void DemoCompany::restore() const {
    for (const auto& [path, bytes] : files_) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write " + path.toStdString());
    }
}

} // namespace walk
