#include "framework/data/ADOQuery.h"

#include "framework/core/CodePage.h"
#include "framework/core/StrUtils.h"
#include "framework/data/ADOConnection.h"
#include "framework/data/DataError.h"
#include "framework/data/JetSql.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <set>

PANTREL_REGISTER(TADOQuery, TComponent,
    PROP_COMPONENT(Connection, Connection, SetConnection),
    PROP_STRINGS(SQL, SQL),
    PROP_BOOL(Active, Active, SetActive))

namespace {

// Opening only reads: the engine refuses anything else while the statement is compiled.
// The tables read are collected, so a result of one table can take new rows.
int OpenAuthorizer(void* Tables, int Action, const char* Arg1, const char*, const char*, const char*)
{
    switch (Action) {
    case SQLITE_READ:
        if (Arg1)
            static_cast<std::set<std::string>*>(Tables)->insert(Arg1);
        return SQLITE_OK;
    case SQLITE_SELECT:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

std::string QuoteIdentifier(const std::string& Name)
{
    std::string Out = "\"";
    for (char c : Name) {
        if (c == '"')
            Out += '"';
        Out += c;
    }
    return Out + "\"";
}

std::string EngineMessage(sqlite3* Db, int Rc)
{
    if (Rc == SQLITE_READONLY)
        return "Cannot update. Database or object is read-only.";
    return Utf8ToGbk(sqlite3_errmsg(Db));
}

struct TStatement {
    sqlite3_stmt* Stmt = nullptr;
    ~TStatement() { sqlite3_finalize(Stmt); }
};

} // namespace

bool TADOQuery::TCell::operator==(const TCell& O) const
{
    return Type == O.Type && Integer == O.Integer && Float == O.Float && Text == O.Text;
}

TADOQuery::TADOQuery(TComponent* AOwner) : TComponent(AOwner), FSQL(new TStringList)
{
    FSQL->OnChange = TNotifyEvent(this, &TADOQuery::SQLChanged);
}

TADOQuery::~TADOQuery()
{
    Close();
    SetConnection(nullptr);
}

void TADOQuery::SQLChanged(TObject*)
{
    Close();
}

void TADOQuery::SetConnection(TADOConnection* Value)
{
    if (Value == FConnection)
        return;
    Close();
    if (FConnection) {
        FConnection->DetachQuery(this);
        FConnection->RemoveFreeNotification(this);
    }
    FConnection = Value;
    if (FConnection) {
        FConnection->AttachQuery(this);
        FConnection->FreeNotification(this);
    }
}

void TADOQuery::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FConnection) {
        Close();
        FConnection = nullptr;
    }
}

void TADOQuery::SetActive(bool Value)
{
    if (ComponentState().Contains(csLoading)) {
        FStreamedActive = Value;
        return;
    }
    if (Value)
        Open();
    else
        Close();
}

void TADOQuery::Loaded()
{
    inherited::Loaded();
    if (FStreamedActive)
        Open();
}

void TADOQuery::Fail(const std::string& Message) const
{
    throw EDatabaseError(Name().empty() ? Message : Name() + ": " + Message);
}

void TADOQuery::CheckActive() const
{
    if (FState == dsInactive)
        Fail("Cannot perform this operation on a closed dataset");
}

void TADOQuery::Open()
{
    if (Active())
        return;
    if (!FConnection)
        Fail("Missing Connection or ConnectionString");
    FConnection->Open();
    sqlite3* Db = FConnection->Handle();

    std::string Error;
    if (!TranslateJetSql(GbkToUtf8(FSQL->Text()), FTranslated, Error))
        throw EDatabaseError(Error);
    std::set<std::string> Tables;
    TStatement Compiled, Extra;
    const char* Tail = nullptr;
    sqlite3_set_authorizer(Db, OpenAuthorizer, &Tables);
    int Rc = sqlite3_prepare_v2(Db, FTranslated.c_str(), static_cast<int>(FTranslated.size()), &Compiled.Stmt, &Tail);
    // Only one statement: what follows it may be blanks, semicolons and comments.
    const char* End = FTranslated.c_str() + FTranslated.size();
    bool TrailingText = false;
    for (const char* Rest = Tail; Rc == SQLITE_OK && Rest && Rest < End;) {
        const char* After = nullptr;
        int More = sqlite3_prepare_v2(Db, Rest, static_cast<int>(End - Rest), &Extra.Stmt, &After);
        if (More != SQLITE_OK || Extra.Stmt) {
            TrailingText = true;
            break;
        }
        if (!After || After <= Rest)
            break;
        Rest = After;
    }
    sqlite3_set_authorizer(Db, nullptr, nullptr);
    if (Rc == SQLITE_AUTH)
        Fail("CommandText does not return a result set");
    if (Rc != SQLITE_OK)
        throw EDatabaseError(EngineMessage(Db, Rc));
    if (!Compiled.Stmt)
        throw EDatabaseError("Command text was not set for the command object.");
    if (TrailingText)
        throw EDatabaseError("Characters found after end of SQL statement.");
    if (sqlite3_column_count(Compiled.Stmt) == 0 || !sqlite3_stmt_readonly(Compiled.Stmt))
        Fail("CommandText does not return a result set");

    FStmt = Compiled.Stmt;
    Compiled.Stmt = nullptr;
    for (int i = 0; i < sqlite3_column_count(FStmt); ++i) {
        const char* Name = sqlite3_column_name(FStmt, i);
        FFields.emplace_back(new TField(this, i, Utf8ToGbk(Name ? Name : "")));
    }
    Tables.erase("sqlite_master");
    Tables.erase("sqlite_schema");
    FTable = Tables.size() == 1 ? *Tables.begin() : std::string();
    FState = dsBrowse;
    try {
        First();
    } catch (...) {
        Close();
        throw;
    }
}

