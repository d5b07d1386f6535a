// TADOQuery: a query object over the catalogue's connection. Its SQL text is in Jet's
// dialect; opening it positions on the first row. Rows come in the engine's order and are
// read from the engine only as far as the query is walked, yet RecordCount is exact and
// the rows stay those of the moment of opening, like a client-side cursor. A result of one
// table takes new rows: Append, set the fields, Post.
#pragma once

#include "framework/core/Component.h"
#include "framework/core/Strings.h"
#include "framework/data/Field.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3_stmt;
class TADOConnection;

enum TDataSetState { dsInactive, dsBrowse, dsInsert };

class TADOQuery : public TComponent {
    PANTREL_CLASS(TADOQuery, TComponent)
    explicit TADOQuery(TComponent* AOwner);
    ~TADOQuery() override;

    TADOConnection* Connection() const { return FConnection; }
    void SetConnection(TADOConnection* Value);   // closes an open query
    // Changing the text closes an open query.
    TStrings* SQL() const { return FSQL.get(); }

    // Opens the connection first when it is closed. Raises EDatabaseError with the engine's
    // message for a statement it rejects.
    void Open();
    void Close();   // an appended row not yet posted is dropped
    bool Active() const { return FState != dsInactive; }
    void SetActive(bool Value);
    TDataSetState State() const { return FState; }
    void Loaded() override;

    void First();
    void Next();
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }
    int RecordCount();

    int FieldCount() const { return static_cast<int>(FFields.size()); }
    TField* Fields(int Index) const;
    // Names ignoring ASCII case; EDatabaseError "ADOQuery1: Field 'x' not found".
    TField* FieldByName(const std::string& Name) const;
    TField* FindField(const std::string& Name) const;   // null if none

    // A new, empty row after the last; Post inserts it into the table, Cancel drops it.
    void Append();
    void Post();
    void Cancel();

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TField;
    friend class TADOConnection;

    // A value as the engine gave it: texts and blobs keep the engine's UTF-8 bytes.
    struct TCell {
        int Type = 0;          // SQLite's fundamental type; 0 for none (null)
        int64_t Integer = 0;
        double Float = 0;
        std::string Text;
        bool operator==(const TCell& O) const;
    };
    using TRow = std::vector<TCell>;

    std::unique_ptr<TStringList> FSQL;
    TADOConnection* FConnection = nullptr;
    bool FStreamedActive = false;
    TDataSetState FState = dsInactive;
    sqlite3_stmt* FStmt = nullptr;       // still holds rows not read yet
    std::vector<std::unique_ptr<TField>> FFields;
    std::vector<TRow> FRows;             // rows read so far, then the rows appended here
    std::vector<TRow> FPendingAppends;   // appended while FStmt was live, shown after its rows
    std::vector<TRow> FSkip;             // rows this query inserted that FStmt may still yield
    int FRecNo = -1;                     // current row in FRows
    int FPendingCurrent = -1;            // or in FPendingAppends
    bool FEof = true;
    bool FBof = true;
    struct TPosition { int RecNo, PendingCurrent; bool Eof, Bof; } FSaved{-1, -1, true, true};
    int FRecordCount = -1;               // -1 until known
    std::vector<TVariant> FBuffer;       // the row being appended
    std::vector<bool> FAssigned;
    std::string FTranslated;             // the statement as the engine runs it
    std::string FTable;                  // the one table the result reads (UTF-8), or ""

    void SQLChanged(TObject* Sender);
    void CheckActive() const;
    [[noreturn]] void Fail(const std::string& Message) const;
    void FetchRow();                     // reads one more row into FRows, or finishes
    void FetchAll();
    void FinishStatement();
    bool HasRow(int Index);
    TVariant CellValue(int FieldIndex) const;
    void SetFieldValue(int FieldIndex, const TVariant& Value);
    TRow StoredRow(int64_t RowId) const;
    static TCell ReadCell(sqlite3_stmt* Stmt, int Column);
    static TVariant ToVariant(const TCell& Cell);
    static TCell ToCell(const TVariant& Value);
};
