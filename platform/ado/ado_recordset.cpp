// ADO Recordset and Field. Rows are fetched whole at Open and kept in memory
// (a streamed recordset keeps only the batch it is on);
// a writable recordset (lock type other than read-only, rows of one table or
// of a writable view) writes each Update and Delete through at once, by the
// row's key. What the server refuses (a text longer than its column, NULL in
// a NOT NULL column, a duplicate key) the engine refuses on every write, these
// and statements alike.

#include "platform/ado/ado.h"
#include "platform/ado/engine.h"
#include "platform/vb/vb.h"
#include <QHash>
#include <cmath>

namespace ado {

struct Recordset::Impl {
    ConnectionPtr conn;
    QString source;
    int state = adStateClosed;
    int cursorType = adOpenForwardOnly;
    int lockType = adLockReadOnly;
    RowSet data;
    std::vector<bool> deleted;
    qsizetype pos = 0; // -1: before the first row; rows.size(): after the last
    int editMode = adEditNone;
    std::vector<QVariant> buffer; // the row being edited or added
    std::vector<bool> dirty;
    qsizetype posBeforeAdd = 0;
    QHash<QString, int> names; // lower-case name -> first column so named
    // Streaming: the rows still to come, and where the batch in `data` starts.
    bool streaming = false;
    std::unique_ptr<Cursor> cursor;
    bool more = false;
    qsizetype base = 0;

    qsizetype rowCount() const { return qsizetype(data.rows.size()); }
    long liveRows() const { return long(std::count(deleted.begin(), deleted.end(), false)); }
    bool onRow() const { return pos >= 0 && pos < rowCount() && !deleted[size_t(pos)]; }
    // A live current row settles it without counting: reading row by row
    // must not cost a pass over the whole set per row.
    bool noLiveRows() const { return !onRow() && liveRows() == 0; }
    bool bof() const { return editMode != adEditAdd && (pos < 0 || noLiveRows()); }
    bool eof() const { return editMode != adEditAdd && (pos >= rowCount() || noLiveRows()); }
    qsizetype nextLive(qsizetype from) const {
        qsizetype i = from + 1;
        while (i < rowCount() && deleted[size_t(i)])
            ++i;
        return std::min(i, rowCount());
    }
    qsizetype prevLive(qsizetype from) const {
        qsizetype i = from - 1;
        while (i >= 0 && deleted[size_t(i)])
            --i;
        return std::max<qsizetype>(i, -1);
    }
    bool writable() const { return lockType != adLockReadOnly && data.writable(); }

    // Rows a streamed recordset reads at a time.
    static constexpr int kBatch = 256;
    std::vector<std::vector<QVariant>> spare;
    // The next batch in place of the current one; false (the current one
    // kept) at the end of the rows.
    bool nextBatch() {
        if (!cursor || !more)
            return false;
        // The batch read before lends its room to the next one: a large
        // block asked of the allocator each batch has it sweep up every
        // small one a driver let go of.
        std::vector<std::vector<QVariant>> rows = std::move(spare);
        rows.clear();
        try {
            more = cursor->fetch(rows, kBatch);
        } catch (const Exception& e) {
            spare = std::move(rows);
            conn->raise(e);
        }
        if (rows.empty()) {
            spare = std::move(rows);
            return false;
        }
        base += rowCount();
        spare = std::move(data.rows);
        data.rows = std::move(rows);
        deleted.assign(data.rows.size(), false);
        pos = 0;
        return true;
    }

