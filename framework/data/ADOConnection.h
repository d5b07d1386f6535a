// TADOConnection: the catalogue's connection, opened from an OLE DB connection string. The
// Jet 4.0 provider is served by SQLite: "Data Source" names the file (relative to the
// working directory, never created), and the access password must match the one the file
// records. Opens by itself when its first query opens and stays open.
#pragma once

#include "framework/core/Component.h"

#include <string>
#include <vector>

struct sqlite3;
class TADOQuery;

class TADOConnection : public TComponent {
    PANTREL_CLASS(TADOConnection, TComponent)
    explicit TADOConnection(TComponent* AOwner);
    ~TADOConnection() override;

    const std::string& ConnectionString() const { return FConnectionString; }
    void SetConnectionString(const std::string& Value);   // closes an open connection
    bool KeepConnection() const { return FKeepConnection; }
    void SetKeepConnection(bool Value) { FKeepConnection = Value; }
    // The user is never asked for a name or password; kept for designs that set it.
    bool LoginPrompt() const { return FLoginPrompt; }
    void SetLoginPrompt(bool Value) { FLoginPrompt = Value; }
    bool Connected() const { return FHandle != nullptr; }
    void SetConnected(bool Value);

    // Raises EDatabaseError naming the cause: unknown provider, missing file, a file that
    // is no catalogue, a wrong password.
    void Open();
    void Close();   // closes the queries that use it first
    void Loaded() override;

    // For the query objects.
    sqlite3* Handle() const { return FHandle; }
    bool ReadOnly() const { return FReadOnly; }
    void AttachQuery(TADOQuery* Query);
    void DetachQuery(TADOQuery* Query);
    // Before a write: every other open result reads its remaining rows, so it keeps showing
    // the rows it had when it was opened.
    void BeforeWrite(TADOQuery* Writer);

private:
    std::string FConnectionString;
    bool FKeepConnection = true;
    bool FLoginPrompt = false;
    bool FStreamedConnected = false;
    bool FReadOnly = false;
    sqlite3* FHandle = nullptr;
    std::vector<TADOQuery*> FQueries;
};