void TADOQuery::Close()
{
    sqlite3_finalize(FStmt);
    FStmt = nullptr;
    FState = dsInactive;
    FFields.clear();
    FRows.clear();
    FPendingAppends.clear();
    FSkip.clear();
    FBuffer.clear();
    FAssigned.clear();
    FTable.clear();
    FRecNo = FPendingCurrent = -1;
    FRecordCount = -1;
    FEof = FBof = true;
}

void TADOQuery::FinishStatement()
{
    sqlite3_finalize(FStmt);
    FStmt = nullptr;
    FSkip.clear();
    if (FPendingCurrent >= 0)
        FRecNo = static_cast<int>(FRows.size()) + FPendingCurrent;
    FPendingCurrent = -1;
    for (TRow& Row : FPendingAppends)
        FRows.push_back(std::move(Row));
    FPendingAppends.clear();
    FRecordCount = -1;
}

void TADOQuery::FetchRow()
{
    while (FStmt) {
        int Rc = sqlite3_step(FStmt);
        if (Rc == SQLITE_DONE) {
            FinishStatement();
            return;
        }
        if (Rc != SQLITE_ROW) {
            std::string Message = EngineMessage(FConnection->Handle(), Rc);
            FinishStatement();
            throw EDatabaseError(Message);
        }
        TRow Row(FFields.size());
        for (size_t i = 0; i < Row.size(); ++i)
            Row[i] = ReadCell(FStmt, static_cast<int>(i));
        // A row this query inserted after opening is not one of the rows it had.
        auto Own = std::find(FSkip.begin(), FSkip.end(), Row);
        if (Own != FSkip.end()) {
            FSkip.erase(Own);
            continue;
        }
        FRows.push_back(std::move(Row));
        return;
    }
}

void TADOQuery::FetchAll()
{
    while (FStmt)
        FetchRow();
}

bool TADOQuery::HasRow(int Index)
{
    while (Index >= static_cast<int>(FRows.size()) && FStmt)
        FetchRow();
    return Index >= 0 && Index < static_cast<int>(FRows.size());
}

void TADOQuery::First()
{
    CheckActive();
    if (FState == dsInsert)
        Cancel();
    FPendingCurrent = -1;
    bool Any = HasRow(0);
    FRecNo = Any ? 0 : -1;
    FEof = !Any;
    FBof = true;
}

void TADOQuery::Next()
{
    CheckActive();
    if (FState == dsInsert)
        Cancel();
    if (FEof)
        return;
    FBof = false;
    if (FPendingCurrent >= 0) {
        if (FPendingCurrent + 1 < static_cast<int>(FPendingAppends.size()))
            ++FPendingCurrent;
        else
            FEof = true;
        return;
    }
    if (HasRow(FRecNo + 1))
        ++FRecNo;
    else
        FEof = true;   // the last row stays current
}