    void requireOpen() const {
        if (state != adStateOpen)
            throwAdo(adErrObjectClosed);
    }
    Engine& engine() const {
        if (!conn || !conn->engine())
            throwAdo(adErrInvalidConnection);
        return *conn->engine();
    }
};

namespace {

bool isText(int type) {
    return type == adChar || type == adWChar || type == adVarChar || type == adVarWChar ||
           type == adLongVarChar || type == adLongVarWChar || type == adBSTR;
}

[[noreturn]] void conversionFails() {
    throwAdo(adErrDataConversion);
}

bool numeric(const QVariant& v) {
    if (vb::isCurrency(v))
        return true;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    case QMetaType::QString:
        return !v.toString().trimmed().isEmpty() && vb::IsNumeric(v);
    default:
        return false;
    }
}

std::optional<QDateTime> asDate(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0), Qt::UTC);
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed();
        const QDateTime iso = QDateTime::fromString(t, Qt::ISODate);
        if (iso.isValid() && t.size() >= 10 && t[4] == u'-')
            return QDateTime(iso.date(), iso.time(), Qt::UTC);
        if (auto d = vb::ParseDate(t))
            return d;
        return std::nullopt;
    }
    if (numeric(v)) { // the runtime's dates are days since 30/12/1899
        const double days = vb::CDbl(v);
        const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
        return base.addMSecs(qint64(std::llround(days * 86400000.0)));
    }
    return std::nullopt;
}

// A value assigned to a field becomes the column's own type, as the field
// converts it; one that cannot be converted fails with 3421.
QVariant convertForColumn(const Column& c, const QVariant& v) {
    if (!v.isValid() || vb::IsNull(v))
        return vb::Null();
    if (isText(c.type))
        return vb::CStr(v);
    switch (c.type) {
    case adInteger:
    case adSmallInt:
    case adTinyInt:
    case adUnsignedTinyInt:
    case adBigInt: {
        if (v.typeId() == QMetaType::Bool)
            return QVariant(v.toBool() ? -1 : 0);
        if (!numeric(v))
            conversionFails();
        const std::int64_t n = vb::CLng(v);
        const auto [lo, hi] = c.type == adSmallInt ? std::pair<qint64, qint64>{-32768, 32767}
                              : c.type == adUnsignedTinyInt ? std::pair<qint64, qint64>{0, 255}
                              : c.type == adTinyInt         ? std::pair<qint64, qint64>{-128, 127}
                              : c.type == adInteger
                                  ? std::pair<qint64, qint64>{INT32_MIN, INT32_MAX}
                                  : std::pair<qint64, qint64>{INT64_MIN, INT64_MAX};
        if (n < lo || n > hi)
            conversionFails();
        return c.type == adBigInt ? QVariant(qlonglong(n)) : QVariant(int(n));
    }
    case adBoolean: {
        if (v.typeId() == QMetaType::Bool)
            return v;
        if (numeric(v))
            return QVariant(vb::CDbl(v) != 0);
        const QString t = v.toString().trimmed();
        for (const char* yes : {"true", "verdadero"})
            if (t.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0)
                return QVariant(true);
        for (const char* no : {"false", "falso"})
            if (t.compare(QLatin1String(no), Qt::CaseInsensitive) == 0)
                return QVariant(false);
        conversionFails();
    }
    case adCurrency:
        if (vb::isCurrency(v))
            return v;
        if (!numeric(v))
            conversionFails();
        return vb::fromCurrency(vb::CCur(v));
    case adDouble:
    case adSingle:
    case adNumeric:
    case adDecimal:
        if (!numeric(v))
            conversionFails();
        return QVariant(vb::CDbl(v));
    case adDBTimeStamp:
    case adDate:
    case adDBDate:
        if (auto d = asDate(v))
            return *d;
        conversionFails();
    case adBinary:
    case adVarBinary:
    case adLongVarBinary:
        if (v.typeId() != QMetaType::QByteArray)
            conversionFails();
        return v;
    default:
        return v;
    }
}

// The row just added, as the table holds it. A row added through a view
// whose key the engine cannot know (a number the table gives itself) shows
// what was written.
std::vector<QVariant> readAdded(Engine& engine, const QString& table,
                                const std::vector<Column>& columns, const QVariant& key,
                                const std::vector<QVariant>& written) {
    try {
        return engine.readRow(table, columns, key);
    } catch (const Exception& e) {
        if (e.number() != adErrRowNotFound || key.typeId() != QMetaType::QVariantList)
            throw;
        return written;
    }
}

} // namespace

// ---- Recordset ------------------------------------------------------------------------

RecordsetPtr Recordset::create() {
    return RecordsetPtr(new Recordset());
}

Recordset::Recordset() : d(std::make_unique<Impl>()) {}

Recordset::~Recordset() = default;

