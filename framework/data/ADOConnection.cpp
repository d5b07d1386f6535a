#include "framework/data/ADOConnection.h"

#include "framework/core/CodePage.h"
#include "framework/core/StrUtils.h"
#include "framework/data/ADOQuery.h"
#include "framework/data/CatalogueFile.h"
#include "framework/data/ConnectionString.h"
#include "framework/data/DataError.h"

#include <sqlite3.h>

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

PANTREL_REGISTER(TADOConnection, TComponent,
    PROP_STRING(ConnectionString, ConnectionString, SetConnectionString),
    PROP_BOOL(Connected, Connected, SetConnected),
    PROP_BOOL(KeepConnection, KeepConnection, SetKeepConnection),
    PROP_BOOL(LoginPrompt, LoginPrompt, SetLoginPrompt))

namespace {

enum TFileState { fsMissing, fsReadOnly, fsWritable };

// The file as the platform sees it: a read-only file is opened for reading only, whoever
// runs the program (the read-only attribute, or no write permission bits).
TFileState FileState(const std::string& GbkPath)
{
#ifdef _WIN32
    DWORD Attributes = GetFileAttributesA(GbkPath.c_str());
    if (Attributes == INVALID_FILE_ATTRIBUTES || (Attributes & FILE_ATTRIBUTE_DIRECTORY))
        return fsMissing;
    return (Attributes & FILE_ATTRIBUTE_READONLY) ? fsReadOnly : fsWritable;
#else
    struct stat St;
    if (stat(GbkToUtf8(GbkPath).c_str(), &St) != 0 || S_ISDIR(St.st_mode))
        return fsMissing;
    return (St.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) ? fsWritable : fsReadOnly;
#endif
}

const char* const JetProvider = "Microsoft.Jet.OLEDB.4.0";

} // namespace

TADOConnection::TADOConnection(TComponent* AOwner) : TComponent(AOwner) {}

TADOConnection::~TADOConnection()
{
    Close();
}

void TADOConnection::SetConnectionString(const std::string& Value)
{
    if (Value == FConnectionString)
        return;
    Close();
    FConnectionString = Value;
}

void TADOConnection::SetConnected(bool Value)
{
    if (ComponentState().Contains(csLoading)) {
        FStreamedConnected = Value;
        return;
    }
    if (Value)
        Open();
    else
        Close();
}

void TADOConnection::Loaded()
{
    inherited::Loaded();
    if (FStreamedConnected)
        Open();
}

void TADOConnection::Open()
{
    if (FHandle)
        return;
    TConnectionString Params(FConnectionString);
    if (!Params.Valid())
        throw EDatabaseError("The connection string is not valid.");
    if (!SameText(Params.Value("Provider"), JetProvider))
        throw EDatabaseError("Provider cannot be found. It may not be properly installed.");

    std::string Source = Params.Value("Data Source");
    TFileState State = Source.empty() ? fsMissing : FileState(Source);
    if (State == fsMissing)
        throw EDatabaseError("Could not find file '" + Source + "'.");
    int Flags = State == fsReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    sqlite3* Db = nullptr;
    int Rc = sqlite3_open_v2(GbkToUtf8(Source).c_str(), &Db, Flags, nullptr);
    if (Rc != SQLITE_OK) {
        std::string Reason = Utf8ToGbk(Db ? sqlite3_errmsg(Db) : sqlite3_errstr(Rc));
        sqlite3_close(Db);
        throw EDatabaseError("Cannot open the database '" + Source + "': " + Reason + ".");
    }
    TAccessCheck Access = CheckAccessPassword(Db, GbkToUtf8(Params.Value("Jet OLEDB:Database Password")));
    if (Access != acGranted) {
        sqlite3_close(Db);
        if (Access == acWrongPassword)
            throw EDatabaseError("Not a valid password.");
        throw EDatabaseError("Unrecognized database format '" + Source + "'.");
    }
    // Another program reading the file (a sqlite3 client, say) only delays a write.
    sqlite3_busy_timeout(Db, 2000);
    // Pages are read through a file mapping rather than a system call each.
    sqlite3_exec(Db, "PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);
    FHandle = Db;
    FReadOnly = State == fsReadOnly || sqlite3_db_readonly(Db, "main") == 1;
}

void TADOConnection::Close()
{
    if (!FHandle)
        return;
    for (TADOQuery* Query : std::vector<TADOQuery*>(FQueries))
        Query->Close();
    sqlite3_close(FHandle);
    FHandle = nullptr;
    FReadOnly = false;
}

void TADOConnection::AttachQuery(TADOQuery* Query)
{
    if (std::find(FQueries.begin(), FQueries.end(), Query) == FQueries.end())
        FQueries.push_back(Query);
}

void TADOConnection::DetachQuery(TADOQuery* Query)
{
    FQueries.erase(std::remove(FQueries.begin(), FQueries.end(), Query), FQueries.end());
}

void TADOConnection::BeforeWrite(TADOQuery* Writer)
{
    for (TADOQuery* Query : FQueries)
        if (Query != Writer)
            Query->FetchAll();
}