int TADOQuery::RecordCount()
{
    CheckActive();
    if (!FStmt)
        return static_cast<int>(FRows.size());
    if (FRecordCount < 0) {
        if (!FSkip.empty()) {
            // Rows were inserted since opening; only reading the rest tells which are new.
            FetchAll();
            return static_cast<int>(FRows.size());
        }
        // The rows of the statement as it stands, counted by the engine without reading them.
        std::string Text = sqlite3_sql(FStmt);
        while (!Text.empty() && (Text.back() == ';' || std::isspace(static_cast<unsigned char>(Text.back()))))
            Text.pop_back();
        std::string Count = "SELECT count(*) FROM (\n" + Text + "\n)";
        sqlite3* Db = FConnection->Handle();
        TStatement Stmt;
        std::set<std::string> Tables;
        sqlite3_set_authorizer(Db, OpenAuthorizer, &Tables);
        int Rc = sqlite3_prepare_v2(Db, Count.c_str(), static_cast<int>(Count.size()), &Stmt.Stmt, nullptr);
        sqlite3_set_authorizer(Db, nullptr, nullptr);
        if (Rc == SQLITE_OK)
            Rc = sqlite3_step(Stmt.Stmt);
        if (Rc != SQLITE_ROW)
            throw EDatabaseError(EngineMessage(Db, Rc));
        FRecordCount = sqlite3_column_int(Stmt.Stmt, 0);
    }
    return FRecordCount + static_cast<int>(FPendingAppends.size());
}

TField* TADOQuery::Fields(int Index) const
{
    CheckActive();
    if (Index < 0 || Index >= FieldCount())
        Fail("Field index out of range");
    return FFields[static_cast<size_t>(Index)].get();
}

TField* TADOQuery::FindField(const std::string& Name) const
{
    for (const auto& Field : FFields)
        if (SameText(Field->FieldName(), Name))
            return Field.get();
    return nullptr;
}

TField* TADOQuery::FieldByName(const std::string& Name) const
{
    CheckActive();
    TField* Field = FindField(Name);
    if (!Field)
        Fail("Field '" + Name + "' not found");
    return Field;
}

TVariant TADOQuery::ToVariant(const TCell& Cell)
{
    switch (Cell.Type) {
    case SQLITE_INTEGER: return TVariant(Cell.Integer);
    case SQLITE_FLOAT: return TVariant(Cell.Float);
    case SQLITE_TEXT: return TVariant(Utf8ToGbk(Cell.Text));
    case SQLITE_BLOB: return TVariant(Cell.Text);
    default: return TVariant();
    }
}

TADOQuery::TCell TADOQuery::ReadCell(sqlite3_stmt* Stmt, int Column)
{
    TCell Cell;
    switch (sqlite3_column_type(Stmt, Column)) {
    case SQLITE_INTEGER: Cell.Type = SQLITE_INTEGER; Cell.Integer = sqlite3_column_int64(Stmt, Column); break;
    case SQLITE_FLOAT: Cell.Type = SQLITE_FLOAT; Cell.Float = sqlite3_column_double(Stmt, Column); break;
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        Cell.Type = sqlite3_column_type(Stmt, Column);
        const char* Bytes = static_cast<const char*>(sqlite3_column_blob(Stmt, Column));
        if (Bytes)
            Cell.Text.assign(Bytes, static_cast<size_t>(sqlite3_column_bytes(Stmt, Column)));
        break;
    }
    default: break;
    }
    return Cell;
}

TADOQuery::TCell TADOQuery::ToCell(const TVariant& Value)
{
    TCell Cell;
    switch (Value.VarType()) {
    case varNull: break;
    case varString: Cell.Type = SQLITE_TEXT; Cell.Text = GbkToUtf8(Value.AsString()); break;
    case varInteger:
    case varBoolean: Cell.Type = SQLITE_INTEGER; Cell.Integer = Value.AsInteger(); break;
    case varDouble: Cell.Type = SQLITE_FLOAT; Cell.Float = Value.AsFloat(); break;
    }
    return Cell;
}

TVariant TADOQuery::CellValue(int FieldIndex) const
{
    size_t i = static_cast<size_t>(FieldIndex);
    if (FState == dsInsert)
        return FBuffer[i];
    if (FPendingCurrent >= 0)
        return ToVariant(FPendingAppends[static_cast<size_t>(FPendingCurrent)][i]);
    if (FRecNo < 0 || FRecNo >= static_cast<int>(FRows.size()))
        return TVariant();
    return ToVariant(FRows[static_cast<size_t>(FRecNo)][i]);
}

void TADOQuery::SetFieldValue(int FieldIndex, const TVariant& Value)
{
    CheckActive();
    if (FState != dsInsert)
        Fail("Dataset not in edit or insert mode");
    FBuffer[static_cast<size_t>(FieldIndex)] = Value;
    FAssigned[static_cast<size_t>(FieldIndex)] = true;
}

void TADOQuery::Append()
{
    CheckActive();
    if (FTable.empty())
        Fail("Operation must use an updateable query.");
    if (FState == dsInsert)
        Cancel();   // a row never posted is never saved
    FSaved = {FRecNo, FPendingCurrent, FEof, FBof};
    FBuffer.assign(FFields.size(), TVariant());
    FAssigned.assign(FFields.size(), false);
    FState = dsInsert;
    FEof = FBof = false;
}