void Recordset::openFrom(const ConnectionPtr& conn, const QString& source, RowSet&& rows,
                         int cursorType, int lockType) {
    d->conn = conn;
    d->source = source;
    d->data = std::move(rows);
    d->deleted.assign(d->data.rows.size(), false);
    d->pos = 0;
    d->editMode = adEditNone;
    d->buffer.clear();
    d->dirty.clear();
    d->cursorType = cursorType;
    d->lockType = lockType;
    d->names.clear();
    for (int i = int(d->data.columns.size()) - 1; i >= 0; --i)
        d->names.insert(d->data.columns[size_t(i)].name.toLower(), i);
    d->cursor.reset();
    d->more = false;
    d->base = 0;
    d->state = adStateOpen;
}

void Recordset::Open(const QString& source, const ConnectionPtr& activeConnection, int cursorType,
                     int lockType, long options) {
    if (d->state == adStateOpen)
        throwAdo(adErrObjectOpen);
    if (!activeConnection || activeConnection->State() != adStateOpen)
        throwAdo(adErrInvalidConnection);
    int ct = cursorType == adOpenUnspecified ? d->cursorType : cursorType;
    const int lt = lockType == adLockUnspecified ? d->lockType : lockType;
    const bool streamed = d->streaming && ct == adOpenForwardOnly && lt == adLockReadOnly;
    if (activeConnection->CursorLocation == adUseClient && !streamed)
        ct = adOpenStatic; // the client cursor library gives static cursors only
    QString text = source;
    if (options != -1 && (options & (adCmdTable | adCmdTableDirect)) && !(options & adCmdText))
        text = QStringLiteral("SELECT * FROM ") + source;

    Connection& conn = *activeConnection;
    conn.errors().Clear();
    Engine& engine = *conn.engine();
    engine.setCommandTimeout(conn.CommandTimeout);
    if (streamed) {
        std::unique_ptr<Cursor> cursor;
        RowSet first;
        bool more = false;
        try {
            cursor = engine.openCursor(text);
            if (cursor)
                more = cursor->fetch(first.rows, Impl::kBatch);
        } catch (const Exception& e) {
            conn.raise(e);
        }
        d->cursorType = ct;
        d->lockType = lt;
        if (!cursor) // a statement without rows leaves the recordset closed
            return;
        first.columns = cursor->columns();
        openFrom(activeConnection, source, std::move(first), ct, lt);
        d->cursor = std::move(cursor);
        d->more = more;
        return;
    }
    BatchResult result;
    try {
        result = engine.execute(text, lt != adLockReadOnly);
    } catch (const Exception& e) {
        conn.raise(e);
    }
    if (!result.rows) { // a statement without rows leaves the recordset closed
        d->cursorType = ct;
        d->lockType = lt;
        return;
    }
    openFrom(activeConnection, source, std::move(*result.rows), ct, lt);
}

void Recordset::Close() {
    d->requireOpen();
    if (d->editMode != adEditNone)
        throwAdo(adErrIllegalOperation);
    d->state = adStateClosed;
    d->data = RowSet();
    d->deleted.clear();
    d->names.clear();
    d->pos = 0;
    d->cursor.reset();
    d->more = false;
    d->base = 0;
}

int Recordset::State() const {
    return d->state;
}

bool Recordset::BOF() const {
    d->requireOpen();
    return d->bof();
}

bool Recordset::EOF() const {
    d->requireOpen();
    return d->eof();
}

void Recordset::MoveFirst() {
    d->requireOpen();
    if (d->editMode != adEditNone)
        Update();
    if (d->cursor && d->base > 0) { // the first batch is gone: the query runs again
        d->cursor->rewind();
        d->more = true;
        d->base = 0;
        d->data.rows.clear();
        d->deleted.clear();
        d->nextBatch();
    }
    if (d->liveRows() == 0)
        throwAdo(adErrNoCurrentRecord);
    d->pos = d->nextLive(-1);
}

void Recordset::MoveNext() {
    d->requireOpen();
    if (d->editMode != adEditNone)
        Update();
    if (d->eof())
        throwAdo(adErrNoCurrentRecord);
    const qsizetype from = d->pos;
    d->pos = d->nextLive(d->pos);
    if (d->pos >= d->rowCount()) {
        try {
            d->nextBatch();
        } catch (const Exception&) {
            d->pos = from; // a failed read leaves the recordset where it was
            throw;
        }
    }
}

void Recordset::MovePrevious() {
    d->requireOpen();
    if (d->cursorType == adOpenForwardOnly)
        throwAdo(adErrNoBackwardFetch);
    if (d->editMode != adEditNone)
        Update();
    if (d->bof())
        throwAdo(adErrNoCurrentRecord);
    d->pos = d->prevLive(d->pos);
}

void Recordset::MoveLast() {
    d->requireOpen();
    if (d->editMode != adEditNone)
        Update();
    while (d->nextBatch()) {
    }
    if (d->liveRows() == 0)
        throwAdo(adErrNoCurrentRecord);
    d->pos = d->prevLive(d->rowCount());
}

long Recordset::RecordCount() const {
    d->requireOpen();
    if (d->cursorType == adOpenForwardOnly)
        return -1;
    return d->liveRows();
}

long Recordset::AbsolutePosition() const {
    d->requireOpen();
    if (!d->onRow() || d->editMode == adEditAdd)
        return -1;
    return long(d->base) +
           long(std::count(d->deleted.begin(), d->deleted.begin() + d->pos, false)) + 1;
}

int Recordset::fieldCount() const {
    return int(d->data.columns.size());
}

Field Recordset::Fields(int index) const {
    if (index < 0 || index >= fieldCount())
        throwAdo(adErrItemNotFound);
    return Field(const_cast<Recordset*>(this), index);
}

Field Recordset::Fields(const QString& name) const {
    const auto it = d->names.constFind(name.toLower());
    if (it == d->names.constEnd())
        throwAdo(adErrItemNotFound);
    return Field(const_cast<Recordset*>(this), it.value());
}

bool Recordset::hasField(const QString& name) const {
    return d->names.contains(name.toLower());
}

void Recordset::AddNew() {
    d->requireOpen();
    if (!d->writable())
        throwAdo(adErrFeatureNotAvailable);
    if (d->editMode != adEditNone)
        Update();
    d->buffer.assign(d->data.columns.size(), vb::Null());
    d->dirty.assign(d->data.columns.size(), false);
    d->posBeforeAdd = d->pos;
    d->editMode = adEditAdd;
}

void Recordset::Update() {
    d->requireOpen();
    if (d->editMode == adEditNone)
        return;
    Connection& conn = *d->conn;
    Engine& engine = d->engine();
    ColumnValues values;
    for (size_t i = 0; i < d->data.columns.size(); ++i) {
        if (!d->dirty[i])
            continue;
        values.emplace_back(&d->data.columns[i], d->buffer[i]);
    }
    try {
        const QString& table = d->data.baseTable;
        if (d->editMode == adEditAdd) {
            const QVariant key = engine.insertRow(table, values);
            std::vector<QVariant> row = readAdded(engine, table, d->data.columns, key, d->buffer);
            for (size_t i = 0; i < row.size(); ++i)
                if (d->data.columns[i].baseColumn.isEmpty())
                    row[i] = d->buffer[i]; // expressions keep what was set
            d->data.rows.push_back(std::move(row));
            d->data.keys.push_back(key);
            d->deleted.push_back(false);
            d->pos = d->rowCount() - 1;
        } else {
            const QVariant key = engine.updateRow(table, d->data.keys[size_t(d->pos)], values);
            d->data.keys[size_t(d->pos)] = key;
            std::vector<QVariant> row = engine.readRow(table, d->data.columns, key);
            for (size_t i = 0; i < row.size(); ++i)
                if (d->data.columns[i].baseColumn.isEmpty())
                    row[i] = d->buffer[i];
            d->data.rows[size_t(d->pos)] = std::move(row);
        }
    } catch (const Exception& e) {
        conn.raise(e); // the edit stays pending, as ADO leaves it
    }
    d->editMode = adEditNone;
    d->buffer.clear();
    d->dirty.clear();
}

void Recordset::CancelUpdate() {
    d->requireOpen();
    if (d->editMode == adEditAdd)
        d->pos = d->posBeforeAdd;
    d->editMode = adEditNone;
    d->buffer.clear();
    d->dirty.clear();
}