void TADOQuery::Cancel()
{
    if (FState != dsInsert)
        return;
    FState = dsBrowse;
    FBuffer.clear();
    FAssigned.clear();
    FRecNo = FSaved.RecNo;
    FPendingCurrent = FSaved.PendingCurrent;
    FEof = FSaved.Eof;
    FBof = FSaved.Bof;
}

void TADOQuery::Post()
{
    CheckActive();
    if (FState != dsInsert)
        Fail("Dataset not in edit or insert mode");
    sqlite3* Db = FConnection->Handle();
    if (FConnection->ReadOnly())
        throw EDatabaseError("Cannot update. Database or object is read-only.");
    FConnection->BeforeWrite(this);

    std::string Columns, Values;
    std::vector<size_t> Bound;
    for (size_t i = 0; i < FFields.size(); ++i) {
        if (!FAssigned[i])
            continue;
        Columns += (Bound.empty() ? "" : ", ") + QuoteIdentifier(GbkToUtf8(FFields[i]->FieldName()));
        Values += Bound.empty() ? "?" : ", ?";
        Bound.push_back(i);
    }
    std::string Insert = "INSERT INTO " + QuoteIdentifier(FTable) +
                         (Bound.empty() ? " DEFAULT VALUES" : " (" + Columns + ") VALUES (" + Values + ")");
    TStatement Stmt;
    int Rc = sqlite3_prepare_v2(Db, Insert.c_str(), static_cast<int>(Insert.size()), &Stmt.Stmt, nullptr);
    for (size_t k = 0; Rc == SQLITE_OK && k < Bound.size(); ++k) {
        TCell Cell = ToCell(FBuffer[Bound[k]]);
        int Param = static_cast<int>(k + 1);
        if (Cell.Type == SQLITE_TEXT)
            Rc = sqlite3_bind_text(Stmt.Stmt, Param, Cell.Text.data(), static_cast<int>(Cell.Text.size()), SQLITE_TRANSIENT);
        else if (Cell.Type == SQLITE_INTEGER)
            Rc = sqlite3_bind_int64(Stmt.Stmt, Param, Cell.Integer);
        else if (Cell.Type == SQLITE_FLOAT)
            Rc = sqlite3_bind_double(Stmt.Stmt, Param, Cell.Float);
    }
    if (Rc == SQLITE_OK) {
        Rc = sqlite3_step(Stmt.Stmt);
        if (Rc == SQLITE_DONE)
            Rc = SQLITE_OK;
    }
    if (Rc != SQLITE_OK)
        throw EDatabaseError(EngineMessage(Db, Rc));

    TRow Row = StoredRow(sqlite3_last_insert_rowid(Db));
    FState = dsBrowse;
    FBuffer.clear();
    FAssigned.clear();
    FEof = FBof = false;
    if (FStmt) {
        FSkip.push_back(Row);
        FPendingAppends.push_back(std::move(Row));
        FPendingCurrent = static_cast<int>(FPendingAppends.size()) - 1;
    } else {
        FRows.push_back(std::move(Row));
        FRecNo = static_cast<int>(FRows.size()) - 1;
        FPendingCurrent = -1;
    }
}

// The new row as the table holds it (with the table's defaults and conversions), in the
// order of this query's fields; a field the table has no column for keeps what was set.
TADOQuery::TRow TADOQuery::StoredRow(int64_t RowId) const
{
    TRow Row(FFields.size());
    for (size_t i = 0; i < FFields.size(); ++i)
        Row[i] = ToCell(FBuffer[i]);
    std::string Select = "SELECT * FROM " + QuoteIdentifier(FTable) + " WHERE rowid = ?";
    TStatement Stmt;
    sqlite3* Db = FConnection->Handle();
    if (sqlite3_prepare_v2(Db, Select.c_str(), -1, &Stmt.Stmt, nullptr) != SQLITE_OK)
        return Row;
    sqlite3_bind_int64(Stmt.Stmt, 1, RowId);
    if (sqlite3_step(Stmt.Stmt) != SQLITE_ROW)
        return Row;
    for (int c = 0; c < sqlite3_column_count(Stmt.Stmt); ++c) {
        TField* Field = FindField(Utf8ToGbk(sqlite3_column_name(Stmt.Stmt, c)));
        if (Field)
            Row[static_cast<size_t>(Field->Index())] = ReadCell(Stmt.Stmt, c);
    }
    return Row;
}

TVariant TField::Value() const
{
    return FDataSet->CellValue(FIndex);
}

void TField::SetValue(const TVariant& Value)
{
    FDataSet->SetFieldValue(FIndex, Value);
}