void Recordset::Delete() {
    d->requireOpen();
    if (!d->writable())
        throwAdo(adErrFeatureNotAvailable);
    if (d->editMode == adEditAdd) { // the row never existed
        CancelUpdate();
        return;
    }
    CancelUpdate();
    if (!d->onRow())
        throwAdo(adErrNoCurrentRecord);
    try {
        d->engine().deleteRow(d->data.baseTable, d->data.keys[size_t(d->pos)]);
    } catch (const Exception& e) {
        d->conn->raise(e);
    }
    d->deleted[size_t(d->pos)] = true; // stays current until the next move
}

int Recordset::EditMode() const {
    return d->editMode;
}

ConnectionPtr Recordset::ActiveConnection() const {
    return d->conn;
}

QString Recordset::Source() const {
    return d->source;
}

int Recordset::CursorType() const {
    return d->cursorType;
}
void Recordset::setCursorType(int t) {
    if (d->state == adStateOpen)
        throwAdo(adErrObjectOpen);
    d->cursorType = t;
}
void Recordset::setStreaming(bool on) {
    if (d->state == adStateOpen)
        throwAdo(adErrObjectOpen);
    d->streaming = on;
}

void Recordset::releaseCursor() {
    if (d->cursor)
        d->cursor->release();
}

int Recordset::LockType() const {
    return d->lockType;
}
void Recordset::setLockType(int t) {
    if (d->state == adStateOpen)
        throwAdo(adErrObjectOpen);
    d->lockType = t;
}

// ---- Field ------------------------------------------------------------------------------

QString Field::Name() const {
    return rs_->d->data.columns[size_t(index_)].name;
}

QVariant Field::Value() const {
    const auto& d = rs_->d;
    d->requireOpen();
    if (d->editMode != adEditNone)
        return d->buffer[size_t(index_)];
    if (!d->onRow())
        throwAdo(adErrNoCurrentRecord);
    const QVariant& stored = d->data.rows[size_t(d->pos)][size_t(index_)];
    return d->conn ? textFromServer(d->conn->serverKind(), stored) : stored;
}

void Field::setValue(const QVariant& v) {
    auto& d = rs_->d;
    d->requireOpen();
    const Column& c = d->data.columns[size_t(index_)];
    if (!d->writable() || c.baseColumn.isEmpty())
        throwAdo(adErrFeatureNotAvailable);
    const QVariant converted = convertForColumn(c, v);
    if (d->editMode == adEditNone) {
        if (!d->onRow())
            throwAdo(adErrNoCurrentRecord);
        d->buffer = d->data.rows[size_t(d->pos)];
        d->dirty.assign(d->data.columns.size(), false);
        d->editMode = adEditInProgress;
    }
    d->buffer[size_t(index_)] = converted;
    d->dirty[size_t(index_)] = true;
}

int Field::Type() const {
    return rs_->d->data.columns[size_t(index_)].type;
}

long Field::DefinedSize() const {
    return rs_->d->data.columns[size_t(index_)].definedSize;
}

namespace {

// Precision and scale of a decimal column; a declaration without them
// ("DECIMAL") has the server's default, 18 digits and no places.
std::pair<int, int> precisionOf(const Column& c) {
    if (c.type != adNumeric && c.type != adDecimal)
        return {0, 0};
    if (c.precision > 0)
        return {c.precision, c.numericScale};
    const QString d = c.declType;
    const qsizetype abre = d.indexOf(u'(');
    const qsizetype cierra = d.indexOf(u')', abre);
    if (abre < 0 || cierra < 0)
        return {18, 0};
    const QStringList partes = d.mid(abre + 1, cierra - abre - 1).split(u',');
    bool ok = false;
    const int p = partes.value(0).trimmed().toInt(&ok);
    if (!ok || p <= 0)
        return {18, 0};
    return {p, partes.size() > 1 ? partes[1].trimmed().toInt() : 0};
}

} // namespace

int Field::Precision() const {
    return precisionOf(rs_->d->data.columns[size_t(index_)]).first;
}

int Field::NumericScale() const {
    return precisionOf(rs_->d->data.columns[size_t(index_)]).second;
}

} // namespace ado
